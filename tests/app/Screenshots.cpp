// Makes the README's picture of the desktop program after a job: the main
// window with the converted files and the preview of one, and the Report
// window beside it, in one PNG. Run by scripts/screenshots.sh on a virtual X server.
//   app_screenshots LANGUAGE OUT.png FILE...

#include "AppTestSupport.h"

#include "app/MainFrame.h"
#include "app/Translations.h"
#include "app/VerdinApp.h"
#include "app/VerdinView.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <clocale>
#include <cstdio>

using namespace verdin;

int main(int argc, char** argv)
{
    std::setlocale(LC_CTYPE, "");
    QApplication application(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: app_screenshots LANGUAGE OUT.png FILE...\n");
        return 2;
    }
    QTemporaryDir settings;
    test::UseTemporarySettings(settings);  // the defaults, whatever the user chose
    InstallTranslations(QString::fromLocal8Bit(argv[1]));

    CVerdinApp app({});
    if (!app.InitInstance())
        return 1;
    CMainFrame& frame = *app.MainFrame();
    frame.resize(820, 420);
    CVerdinView& view = *frame.View();
    view.AddPaths(std::vector<std::string>(argv + 3, argv + argc));
    view.OnConvert();
    while (view.IsConverting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The preview shows the example with a texture.
    const QList<QListWidgetItem*> scene = view.findItems(QStringLiteral("scene"), Qt::MatchExactly);
    if (!scene.isEmpty())
        view.setCurrentItem(scene.front());
    CReportDlg& report = view.ReportDlg();
    report.resize(520, 420);
    QEventLoop settle;  // let both windows lay out and paint
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();

    const QPixmap main = frame.grab(), log = report.grab();
    constexpr int kGap = 16;
    QPixmap picture(main.width() + kGap + log.width(), std::max(main.height(), log.height()));
    picture.fill(QColor(0x9a, 0xa5, 0xb1));
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, main);
    painter.drawPixmap(main.width() + kGap, 0, log);
    painter.end();
    return picture.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
