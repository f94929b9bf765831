#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace verdin {

// A program found to open a kind of file, ready to start without a shell.
struct AssociatedCommand {
    QString program;
    QStringList arguments;
    QString registered;  // the command line as the desktop entry gives it
};

// The help page's file name for the window's language: "Verdin.htm", or
// "Verdin.ja.htm" in Japanese.
QString HelpPageName(const QString& language);

// The file:/// URL of a local page.
QString HelpPageUrl(const QString& pagePath);

// The directory of the help page: the program's own (a build folder), else
// the documentation folder of an installation, `docFromApp` being its path
// relative to the program's directory. The program's own when neither has it.
QString HelpPageDirectory(const QString& appDir, const QString& docFromApp);

// The MIME type of files with the extension (".html"); empty when unknown.
QString MimeTypeForExtension(const QString& extension);

// The desktop entry that the desktop opens the MIME type with, as
// `xdg-mime query default` tells it ("firefox.desktop"); empty when there is
// none or the tool is missing.
QString DefaultDesktopEntry(const QString& mimeType);

// The Exec line of the desktop entry found first in the application folders,
// with the argument in place of %f, %F, %u or %U, or appended when the line
// has none of them. Nothing when the entry or its Exec line is missing or
// cannot be read.
std::optional<AssociatedCommand> CommandForDesktopEntry(const QString& desktopEntry, const QStringList& applicationDirs,
                                                        const QString& argument);

// Splits a desktop entry's Exec value into program and arguments, as the
// desktop entry format quotes them, and puts the argument in. Nothing when
// the value is empty or its quotes do not close.
std::optional<QStringList> ExpandExecLine(const QString& exec, const QString& argument);

}  // namespace verdin
