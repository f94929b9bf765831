#include "AppTestSupport.h"
#include "CobBodies.h"
#include "CobBuilder.h"
#include "TestSupport.h"

#include "app/AboutDlg.h"
#include "app/HelpLauncher.h"
#include "app/HelpWindow.h"
#include "app/LookNotice.h"
#include "app/MainFrame.h"
#include "app/OptionBar.h"
#include "app/PreviewPane.h"
#include "app/VerdinApp.h"
#include "app/VerdinView.h"
#include "base/Version.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <filesystem>

using namespace verdin;

namespace {

QCheckBox* Box(CMainFrame& frame, const char* name)
{
    return frame.OptionBar()->findChild<QCheckBox*>(QLatin1String(name));
}

QPushButton* ConvertButton(CMainFrame& frame)
{
    return frame.OptionBar()->findChild<QPushButton*>(QStringLiteral("Convert"));
}

QStringList ItemTexts(const CVerdinView& view)
{
    QStringList texts;
    for (int row = 0; row < view.count(); ++row)
        texts.append(view.item(row)->text());
    return texts;
}

QString ReportText(CVerdinView& view)
{
    return view.ReportDlg().Edit()->toPlainText();
}

// The version that project() gives the build.
QString Version()
{
    return QString::fromUtf8(kVersion.data(), static_cast<qsizetype>(kVersion.size()));
}

// Closes the next message box as soon as it shows, with the answer given,
// and hands back its text.
class MessageBoxCloser : public QObject {
public:
    explicit MessageBoxCloser(QMessageBox::StandardButton answer = QMessageBox::NoButton)
    {
        connect(&m_timer, &QTimer::timeout, this, [this, answer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_text = box->text();
                if (QAbstractButton* button = box->button(answer))
                    button->click();
                else
                    box->accept();
            }
        });
        m_timer.start(20);
    }
    const QString& Text() const { return m_text; }

private:
    QTimer m_timer;
    QString m_text;
};

