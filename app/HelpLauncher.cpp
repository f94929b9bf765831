#include "app/HelpLauncher.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QTextStream>
#include <QUrl>

namespace verdin {

namespace {

const QString kHelpPage = QStringLiteral("Verdin.htm");

// The escapes of every string value of a desktop entry: \s \n \t \r \\.
// Others stay as they are, for the quoting rules of the Exec value.
QString UnescapeValue(const QString& value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const QChar next = value[i + 1];
        if (next == u's')
            text += u' ';
        else if (next == u'n')
            text += u'\n';
        else if (next == u't')
            text += u'\t';
        else if (next == u'r')
            text += u'\r';
        else if (next == u'\\')
            text += u'\\';
        else {
            text += value[i];
            continue;
        }
        ++i;
    }
    return text;
}

// Splits at blanks outside double quotes; inside quotes a backslash escapes
// '"', '`', '$' and '\'. Each word comes with whether it was quoted.
std::optional<QList<std::pair<QString, bool>>> SplitWords(const QString& line)
{
    QList<std::pair<QString, bool>> words;
    QString word;
    bool inWord = false, quoted = false, inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (inQuotes) {
            if (c == u'\\' && i + 1 < line.size() && QStringView(u"\"`$\\").contains(line[i + 1]))
                word += line[++i];
            else if (c == u'"')
                inQuotes = false;
            else
                word += c;
        } else if (c == u' ' || c == u'\t') {
            if (inWord)
                words.append({word, quoted});
            word.clear();
            inWord = quoted = false;
        } else {
            inWord = true;
            if (c == u'"')
                inQuotes = quoted = true;
            else
                word += c;
        }
    }
    if (inQuotes)
        return std::nullopt;
    if (inWord)
        words.append({word, quoted});
    return words;
}

// Puts the argument in for the file and URL field codes, "%" for "%%", and
// drops the other field codes. `used` tells whether the argument went in.
QString ExpandFieldCodes(const QString& word, const QString& argument, bool& used)
{
    QString text;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word[i] != u'%' || i + 1 == word.size()) {
            text += word[i];
            continue;
        }
        const QChar code = word[++i];
        if (code == u'%') {
            text += u'%';
        } else if (QStringView(u"fFuU").contains(code)) {
            text += argument;
            used = true;
        }
    }
    return text;
}

// The Exec value of the group [Desktop Entry]; empty when there is none.
QString ReadExecValue(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    bool inEntryGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(u'[')) {
            inEntryGroup = line == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inEntryGroup && equals > 0 && QStringView(line).left(equals).trimmed() == u"Exec")
            return line.mid(equals + 1).trimmed();
    }
    return {};
}

}  // namespace

QString HelpPageName(const QString& language)
{
    return language == u"ja" ? QStringLiteral("Verdin.ja.htm") : kHelpPage;
}

QString HelpPageUrl(const QString& pagePath)
{
    return QUrl::fromLocalFile(pagePath).toString(QUrl::FullyEncoded);
}

QString HelpPageDirectory(const QString& appDir, const QString& docFromApp)
{
    const QString installed = QDir::cleanPath(appDir + docFromApp) + u'/';
    if (!QFile::exists(appDir + kHelpPage) && QFile::exists(installed + kHelpPage))
        return installed;
    return appDir;
}

QString MimeTypeForExtension(const QString& extension)
{
    const QMimeType type =
        QMimeDatabase().mimeTypeForFile(QStringLiteral("file") + extension, QMimeDatabase::MatchExtension);
    return type.isDefault() ? QString() : type.name();
}

QString DefaultDesktopEntry(const QString& mimeType)
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
}

std::optional<AssociatedCommand> CommandForDesktopEntry(const QString& desktopEntry, const QStringList& applicationDirs,
                                                        const QString& argument)
{
    if (desktopEntry.isEmpty() || desktopEntry.contains(u'/'))
        return std::nullopt;
    for (const QString& dir : applicationDirs) {
        const QString path = dir + u'/' + desktopEntry;
        if (!QFile::exists(path))
            continue;
        const QString exec = ReadExecValue(path);
        const std::optional<QStringList> words = ExpandExecLine(exec, argument);
        if (!words)
            return std::nullopt;
        return AssociatedCommand{words->first(), words->mid(1), exec};
    }
    return std::nullopt;
}

std::optional<QStringList> ExpandExecLine(const QString& exec, const QString& argument)
{
    const auto words = SplitWords(UnescapeValue(exec));
    if (!words)
        return std::nullopt;
    QStringList line;
    bool used = false;
    for (const auto& [word, quoted] : *words) {
        const QString expanded = ExpandFieldCodes(word, argument, used);
        // A word made only of dropped field codes ("%i" without an icon) goes away.
        if (!expanded.isEmpty() || quoted)
            line.append(expanded);
    }
    if (line.isEmpty() || line.first().isEmpty())
        return std::nullopt;
    if (!used)
        line.append(argument);
    return line;
}

}  // namespace verdin
