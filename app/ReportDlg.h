#pragma once

#include "base/ReportLog.h"

#include <QDialog>

#include <atomic>

class QPlainTextEdit;
class QPushButton;

namespace verdin {

// The modeless "Report" window: the log a conversion job writes to, with OK
// to close it after the job and Cancel to stop the job.
class CReportDlg : public QDialog, public ReportLog {
    Q_OBJECT

public:
    explicit CReportDlg(QWidget* parent = nullptr);

    // Inserts the text at the caret and scrolls it into view. From another
    // thread the call waits until the text is shown.
    void AppendText(std::string_view text) override;
    void ClearText() override;

    // During a job Cancel is shown and OK hidden; afterwards the other way round.
    void ShowJobButtons(bool converting);

    QPlainTextEdit* Edit() const { return m_hEdit; }
    QPushButton* OkButton() const { return m_btnOk; }
    QPushButton* CancelButton() const { return m_btnCancel; }

    // The list view's cancel flag.
    std::atomic<int>* m_pCancel = nullptr;

public Q_SLOTS:
    // Cancel, Esc and the close box: asks the job to stop and hides the window.
    void reject() override;

private:
    void Insert(const QString& text);

    QPlainTextEdit* m_hEdit;
    QPushButton* m_btnOk;
    QPushButton* m_btnCancel;
    bool m_bAfterReturn = false;  // the last character inserted was a "\r"
};

}  // namespace verdin