// The options after "Keep the look" from the defaults.
OptionFlags& KeptLook()
{
    static OptionFlags options;
    for (std::atomic<int>* kept :
         {&options.Position, &options.NewerMaterials, &options.FlipV, &options.Ascii, &options.Axes, &options.Hierarchy,
          &options.FullMaterials, &options.Animation, &options.Summary})
        kept->store(1);
    return options;
}

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : m_name(name), m_hadValue(qEnvironmentVariableIsSet(name)), m_oldValue(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (m_hadValue)
            qputenv(m_name, m_oldValue);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_hadValue;
    QByteArray m_oldValue;
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::UseTemporarySettings(m_settingsDir);
        std::setlocale(LC_CTYPE, "");
    }

    void init()
    {
        test::ClearSettings();
        m_dir = std::make_unique<test::TempDir>();
    }

    void cleanup()
    {
        m_app.reset();
        m_dir.reset();
    }

    void firstStartGivesTheDefaultsAndExitStoresThem()
    {
        CMainFrame& frame = Start();
        QVERIFY(Box(frame, "AddTemplates")->isChecked());
        QVERIFY(!Box(frame, "BinaryXFile")->isChecked());
        QVERIFY(Box(frame, "ScaleAndRotation")->isChecked());
        QVERIFY(!Box(frame, "Position")->isChecked());
        QVERIFY(!Box(frame, "bPPM")->isChecked());
        QVERIFY(!Box(frame, "NewerMaterials")->isChecked());
        QVERIFY(!Box(frame, "FlipV")->isChecked());
        QVERIFY(!Box(frame, "Ascii")->isChecked());
        for (const char* box : {"Axes", "Hierarchy", "FullMaterials", "Animation", "Summary"})
            QVERIFY(!Box(frame, box)->isChecked());
        QVERIFY(QSettings().allKeys().isEmpty());  // nothing is written while the program runs

        QVERIFY(frame.close());
        m_app.reset();
        QSettings settings;
        settings.beginGroup(QStringLiteral("Settings"));
        QCOMPARE(settings.childKeys().size(), 14);
        QCOMPARE(settings.value(QStringLiteral("AddTemplates")).toInt(), 1);
        QCOMPARE(settings.value(QStringLiteral("BinaryXFile")).toInt(), 0);
        QCOMPARE(settings.value(QStringLiteral("ScaleAndRotation")).toInt(), 1);
        QCOMPARE(settings.value(QStringLiteral("Position")).toInt(), 0);
        QCOMPARE(settings.value(QStringLiteral("bPPM")).toInt(), 0);
        QCOMPARE(settings.value(QStringLiteral("NewerMaterials")).toInt(), 0);
        QCOMPARE(settings.value(QStringLiteral("FlipV")).toInt(), 0);
        QCOMPARE(settings.value(QStringLiteral("Ascii")).toInt(), 0);
        QCOMPARE(settings.value(QStringLiteral("Output")).toInt(), 0);
    }

    void aCheckedBoxIsCheckedAtTheNextStart()
    {
        CMainFrame& first = Start();
        QVERIFY(first.OptionBar() == m_app->m_pOptionBar);
        QCheckBox* ppm = Box(first, "bPPM");
        QTest::mouseClick(ppm, Qt::LeftButton, {}, QPoint(ppm->height() / 2, ppm->height() / 2));
        QCOMPARE(first.OptionBar()->Options().bPPM.load(), 1);
        Box(first, "AddTemplates")->click();
        QCOMPARE(first.OptionBar()->Options().AddTemplates.load(), 0);
        Box(first, "FlipV")->click();
        QCOMPARE(first.OptionBar()->Options().FlipV.load(), 1);
        QCOMPARE(QSettings().value(QStringLiteral("Settings/FlipV")).toInt(), 1);  // saved before any exit
        m_app.reset();
        QCOMPARE(QSettings().value(QStringLiteral("Settings/bPPM")).toInt(), 1);

        CMainFrame& second = Start();
        QVERIFY(Box(second, "bPPM")->isChecked());
        QVERIFY(!Box(second, "AddTemplates")->isChecked());
        QVERIFY(Box(second, "FlipV")->isChecked());
        QCOMPARE(second.OptionBar()->Options().bPPM.load(), 1);
    }

    void keepTheLookChecksTheOptionsOfNewerFilesAndLeavesTheOthers()
    {
        CMainFrame& frame = Start();
        frame.findChild<QPushButton*>(QStringLiteral("KeepLook"))->click();
        const OptionFlags& options = frame.OptionBar()->Options();
        for (const std::atomic<int>* kept :
             {&options.Position, &options.NewerMaterials, &options.FlipV, &options.Ascii, &options.Axes,
              &options.Hierarchy, &options.FullMaterials, &options.Summary})
            QCOMPARE(kept->load(), 1);
        QVERIFY(Box(frame, "Hierarchy")->isChecked());
        QCOMPARE(options.BinaryXFile.load(), 0);
        QCOMPARE(options.bPPM.load(), 0);
        QCOMPARE(QSettings().value(QStringLiteral("Settings/Axes")).toInt(), 1);
    }

    void theWindowAsItOpens()
    {
        CMainFrame& frame = Start();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Quorvane Converter ver.%1 - Verdin").arg(Version()));
        QCOMPARE(frame.size(), QSize(630, 440));
        QCOMPARE(frame.dockWidgetArea(frame.OptionDock()), Qt::RightDockWidgetArea);
        QCOMPARE(frame.OptionDock()->allowedAreas(), Qt::AllDockWidgetAreas);
        QVERIFY(frame.OptionDock()->features() & QDockWidget::DockWidgetFloatable);
        QVERIFY(ConvertButton(frame)->isVisible());

        QStringList menus;
        for (QAction* menu : frame.menuBar()->actions()) {
            QStringList items;
            for (QAction* item : menu->menu()->actions())
                items.append(item->text());
            menus.append(menu->text() + ": " + items.join(" | "));
        }
        QCOMPARE(menus, QStringList({"&File: &Add files…\tCtrl+O | Add &folder… |  | E&xit\tAlt+F4",
                                     "&Edit: &Remove\tDel | &Delete all\tCtrl+D", "&View: Preview | &Report",
                                     "&Help: &Help\tF1 | &About\tF9"}));

        QStringList panes;
        for (QLabel* pane : frame.statusBar()->findChildren<QLabel*>())
            panes.append(pane->text());
        QCOMPARE(panes, QStringList({"ﾚﾃﾞｨ", "ｶﾅ", "CAP", "NUM", "SCRL"}));
    }

    void droppedCobFilesAreListedSortedByTitle()
    {
        CMainFrame& frame = Start();
        CVerdinView& view = *frame.View();
        test::DropFiles(view.viewport(), {m_dir->Path("b.scn"), m_dir->Path("a.COB"), m_dir->Path("c.txt")});
        QCOMPARE(ItemTexts(view), QStringList({"a", "b"}));
        QCOMPARE(view.Files().Paths(), std::vector<std::string>({m_dir->Path("a.COB"), m_dir->Path("b.scn")}));

        test::DropFiles(view.viewport(), {m_dir->Path("B.cob")});
        QCOMPARE(ItemTexts(view), QStringList({"a", "b", "B"}));

        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTest::keyClick(&frame, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(view.count(), 0);
        test::DropFiles(view.viewport(), {m_dir->Path("a.cob"), m_dir->Path("a.cob"), m_dir->Path("c.cob")});
        QCOMPARE(ItemTexts(view), QStringList({"a", "a", "c"}));
        view.item(2)->setSelected(true);  // Del takes the selected files, or all when none is
        QTest::keyClick(&frame, Qt::Key_Delete);
        QCOMPARE(ItemTexts(view), QStringList({"a", "a"}));
        {
            MessageBoxCloser keep(QMessageBox::No);
            QTest::keyClick(&frame, Qt::Key_Delete);
            QCOMPARE(keep.Text(), QStringLiteral("No file is selected. Remove all 2 file(s) from the list?"));
        }
        QCOMPARE(view.count(), 2);
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        MessageBoxCloser remove(QMessageBox::Yes);
        QTest::keyClick(&frame, Qt::Key_Delete);
        QCOMPARE(view.count(), 0);
    }

    // Only folders and COB files are taken; a folder gives its COB files, and
    // the status bar says what was left out.
    void dropsTakeFoldersAndCobFilesOnly()
    {
        const std::vector<std::string> paths = WriteCobs({"a.cob", "b.SCN"}, 1);
        std::filesystem::create_directories(m_dir->Path("x.cob"));
        WriteCobs({"x.cob/inner.cob"}, 1);
        CMainFrame& frame = Start();
        CVerdinView& view = *frame.View();
        const QImage empty = view.viewport()->grab().toImage();
        QVERIFY2(std::count(empty.bits(), empty.bits() + empty.sizeInBytes(), empty.bits()[0]) < empty.sizeInBytes(),
                 "an empty list shows its hint");

        QMimeData notes;
        notes.setUrls({QUrl::fromLocalFile(QString::fromStdString(m_dir->Path("notes.txt")))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &notes, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &enter);
        QVERIFY(!enter.isAccepted());
        QVERIFY(frame.statusBar()->currentMessage().startsWith(QStringLiteral("This cannot be dropped here")));

        test::DropFiles(view.viewport(), {m_dir->Path(""), m_dir->Path("x.cob"), m_dir->Path("notes.txt")});
        QCOMPARE(ItemTexts(view), QStringList({"a", "b", "inner"}));
        QCOMPARE(frame.statusBar()->currentMessage(),
                 QStringLiteral("3 file(s) added. 1 item(s) left out: not COB or .x files or folders."));
    }

    void convertWithAnEmptyListDoesNothing()
    {
        CMainFrame& frame = Start();
        ConvertButton(frame)->click();
        QVERIFY(!frame.View()->IsConverting());
        QVERIFY(!frame.View()->ReportDlg().isVisible());
        QVERIFY(ConvertButton(frame)->isVisible());
        QVERIFY(frame.statusBar()->currentMessage().startsWith(QStringLiteral("Nothing to convert")));
    }

    void theReportShowsTheJobsLinesInOrder()
    {
        const std::vector<std::string> paths = WriteCobs({"a.cob", "b.cob"}, 2);
        CMainFrame& frame = Start();
        CVerdinView& view = *frame.View();
        test::DropFiles(view.viewport(), {paths[1], paths[0]});

        ConvertButton(frame)->click();
        QVERIFY(view.IsConverting());
        QVERIFY(view.ReportDlg().isVisible());
        QVERIFY(view.ReportDlg().CancelButton()->isVisible());
        QVERIFY(!view.ReportDlg().OkButton()->isVisible());
        QVERIFY(!ConvertButton(frame)->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsConverting(), 20000);

        const QString expected = test::AsShown(test::RunJob(paths).report);
        QVERIFY(expected.endsWith(QStringLiteral("\nConverted 2 files.\n")));
        QCOMPARE(ReportText(view), expected);
        QVERIFY(view.ReportDlg().isVisible());
        QVERIFY(view.ReportDlg().OkButton()->isVisible());
        QVERIFY(!view.ReportDlg().CancelButton()->isVisible());
        QVERIFY(ConvertButton(frame)->isVisible());
        QVERIFY(std::filesystem::exists(m_dir->Path("a.x")));
        QVERIFY(std::filesystem::exists(m_dir->Path("b.x")));
    }

    // A file that fails is counted and marked and says why; a file whose
    // materials are refused gets a notice that converts it again with the
    // options that keep the look, for this once.
    void failuresAreCountedAndMarkedAndTheNoticeConvertsAgain()
    {
        const std::vector<std::string> good = WriteCobs({"a.cob", "b.cob"}, 1);
        const std::string truncated = m_dir->Path("broken.cob");
        std::filesystem::copy_file(VERDIN_SOURCE_DIR "/examples/truncated.cob", truncated);
        const std::string later = m_dir->Path("later.cob");
        QVERIFY(test::LaterModel().WriteTo(later));
        CMainFrame& frame = Start();
        CVerdinView& view = *frame.View();
        test::DropFiles(view.viewport(), {good[0], good[1], truncated, later});
        ConvertButton(frame)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsConverting(), 20000);

        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Converted 3 file(s). 1 file(s) failed."));
        QCOMPARE(view.ReportDlg().windowTitle(), QStringLiteral("Report: 1 file(s) failed"));
        const QStringList titles = ItemTexts(view);
        QListWidgetItem* broken = view.item(static_cast<int>(titles.indexOf(QStringLiteral("broken"))));
        QVERIFY2(broken->toolTip().endsWith(QStringLiteral("\nNot converted: Unexcepted EOF.")),
                 qPrintable(broken->toolTip()));
        QVERIFY(broken->icon().cacheKey() != view.item(0)->icon().cacheKey());
        view.setCurrentItem(broken);
        QCOMPARE(frame.Preview()->Status(), QStringLiteral("Not converted: Unexcepted EOF."));

        // One click shows only what went wrong, each under its file.
        view.ReportDlg().OnlyFailuresBox()->click();
        QStringList shown;
        for (QTextBlock block = view.ReportDlg().Edit()->document()->firstBlock(); block.isValid();
             block = block.next())
            if (block.isVisible() && !block.text().isEmpty())
                shown += block.text();
        QCOMPARE(shown,
                 QStringList({QString::fromStdString(truncated + ":"), QStringLiteral("Unexcepted EOF."),
                              QString::fromStdString(later + ":"), QStringLiteral("No support Mat1 chunk version 0.8"),
                              QStringLiteral("Converted 3 files.")}));

        LookNotice* notice = view.ReportDlg().Notice();
        QVERIFY(notice->isVisible());
        QVERIFY2(notice->Text()->text().contains(QStringLiteral("newer materials refused")),
                 qPrintable(notice->Text()->text()));
        QVERIFY(notice->Text()->text().contains(QStringLiteral("objects that overlap")));
        notice->ConvertAgainButton()->click();
        QVERIFY(view.IsConverting());
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsConverting(), 20000);
        QCOMPARE(ReportText(view), test::AsShown(test::RunJob({later}, KeptLook()).report));
        QVERIFY(!notice->isVisible());
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Converted 1 file(s)."));
        QCOMPARE(frame.OptionBar()->Options().NewerMaterials.load(), 0);  // for this once

        // Closed, the report comes back from the View menu.
        view.ReportDlg().OkButton()->click();
        QVERIFY(!view.ReportDlg().isVisible());
        frame.findChild<QAction*>(QStringLiteral("ShowReport"))->trigger();
        QVERIFY(view.ReportDlg().isVisible());

        // An output folder that cannot be made stops the job before it starts.
        frame.findChild<QLineEdit*>(QStringLiteral("OutputFolder"))->setText(QString::fromStdString(good[0] + "/out"));
        MessageBoxCloser closer;
        ConvertButton(frame)->click();
        QVERIFY2(closer.Text().contains(QStringLiteral("cannot be made")), qPrintable(closer.Text()));
        QVERIFY(!view.IsConverting());
    }

    // The current file's .x is drawn once the job has written it.
    void thePreviewShowsTheCurrentFileOnceConverted()
    {
        const std::vector<std::string> paths = WriteCobs({"a.cob"}, 2);
        CMainFrame& frame = Start();
        QVERIFY(frame.Preview()->isVisible());
        test::DropFiles(frame.View()->viewport(), paths);
        frame.View()->setCurrentRow(0);
        QCOMPARE(frame.Preview()->Status(), QStringLiteral("Not converted yet."));

        ConvertButton(frame)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!frame.View()->IsConverting(), 20000);
        QVERIFY(frame.Preview()->HasScene());
        QVERIFY2(frame.Preview()->Status().startsWith(QStringLiteral("2 mesh(es), 6 vertices, 2 faces")),
                 qPrintable(frame.Preview()->Status()));
        frame.View()->setCurrentRow(-1);
        QVERIFY(!frame.Preview()->HasScene());
    }

    // A DirectX file is listed as COB files are and becomes a .glb, which the
    // preview draws though "Convert to" says .x.
    void aDirectXFileBecomesAGlbThatThePreviewDraws()
    {
        QVERIFY(test::CobBuilder()
                    .Bytes("xof 0302txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n")
                    .WriteTo(m_dir->Path("triangle.X")));
        CMainFrame& frame = Start();
        test::DropFiles(frame.View()->viewport(), {m_dir->Path("triangle.X"), m_dir->Path("notes.txt")});
        QCOMPARE(ItemTexts(*frame.View()), QStringList({"triangle"}));
        frame.View()->setCurrentRow(0);
        ConvertButton(frame)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!frame.View()->IsConverting(), 20000);
        QVERIFY(std::filesystem::exists(m_dir->Path("triangle.glb")));
        QVERIFY2(frame.Preview()->Status().startsWith(QStringLiteral("1 mesh(es), 3 vertices, 1 faces")),
                 qPrintable(frame.Preview()->Status()));
    }

    void theOutputFolderTakesTheFilesAndIsKept()
    {
        const std::vector<std::string> paths = WriteCobs({"a.cob"}, 1);
        CMainFrame& frame = Start();
        auto* folder = frame.OptionBar()->findChild<QLineEdit*>(QStringLiteral("OutputFolder"));
        folder->setText(QString::fromStdString(m_dir->Path("out/x")));
        test::DropFiles(frame.View()->viewport(), paths);
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        folder->setFocus();
        QTest::keyClick(folder, Qt::Key_Return);  // ends the typing only
        QVERIFY(!frame.View()->IsConverting());
        ConvertButton(frame)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!frame.View()->IsConverting(), 20000);
        QVERIFY(std::filesystem::exists(m_dir->Path("out/x/a.x")));
        QVERIFY(!std::filesystem::exists(m_dir->Path("a.x")));

        QCOMPARE(Start().OptionBar()->OutputFolder(), QString::fromStdString(m_dir->Path("out/x")));
    }

    void theChosenFormatIsWrittenAndKept()
    {
        const std::vector<std::string> paths = WriteCobs({"a.cob"}, 1);
        CMainFrame& frame = Start();
        frame.OptionBar()->findChild<QComboBox*>(QStringLiteral("Output"))->setCurrentIndex(1);
        test::DropFiles(frame.View()->viewport(), paths);
        ConvertButton(frame)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!frame.View()->IsConverting(), 20000);
        QVERIFY(std::filesystem::exists(m_dir->Path("a.glb")));
        QVERIFY(!std::filesystem::exists(m_dir->Path("a.x")));
        frame.View()->setCurrentRow(0);
        QVERIFY(frame.Preview()->HasScene());
        // The preview follows the format chosen: there is no .x file.
        frame.OptionBar()->findChild<QComboBox*>(QStringLiteral("Output"))->setCurrentIndex(0);
        QCOMPARE(frame.Preview()->Status(), QStringLiteral("Not converted yet."));
        frame.OptionBar()->findChild<QComboBox*>(QStringLiteral("Output"))->setCurrentIndex(1);

        QCOMPARE(Start().OptionBar()->findChild<QComboBox*>(QStringLiteral("Output"))->currentIndex(), 1);
    }

    void enterDuringAJobDoesNothingAndAfterItStartsTheNext()
    {
        const std::vector<std::string> paths = WriteCobs({"a.cob", "b.cob"}, 2);
        CMainFrame& frame = Start();
        CVerdinView& view = *frame.View();
        test::DropFiles(view.viewport(), paths);
        const QString oneJob = test::AsShown(test::RunJob(paths).report);
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));

        // The worker cannot pass its first report line until events are
        // processed, so the job is surely running at the second Enter.
        QTest::keyClick(&frame, Qt::Key_Return);
        QVERIFY(view.IsConverting());
        QTest::keyClick(&frame, Qt::Key_Enter);
        QVERIFY(view.IsConverting());
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsConverting(), 20000);
        QCOMPARE(ReportText(view), oneJob);

        view.ReportDlg().OkButton()->click();
        frame.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &frame);
        QTest::keyClick(&frame, Qt::Key_Return);
        QVERIFY(view.IsConverting());
        QCOMPARE(ReportText(view), QString());  // cleared before the first line
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsConverting(), 20000);
        QCOMPARE(ReportText(view), oneJob);
    }

    void deleteAllDuringAJobLeavesTheJobAlone()
    {
        const std::vector<std::string> paths = WriteCobs({"a.cob", "b.cob"}, 1);
        CMainFrame& frame = Start();
        CVerdinView& view = *frame.View();
        test::DropFiles(view.viewport(), paths);
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));

        ConvertButton(frame)->click();
        QTest::keyClick(&frame, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(view.count(), 0);
        QVERIFY(view.Files().Empty());
        QVERIFY(view.IsConverting());
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsConverting(), 20000);
        QVERIFY(ReportText(view).endsWith(QStringLiteral("\nConverted 2 files.\n")));
        QVERIFY(std::filesystem::exists(m_dir->Path("b.x")));
        QVERIFY(ConvertButton(frame)->isVisible());
    }

    // Cancel keeps the Report open, saying so, until the job has stopped
    // after its current file; then the closing line shows there and in the
    // status bar.
    void cancelStopsOpeningFilesAndKeepsTheReportOpen()
    {
        const std::vector<std::string> paths = ManyCobs(40);
        CMainFrame& frame = Start();
        CVerdinView& view = *frame.View();
        test::DropFiles(view.viewport(), paths);

        ConvertButton(frame)->click();
        view.ReportDlg().CancelButton()->click();
        QVERIFY(view.ReportDlg().isVisible());
        QVERIFY(!view.ReportDlg().CancelButton()->isEnabled());
        QVERIFY(view.ReportDlg().ProgressBar()->format().startsWith(QStringLiteral("Cancelling")));
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsConverting(), 20000);

        const QString report = ReportText(view);
        QVERIFY2(report.endsWith(QStringLiteral("aborted.\n")), qPrintable(report));
        QVERIFY(!std::filesystem::exists(m_dir->Path("f39.x")));
        QVERIFY(view.ReportDlg().isVisible());
        QVERIFY(view.ReportDlg().OkButton()->isVisible());
        const QString status = frame.statusBar()->currentMessage();
        QVERIFY2(status.startsWith(QStringLiteral("aborted. ")) &&
                     status.endsWith(QStringLiteral(" of 40 file(s) converted before it stopped.")),
                 qPrintable(status));
        QVERIFY(ConvertButton(frame)->isVisible());
    }

    // While the job runs the status bar and the progress bar say which file
    // of how many it is at.
    void progressShowsWhichFileOfHowMany()
    {
        const std::vector<std::string> paths = WriteCobs({"a.cob", "b.cob"}, 1);
        CMainFrame& frame = Start();
        CVerdinView& view = *frame.View();
        test::DropFiles(view.viewport(), paths);
        QStringList shown;
        connect(frame.statusBar(), &QStatusBar::messageChanged, this, [&shown](const QString& text) {
            if (!text.isEmpty())
                shown.append(text);
        });
        ConvertButton(frame)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsConverting(), 20000);
        QCOMPARE(shown, QStringList({"1 of 2: a", "2 of 2: b", "Converted 2 file(s)."}));
        QCOMPARE(view.ReportDlg().ProgressBar()->value(), 2);
        QCOMPARE(view.ReportDlg().ProgressBar()->maximum(), 2);
    }

    void aBoxClickedDuringAJobReachesTheWorker()
    {
        const std::vector<std::string> paths = WriteCobs({"a.cob"}, 1);
        CMainFrame& frame = Start();
        test::DropFiles(frame.View()->viewport(), paths);
        ConvertButton(frame)->click();
        Box(frame, "Position")->click();
        QCOMPARE(frame.OptionBar()->Options().Position.load(std::memory_order_relaxed), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!frame.View()->IsConverting(), 20000);
    }

    void closingDuringAJobCancelsAndWaitsForIt()
    {
        const std::vector<std::string> paths = ManyCobs(40);
        CMainFrame& frame = Start();
        CVerdinView& view = *frame.View();
        test::DropFiles(view.viewport(), paths);

        ConvertButton(frame)->click();
        QVERIFY(view.IsConverting());
        QStringList shown;
        connect(frame.statusBar(), &QStatusBar::messageChanged, this,
                [&shown](const QString& text) { shown.append(text); });
        QVERIFY(frame.close());
        QVERIFY(!view.IsConverting());
        QVERIFY(shown.contains(QStringLiteral("Finishing the current file…")));
        QVERIFY2(ReportText(view).endsWith(QStringLiteral("aborted.\n")), qPrintable(ReportText(view)));
        QVERIFY(!std::filesystem::exists(m_dir->Path("f39.x")));
        m_app.reset();
        QCOMPARE(QSettings().value(QStringLiteral("Settings/AddTemplates")).toInt(), 1);
    }

    void destroyingTheWindowDuringAJobWaitsForIt()
    {
        const std::vector<std::string> paths = ManyCobs(40);
        CMainFrame& frame = Start();
        test::DropFiles(frame.View()->viewport(), paths);
        ConvertButton(frame)->click();
        m_app.reset();
        QVERIFY(!std::filesystem::exists(m_dir->Path("f39.x")));
    }

    void startedWithAFileThatIsNoCobFileItStaysOpenWithAnEmptyList()
    {
        const std::string notes = m_dir->Path("notes.txt");
        QVERIFY(test::WriteCob(notes, 0));
        CMainFrame& frame = Start({notes});
        QCOMPARE(frame.windowTitle(), QStringLiteral("notes.txt - Verdin"));
        QCOMPARE(frame.View()->count(), 0);
        QVERIFY(!frame.View()->IsConverting());
        QVERIFY(frame.isVisible());
    }

    void aFirstArgumentThatCannotBeOpenedEndsStartUp()
    {
        const std::string missing = m_dir->Path("missing.cob");
        MessageBoxCloser closer;
        m_app = std::make_unique<CVerdinApp>(std::vector<std::string>{missing, m_dir->Path("other.cob")});
        QVERIFY(!m_app->InitInstance());
        QVERIFY(closer.Text().contains(QString::fromStdString(missing)));
        QVERIFY(!m_app->MainFrame());
    }

    void helpSaysWhenNoProgramIsRegistered()
    {
        QTemporaryDir empty;
        ScopedEnvironment path("PATH", empty.path().toLocal8Bit());  // no xdg-mime
        Start();
        MessageBoxCloser closer;
        m_app->OnOpenHelpInBrowser();
        QCOMPARE(closer.Text(), QStringLiteral(".htmlに関連づけられたソフトが見つかりません。"));
    }

    // F1 opens the page inside the program, once however often it is asked
    // for; its search goes forwards and back.
    void helpOpensInItsOwnWindowAndFindsAWord()
    {
        CMainFrame& frame = Start();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTest::keyClick(&frame, Qt::Key_F1);
        QTest::keyClick(&frame, Qt::Key_F1);
        QCOMPARE(frame.findChildren<HelpWindow*>().size(), 1);
        HelpWindow& help = *frame.findChild<HelpWindow*>();
        QVERIFY(help.isVisible());
        QCOMPARE(help.Browser()->source(), QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/Verdin.htm"));

        help.SearchField()->setText(QStringLiteral("preview"));
        QVERIFY(help.FindNext());
        QCOMPARE(help.Browser()->textCursor().selectedText().toLower(), QStringLiteral("preview"));
        const int first = help.Browser()->textCursor().position();
        QVERIFY(help.FindNext());
        QVERIFY(help.Browser()->textCursor().position() > first);
        QVERIFY(help.FindPrevious());
        QCOMPARE(help.Browser()->textCursor().position(), first);
        help.SearchField()->setText(QStringLiteral("qwzx"));
        QVERIFY(!help.FindNext());

        // The Japanese page lies beside the English one.
        HelpWindow japanese(QCoreApplication::applicationDirPath() + u'/' + HelpPageName(QStringLiteral("ja")));
        japanese.SearchField()->setText(QStringLiteral("変換"));
        QVERIFY(japanese.FindNext());
    }

    // The list and the preview share what the window gains; a double click
    // shows the pane again.
    void thePreviewGrowsWithTheWindowAndADoubleClickShowsIt()
    {
        const std::vector<std::string> paths = WriteCobs({"a.cob"}, 1);
        CMainFrame& frame = Start();
        test::DropFiles(frame.View()->viewport(), paths);
        const int before = frame.Preview()->width();
        frame.resize(frame.width() + 160, frame.height());
        QTRY_VERIFY(frame.Preview()->width() > before + 40);

        frame.findChild<QDockWidget*>(QStringLiteral("PreviewDock"))->close();
        QVERIFY(!frame.Preview()->isVisible());
        CVerdinView& view = *frame.View();
        const QPoint onItem = view.visualItemRect(view.item(0)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, onItem);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, onItem);
        QVERIFY(frame.Preview()->isVisible());
        QCOMPARE(view.currentRow(), 0);
    }

    void theWindowComesBackWhereItWasLeftWithinTheScreen()
    {
        Start().setGeometry(40, 30, 600, 450);
        m_app->MainFrame()->close();
        QCOMPARE(Start().geometry(), QRect(40, 30, 600, 450));

        // Left on a larger screen, or saved at a larger scale: all of it shows.
        QSettings().setValue(QStringLiteral("Window/Geometry"), QRect(5000, -100, 4000, 300));
        const QRect shown = Start().frameGeometry();
        QVERIFY(m_app->MainFrame()->screen()->availableGeometry().contains(shown));
    }

    void helpFallsBackOnTheDesktopsOwnWayOfOpeningThePage()
    {
        QTemporaryDir empty;
        ScopedEnvironment path("PATH", empty.path().toLocal8Bit());
        Start();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
        MessageBoxCloser closer;
        m_app->OnOpenHelpInBrowser();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(m_opened, QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/Verdin.htm"));
        QCOMPARE(closer.Text(), QString());
    }

    void helpOpensThePageWithTheRegisteredProgram()
    {
        QTemporaryDir desktop;
        const QString record = desktop.filePath("opened.txt");
        WriteExecutable(desktop.filePath("bin/xdg-mime"), "#!/bin/sh\necho browser.desktop\n");
        WriteExecutable(desktop.filePath("bin/browser"), "#!/bin/sh\necho \"$@\" > \"" + record.toLocal8Bit() + "\"\n");
        WriteExecutable(desktop.filePath("data/applications/browser.desktop"),
                        "[Desktop Entry]\nType=Application\nExec=" + desktop.filePath("bin/browser").toLocal8Bit() +
                            " --new-window %u\n");
        ScopedEnvironment path("PATH", desktop.filePath("bin").toLocal8Bit());
        ScopedEnvironment dataHome("XDG_DATA_HOME", desktop.filePath("data").toLocal8Bit());
        ScopedEnvironment dataDirs("XDG_DATA_DIRS", desktop.filePath("none").toLocal8Bit());
        Start();

        m_app->OnOpenHelpInBrowser();
        QTRY_VERIFY_WITH_TIMEOUT(QFile(record).size() > 0, 10000);
        QFile opened(record);
        QVERIFY(opened.open(QIODevice::ReadOnly));
        const QUrl page = QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/Verdin.htm");
        QCOMPARE(opened.readAll().trimmed(), "--new-window " + page.toEncoded());
    }

    void helpSaysWhenTheRegisteredProgramCannotBeStarted()
    {
        QTemporaryDir desktop;
        WriteExecutable(desktop.filePath("bin/xdg-mime"), "#!/bin/sh\necho browser.desktop\n");
        WriteExecutable(desktop.filePath("data/applications/browser.desktop"),
                        "[Desktop Entry]\nExec=/nonexistent/browser %u\n");
        ScopedEnvironment path("PATH", desktop.filePath("bin").toLocal8Bit());
        ScopedEnvironment dataHome("XDG_DATA_HOME", desktop.filePath("data").toLocal8Bit());
        ScopedEnvironment dataDirs("XDG_DATA_DIRS", desktop.filePath("none").toLocal8Bit());
        Start();

        MessageBoxCloser closer;
        m_app->OnOpenHelpInBrowser();
        QCOMPARE(closer.Text(), QStringLiteral("/nonexistent/browser %uの実行ができませんでした。"));
    }

    void theAboutBoxShowsTheVersion()
    {
        CAboutDlg about;
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("version"))->text(), Version());
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    }

