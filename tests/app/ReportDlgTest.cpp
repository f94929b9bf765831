#include "app/ReportDlg.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <atomic>
#include <thread>

using verdin::CReportDlg;

class ReportDlgTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_cancel = 0;
        m_dialog = std::make_unique<CReportDlg>();
        m_dialog->m_pCancel = &m_cancel;
    }
    void cleanup() { m_dialog.reset(); }

    void linesAreAppendedUnchangedWithOneLineEndEach()
    {
        m_dialog->AppendText("C:/models/a.cob:\r\n");
        m_dialog->AppendText(" writing cube mesh:");
        m_dialog->AppendText("V=8 ");
        m_dialog->AppendText("\r");
        m_dialog->AppendText("\nConverted 1 file.\r\n");
        QCOMPARE(m_dialog->Edit()->toPlainText(),
                 QStringLiteral("C:/models/a.cob:\n writing cube mesh:V=8 \nConverted 1 file.\n"));
        m_dialog->ClearText();
        QCOMPARE(m_dialog->Edit()->toPlainText(), QString());
    }

    void textGoesWhereTheCaretStands()
    {
        m_dialog->AppendText("one\r\nthree\r\n");
        QTextCursor caret = m_dialog->Edit()->textCursor();
        caret.setPosition(4);
        m_dialog->Edit()->setTextCursor(caret);
        m_dialog->AppendText("two\r\n");
        QCOMPARE(m_dialog->Edit()->toPlainText(), QStringLiteral("one\ntwo\nthree\n"));
    }

    void theLogGrowsWithoutLimit()
    {
        const std::string line(78, 'x');
        for (int i = 0; i < 1000; ++i)
            m_dialog->AppendText(line + "\r\n");
        QCOMPARE(m_dialog->Edit()->toPlainText().size(), 1000 * 79);
        QCOMPARE(m_dialog->Edit()->blockCount(), 1001);
    }

    // The worker never waits for the window; its lines all come, in order,
    // in fewer inserts than lines.
    void linesFromAnotherThreadAllComeInOrder()
    {
        int inserts = 0;
        connect(m_dialog->Edit()->document(), &QTextDocument::contentsChanged, this, [&inserts] { ++inserts; });
        constexpr int lines = 2000;
        std::thread worker([&] {
            for (int i = 0; i < lines; ++i)
                m_dialog->AppendText("line " + std::to_string(i) + "\r\n");
        });
        worker.join();
        QCOMPARE(inserts, 0);  // nothing is shown until the window's thread gets to it
        QTRY_COMPARE_WITH_TIMEOUT(m_dialog->Edit()->blockCount(), lines + 1, 10000);
        QVERIFY(inserts < lines);
        const QStringList shownLines = m_dialog->Edit()->toPlainText().split(u'\n');
        for (int i = 0; i < lines; ++i)
            QCOMPARE(shownLines[i], QStringLiteral("line %1").arg(i));
    }

    void theViewFollowsTheEndOnlyWhileNotScrolledUp()
    {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        const std::string line = "a line of the report\r\n";
        for (int i = 0; i < 200; ++i)
            m_dialog->AppendText(line);
        QScrollBar* bar = m_dialog->Edit()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());

        bar->setValue(3);  // the user reads an earlier line
        m_dialog->AppendText(line);
        QCOMPARE(bar->value(), 3);

        bar->setValue(bar->maximum());
        m_dialog->AppendText(line);
        QCOMPARE(bar->value(), bar->maximum());
    }

    // Lines that wrap, from the job's thread as a job sends them: the end
    // stays within reach of Ctrl+End and of the scroll bar.
    void theLastOfManyWrappingLinesCanBeReached()
    {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        const std::string folder = "/home/someone/models/a folder with a long name/another folder inside it/";
        std::thread worker([&] {
            for (int i = 0; i < 3000; ++i) {
                if (i % 50 == 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                const std::string model = folder + "model " + std::to_string(i);
                for (const std::string& line : {model + ".cob:", std::string(" reading file..."),
                                                " copy " + folder + "wood.bmp to " + folder + "wood.bmp.",
                                                " " + folder + "wood.bmp is the model's own image: not enlarged.",
                                                std::string(" writing cube mesh:V=8 F=6 N=12 T=8 "),
                                                std::string(" writing triangle mesh:V=3 F=1 N=3 "), std::string()})
                    m_dialog->AppendText(line + "\r\n");
            }
            m_dialog->AppendText("Converted 3000 files.\r\n");
        });
        worker.join();
        QTRY_VERIFY_WITH_TIMEOUT(m_dialog->Edit()->toPlainText().endsWith(QStringLiteral("Converted 3000 files.\n")),
                                 20000);
        QPlainTextEdit* edit = m_dialog->Edit();
        QScrollBar* bar = edit->verticalScrollBar();
        const auto lastLineShown = [edit] {
            const QTextBlock last = edit->document()->lastBlock().previous();
            const QRect place = edit->cursorRect(QTextCursor(last));
            return last.text() == QStringLiteral("Converted 3000 files.") && place.top() >= 0 &&
                   place.bottom() <= edit->viewport()->height();
        };
        QTRY_VERIFY(lastLineShown());

        // At every width, the text wrapping anew.
        for (int width : {300, 700, 250}) {
            m_dialog->resize(width, 380);
            bar->setValue(0);
            QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
            QTRY_VERIFY(lastLineShown());
            bar->setValue(0);
            bar->setValue(bar->maximum());
            QTRY_VERIFY(lastLineShown());
        }
    }

    void cancelDuringAJobKeepsTheWindowUntilTheJobEnds()
    {
        m_dialog->ShowJobButtons(true);
        m_dialog->show();
        QVERIFY(m_dialog->CancelButton()->isVisible());
        QVERIFY(!m_dialog->OkButton()->isVisible());
        m_dialog->ShowProgress(2, 5);
        QCOMPARE(m_dialog->ProgressBar()->value(), 1);
        QCOMPARE(m_dialog->ProgressBar()->text(), QStringLiteral("2 of 5"));

        m_dialog->CancelButton()->click();
        QCOMPARE(m_cancel.load(), 1);
        QVERIFY(m_dialog->isVisible());
        QVERIFY(!m_dialog->CancelButton()->isEnabled());
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        QVERIFY(m_dialog->isVisible());

        m_dialog->ShowJobButtons(false);
        QVERIFY(m_dialog->OkButton()->isVisible());
        QCOMPARE(m_dialog->ProgressBar()->text(), QStringLiteral("Cancelled"));
        m_dialog->OkButton()->click();
        QVERIFY(!m_dialog->isVisible());
    }

    void escapeAndTheCloseBoxActAsCancel()
    {
        m_dialog->show();
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        QCOMPARE(m_cancel.load(), 1);
        QVERIFY(!m_dialog->isVisible());

        m_cancel = 0;
        m_dialog->show();
        QVERIFY(m_dialog->close());
        QCOMPARE(m_cancel.load(), 1);
        QVERIFY(!m_dialog->isVisible());
    }

    void okOnlyHidesTheWindow()
    {
        m_dialog->AppendText("Converted 0 files.\r\n");
        m_dialog->ShowJobButtons(false);
        m_dialog->show();
        QVERIFY(m_dialog->OkButton()->isVisible());
        QVERIFY(!m_dialog->CancelButton()->isVisible());
        m_dialog->OkButton()->click();
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_cancel.load(), 0);
        QCOMPARE(m_dialog->Edit()->toPlainText(), QStringLiteral("Converted 0 files.\n"));
        QVERIFY(m_dialog->Edit()->isReadOnly());
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Report"));
        QCOMPARE(m_dialog->CancelButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    }

private:
    std::atomic<int> m_cancel{0};
    std::unique_ptr<CReportDlg> m_dialog;
};

QTEST_MAIN(ReportDlgTest)
#include "ReportDlgTest.moc"
