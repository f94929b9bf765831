// verdin: the desktop converter from COB files to DirectX .x files.

#include "app/AboutDlg.h"
#include "app/RenderCommand.h"
#include "app/StopSignals.h"
#include "app/Translations.h"
#include "app/VerdinApp.h"

#include <QApplication>
#include <QLocale>

#include <clocale>
#include <string_view>

int main(int argc, char** argv)
{
    std::setlocale(LC_CTYPE, "");  // file names follow the user's character set

    // A picture of a converted file, made without a window or a display.
    if (argc > 1 && std::string_view(argv[1]) == "--render") {
        QCoreApplication application(argc, argv);
        return verdin::RunRenderCommand(QCoreApplication::arguments().mid(2));
    }

    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Verdin"));
    QCoreApplication::setApplicationVersion(verdin::ProgramVersion());
    // The desktop matches the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quorvane.Verdin"));
    verdin::InstallTranslations(verdin::WindowLanguage(QLocale::system().uiLanguages()));

    // QApplication has taken its own options out of argv.
    verdin::CVerdinApp app(std::vector<std::string>(argv + 1, argv + argc));
    if (!app.InitInstance())
        return 1;
    verdin::CloseWindowsOnStopSignals();
    return QApplication::exec();
}
