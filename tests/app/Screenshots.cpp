// Makes the README's pictures of the desktop program after a job with the
// default options, in one language, into a folder:
//   screenshot-LANGUAGE.png         the main window with the converted files
//                                   and the preview of one, the Report beside
//                                   it with its notice of what keeps the look;
//   screenshot-help-LANGUAGE.png    the help window, as F1 opens it;
//   screenshot-filtered-LANGUAGE.png  the Report showing only failures and
//                                   warnings.
// Run by scripts/screenshots.sh on a virtual X server.
//   app_screenshots LANGUAGE FOLDER FILE...

#include "AppTestSupport.h"

#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/ReportDlg.h"
#include "app/Translations.h"
#include "app/VerdinApp.h"
#include "app/VerdinView.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QEventLoop>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <clocale>
#include <cstdio>

using namespace verdin;

namespace {

// Lets the windows lay out and paint.
void Settle()
{
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();
}

// The windows side by side on the desktop's colour.
QPixmap SideBySide(const QPixmap& left, const QPixmap& right)
{
    constexpr int kGap = 16;
    QPixmap picture(left.width() + kGap + right.width(), std::max(left.height(), right.height()));
    picture.fill(QColor(0x9a, 0xa5, 0xb1));
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, left);
    painter.drawPixmap(left.width() + kGap, 0, right);
    return picture;
}

}  // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_CTYPE, "");
    QApplication application(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: app_screenshots LANGUAGE FOLDER FILE...\n");
        return 2;
    }
    QTemporaryDir settings;
    test::UseTemporarySettings(settings);  // the defaults, whatever the user chose
    const QString language = QString::fromLocal8Bit(argv[1]);
    InstallTranslations(language);
    UseFontFor(language);
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    const auto save = [&](const QPixmap& picture, const char* name) {
        return picture.save(folder.filePath(QStringLiteral("%1-%2.png").arg(QLatin1String(name), language)));
    };

    CVerdinApp app({});
    if (!app.InitInstance())
        return 1;
    CMainFrame& frame = *app.MainFrame();
    frame.resize(960, 440);
    // Room for the list's names beside the preview.
    if (auto* preview = frame.findChild<QDockWidget*>(QStringLiteral("PreviewDock")))
        frame.resizeDocks({preview}, {300}, Qt::Horizontal);
    CVerdinView& view = *frame.View();
    view.AddPaths(std::vector<std::string>(argv + 3, argv + argc));
    view.OnConvert();
    while (view.IsConverting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The preview shows the first file converted.
    for (int row = 0; row < view.count(); ++row) {
        view.setCurrentRow(row);
        if (view.FailureOf(view.CurrentPath()).isEmpty())
            break;
    }
    CReportDlg& report = view.ReportDlg();
    report.resize(620, 440);
    Settle();
    if (!save(SideBySide(frame.grab(), report.grab()), "screenshot"))
        return 1;

    report.OnlyFailuresBox()->click();
    Settle();
    if (!save(report.grab(), "screenshot-filtered"))
        return 1;

    app.OnShowHelp();
    auto* help = frame.findChild<HelpWindow*>();
    if (!help)
        return 1;
    Settle();
    return save(help->grab(), "screenshot-help") ? 0 : 1;
}
