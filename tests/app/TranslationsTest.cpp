// The window's texts are all translated: the sources are read again into
// copies of the translation files, as the update_translations target does,
// so a text added to the sources and not yet translated fails here, and so
// does a translation whose text the sources no longer have.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Message {
    QString source;
    bool numerus = false;
    QString state;  // the translation's type: empty when finished
};

QList<Message> ReadMessages(const QString& tsPath)
{
    QFile file(tsPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"message") {
            messages.append(Message());
            messages.back().numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        } else if (xml.name() == u"source" && !messages.isEmpty()) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == u"translation" && !messages.isEmpty()) {
            messages.back().state = xml.attributes().value(QLatin1String("type")).toString();
        }
    }
    return messages;
}

}  // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // The translation file after reading the sources again into its copy.
    QList<Message> Refreshed(const QString& language)
    {
        const QString copy = m_dir.filePath(QStringLiteral("verdin_%1.ts").arg(language));
        QFile::remove(copy);
        if (!QFile::copy(QStringLiteral(VERDIN_SOURCE_DIR "/app/translations/verdin_%1.ts").arg(language), copy))
            return {};
        QStringList arguments{QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                              QStringLiteral("-I"), QStringLiteral(VERDIN_SOURCE_DIR)};
        const QDir app(QStringLiteral(VERDIN_SOURCE_DIR "/app"));
        for (const QString& source : app.entryList({QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files))
            arguments.append(app.filePath(source));
        arguments << QStringLiteral("-ts") << copy;
        QProcess lupdate;
        lupdate.start(QStringLiteral(VERDIN_LUPDATE), arguments);
        if (!lupdate.waitForFinished(60000) || lupdate.exitCode() != 0)
            return {};
        return ReadMessages(copy);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void everyJapaneseTextIsTranslated()
    {
        const QList<Message> messages = Refreshed(QStringLiteral("ja"));
        QVERIFY(messages.size() > 100);
        QStringList untranslated;
        for (const Message& message : messages)
            if (!message.state.isEmpty())
                untranslated.append(message.state + QStringLiteral(": ") + message.source);
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u'\n')));
    }

    // The English texts are their own translation, but for their plural forms.
    void everyEnglishPluralIsWritten()
    {
        const QList<Message> messages = Refreshed(QStringLiteral("en"));
        QVERIFY(messages.size() > 100);
        QStringList missing;
        for (const Message& message : messages)
            if ((message.numerus && !message.state.isEmpty()) || message.state == u"vanished" ||
                message.state == u"obsolete")
                missing.append(message.state + QStringLiteral(": ") + message.source);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TranslationsTest)
#include "TranslationsTest.moc"
