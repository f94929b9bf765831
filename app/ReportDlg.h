#pragma once

#include "base/ReportLog.h"

#include <QDialog>
#include <QTimer>

#include <atomic>
#include <mutex>

class QCheckBox;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTextBlock;

namespace verdin {

class LookNotice;

// The modeless "Report" window: the log a conversion job writes to, with a
// progress bar, OK to close it after the job and Cancel to stop the job.
class CReportDlg : public QDialog, public ReportLog {
    Q_OBJECT

public:
    explicit CReportDlg(QWidget* parent = nullptr);

    // Inserts the text at the caret. From another thread the text waits a
    // little, with whatever else comes meanwhile, for the window's thread to
    // insert it in one go; the caller never waits. The view follows the text
    // only while the user has not scrolled up.
    void AppendText(std::string_view text) override;
    void ClearText() override;
    // Inserts the text still waiting; the window's thread does so on its own.
    void ShowPendingText();

    // During a job Cancel is shown and OK hidden; afterwards the other way
    // round. A job starts with an empty progress bar.
    void ShowJobButtons(bool converting);
    // File `position` of `files` has started.
    void ShowProgress(int position, int files);
    // Cancel was asked for: the window stays, saying so, until the job ends.
    void ShowCancelling();
    // The title says how many files the last job failed to convert.
    void ShowFailedCount(int failed);

    QPlainTextEdit* Edit() const { return m_hEdit; }
    QProgressBar* ProgressBar() const { return m_progress; }
    QPushButton* OkButton() const { return m_btnOk; }
    QPushButton* CancelButton() const { return m_btnCancel; }
    // Shows only the lines that matter: failures and warnings, each under its
    // file's line.
    QCheckBox* OnlyFailuresBox() const { return m_onlyFailures; }
    LookNotice* Notice() const { return m_notice; }

    // The list view's cancel flag.
    std::atomic<int>* m_pCancel = nullptr;

public Q_SLOTS:
    // Cancel, Esc and the close box: during a job, ask it to stop; otherwise
    // hide the window.
    void reject() override;

private:
    void Insert(const QString& text);
    // Hides or shows the lines from the file of `block` on.
    void FilterFrom(QTextBlock block);

    QPlainTextEdit* m_hEdit;
    QCheckBox* m_onlyFailures;
    LookNotice* m_notice;
    QProgressBar* m_progress;
    QPushButton* m_btnOk;
    QPushButton* m_btnCancel;
    bool m_bAfterReturn = false;  // the last character inserted was a "\r"
    bool m_bConverting = false;
    bool m_bCancelling = false;
    bool m_bFollowing = true;  // the view shows the end of the text

    std::mutex m_pendingMutex;
    QString m_pending;  // text from other threads not yet inserted
    QTimer m_showTimer;
};

}  // namespace verdin
