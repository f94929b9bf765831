// verdin: the desktop converter from COB files to DirectX .x files.

#include "app/AboutDlg.h"
#include "app/CommandLine.h"
#include "app/RenderCommand.h"
#include "app/StopSignals.h"
#include "app/Translations.h"
#include "app/VerdinApp.h"
#include "base/Version.h"

#include <QApplication>
#include <QLocale>

#include <algorithm>
#include <clocale>
#include <iostream>
#include <string_view>

int main(int argc, char** argv)
{
    std::setlocale(LC_CTYPE, "");  // file names follow the user's character set

    // A picture of a converted file, made without a window or a display.
    if (argc > 1 && std::string_view(argv[1]) == "--render") {
        QCoreApplication application(argc, argv);
        return verdin::RunRenderCommand(QCoreApplication::arguments().mid(2));
    }

    // Answered before Qt looks for a display, which a terminal may not have.
    const std::vector<std::string> given(argv + 1, argv + argc);
    const auto optionsEnd = std::find(given.begin(), given.end(), "--");
    if (std::find(given.begin(), optionsEnd, "--help") != optionsEnd) {
        std::cout << verdin::UsageText();
        return 0;
    }
    if (std::find(given.begin(), optionsEnd, "--version") != optionsEnd) {
        std::cout << "verdin " << verdin::kVersion << '\n';
        return 0;
    }

    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Verdin"));
    QCoreApplication::setApplicationVersion(verdin::ProgramVersion());
    // The desktop matches the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quorvane.Verdin"));
    const QString language = verdin::WindowLanguage(QLocale::system().uiLanguages());
    verdin::InstallTranslations(language);
    verdin::UseFontFor(language);

    // QApplication has taken its own options out of argv.
    const verdin::CommandLine line = verdin::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.error.empty()) {
        std::cerr << "verdin: " << line.error << "\nTry 'verdin --help'.\n";
        return 2;
    }
    verdin::CVerdinApp app(line.files, line.outputFolder);
    if (!app.InitInstance())
        return 1;
    verdin::CloseWindowsOnStopSignals();
    return QApplication::exec();
}
