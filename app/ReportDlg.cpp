#include "app/ReportDlg.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace verdin {

CReportDlg::CReportDlg(QWidget* parent)
    : QDialog(parent),
      m_hEdit(new QPlainTextEdit(this)),
      m_btnOk(new QPushButton(tr("OK"), this)),
      m_btnCancel(new QPushButton(tr("ｷｬﾝｾﾙ"), this))
{
    setWindowTitle(tr("Report"));
    resize(420, 380);

    m_hEdit->setReadOnly(true);
    // A visible caret: lines go where it stands, as the user may move it.
    m_hEdit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_hEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    m_btnOk->setDefault(true);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CReportDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOk);
    buttons->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_hEdit, 1);
    layout->addLayout(buttons);
}

void CReportDlg::AppendText(std::string_view text)
{
    const QString line = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
    if (QThread::currentThread() == thread())
        Insert(line);
    else
        QMetaObject::invokeMethod(
            this, [this, line] { Insert(line); }, Qt::BlockingQueuedConnection);
}

void CReportDlg::ClearText()
{
    m_hEdit->clear();
    m_bAfterReturn = false;
}

void CReportDlg::ShowJobButtons(bool converting)
{
    m_btnCancel->setVisible(converting);
    m_btnOk->setVisible(!converting);
}

void CReportDlg::reject()
{
    if (m_pCancel)
        m_pCancel->store(1, std::memory_order_relaxed);
    QDialog::reject();
}

void CReportDlg::Insert(const QString& text)
{
    // The editor breaks a line at "\r" and again at "\n"; "\r\n", even when
    // split over two appends, must give one line end.
    QString lines;
    lines.reserve(text.size());
    for (const QChar character : text) {
        const bool lineFeedAfterReturn = character == u'\n' && m_bAfterReturn;
        m_bAfterReturn = character == u'\r';
        if (!lineFeedAfterReturn)
            lines += m_bAfterReturn ? QChar(u'\n') : character;
    }
    m_hEdit->insertPlainText(lines);
    m_hEdit->ensureCursorVisible();
}

}  // namespace verdin
