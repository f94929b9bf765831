#include "app/Translations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace verdin {

QString WindowLanguage(const QStringList& uiLanguages)
{
    return !uiLanguages.isEmpty() && uiLanguages.front().startsWith(QStringLiteral("ja")) ? QStringLiteral("ja")
                                                                                          : QStringLiteral("en");
}

bool InstallTranslations(const QString& language)
{
    // Owned by the application, as long as it lives.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    auto* own = new QTranslator(QCoreApplication::instance());
    if (!own->load(QStringLiteral(":/i18n/verdin_") + language))
        return false;
    QCoreApplication::installTranslator(own);
    return true;
}

bool UseFontFor(const QString& language)
{
    const QString japanese = QStringLiteral("Noto Sans CJK JP");
    if (language != u"ja" || !QFontDatabase::hasFamily(japanese))
        return false;
    QFont font = QApplication::font();
    // Latin letters too, so that a line does not mix two designs.
    font.setFamilies({japanese, font.family()});
    QApplication::setFont(font);
    return true;
}

}  // namespace verdin