public Q_SLOTS:
    // Stands for the desktop's own way of opening a page.
    void openUrl(const QUrl& url) { m_opened = url; }

private:
    CMainFrame& Start(std::vector<std::string> arguments = {})
    {
        m_app.reset();
        m_app = std::make_unique<CVerdinApp>(std::move(arguments));
        [this] { QVERIFY(m_app->InitInstance()); }();
        return *m_app->MainFrame();
    }

    std::vector<std::string> WriteCobs(std::initializer_list<const char*> names, int meshes)
    {
        std::vector<std::string> paths;
        for (const char* name : names) {
            paths.push_back(m_dir->Path(name));
            test::WriteCob(paths.back(), meshes);
        }
        return paths;
    }

    // f00.cob to f<count - 1>.cob, of 2,000 meshes each: a job the user can
    // stop long before it ends, even when this thread is kept waiting.
    std::vector<std::string> ManyCobs(int count)
    {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) {
            paths.push_back(m_dir->Path((i < 10 ? "f0" : "f") + std::to_string(i) + ".cob"));
            test::WriteCob(paths.back(), 2000);
        }
        return paths;
    }

    static void WriteExecutable(const QString& path, const QByteArray& text)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }

    QTemporaryDir m_settingsDir;
    std::unique_ptr<test::TempDir> m_dir;
    std::unique_ptr<CVerdinApp> m_app;
    QUrl m_opened;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
