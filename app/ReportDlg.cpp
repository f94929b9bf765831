#include "app/ReportDlg.h"

#include "app/LookNotice.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace verdin {

namespace {

// How long text from the job may wait before it is shown.
constexpr std::chrono::milliseconds kShowInterval{40};

// The line that starts a file's lines: its path and a colon.
bool IsFileLine(const QString& line)
{
    return !line.isEmpty() && !line.startsWith(u' ') && line.endsWith(u':');
}

// A line saying that all goes well: the reading, writing and copying of a
// file and the chunks passed over, which every file has.
bool IsRoutineLine(const QString& line)
{
    static const QString kRoutine[] = {QStringLiteral(" reading file..."), QStringLiteral(" writing "),
                                       QStringLiteral(" No support '"),    QStringLiteral(" copy "),
                                       QStringLiteral(" embed "),          QStringLiteral(" converted ")};
    return line.isEmpty() || std::any_of(std::begin(kRoutine), std::end(kRoutine),
                                         [&line](const QString& start) { return line.startsWith(start); });
}

}  // namespace

CReportDlg::CReportDlg(QWidget* parent)
    : QDialog(parent),
      m_hEdit(new QPlainTextEdit(this)),
      m_onlyFailures(new QCheckBox(tr("Only failures and warnings"), this)),
      m_notice(new LookNotice(this)),
      m_progress(new QProgressBar(this)),
      m_btnOk(new QPushButton(tr("OK"), this)),
      m_btnCancel(new QPushButton(tr("ｷｬﾝｾﾙ"), this))
{
    setWindowTitle(tr("Report"));
    resize(420, 380);

    m_hEdit->setReadOnly(true);
    // A visible caret: lines go where it stands, as the user may move it.
    m_hEdit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_hEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kShowInterval);
    connect(&m_showTimer, &QTimer::timeout, this, &CReportDlg::ShowPendingText);
    // The view follows the text while it shows the end: the user scrolling
    // up stops it, scrolling back down starts it again.
    QScrollBar* bar = m_hEdit->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) { m_bFollowing = value >= bar->maximum(); });
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (m_bFollowing)
            bar->setValue(maximum);
    });

    m_onlyFailures->setObjectName(QStringLiteral("OnlyFailures"));
    connect(m_onlyFailures, &QCheckBox::toggled, this, [this] { FilterFrom(m_hEdit->document()->firstBlock()); });

    m_btnOk->setDefault(true);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CReportDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_onlyFailures);
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_btnOk);
    buttons->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_hEdit, 1);
    layout->addWidget(m_notice);
    layout->addLayout(buttons);
}

void CReportDlg::AppendText(std::string_view text)
{
    const QString line = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
    if (QThread::currentThread() == thread()) {
        ShowPendingText();
        Insert(line);
        return;
    }
    bool first;
    {
        const std::lock_guard lock(m_pendingMutex);
        first = m_pending.isEmpty();
        m_pending += line;
    }
    // The text of a short while goes in at once: inserting line by line
    // would keep the window's thread busier than the job. The call is
    // dropped if the window goes first.
    if (first)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_showTimer.isActive())
                    m_showTimer.start();
            },
            Qt::QueuedConnection);
}

void CReportDlg::ShowPendingText()
{
    QString text;
    {
        const std::lock_guard lock(m_pendingMutex);
        text.swap(m_pending);
    }
    if (!text.isEmpty())
        Insert(text);
}

void CReportDlg::ClearText()
{
    {
        const std::lock_guard lock(m_pendingMutex);
        m_pending.clear();
    }
    m_hEdit->clear();
    m_bAfterReturn = false;
    m_notice->hide();
}

void CReportDlg::ShowJobButtons(bool converting)
{
    m_btnCancel->setVisible(converting);
    m_btnCancel->setEnabled(true);
    m_btnOk->setVisible(!converting);
    if (converting) {
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
        m_progress->setFormat(QString());
    } else if (m_bConverting) {
        // A cancelled job keeps the bar where it stopped.
        if (!m_bCancelling)
            m_progress->setValue(m_progress->maximum());
        m_progress->setFormat(m_bCancelling ? tr("Cancelled") : tr("Done"));
    }
    m_bConverting = converting;
    m_bCancelling = false;
}

void CReportDlg::ShowProgress(int position, int files)
{
    m_progress->setRange(0, files);
    m_progress->setValue(position - 1);  // the files done before it
    m_progress->setFormat(tr("%1 of %2").arg(position).arg(files));
}

void CReportDlg::ShowCancelling()
{
    if (!m_bConverting)
        return;
    m_bCancelling = true;
    m_btnCancel->setEnabled(false);
    m_progress->setFormat(tr("Cancelling: finishing the current file…"));
}

void CReportDlg::ShowFailedCount(int failed)
{
    setWindowTitle(failed == 0 ? tr("Report") : tr("Report: %n file(s) failed", nullptr, failed));
}

void CReportDlg::reject()
{
    if (m_pCancel)
        m_pCancel->store(1, std::memory_order_relaxed);
    if (m_bConverting)
        ShowCancelling();
    else
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
    QScrollBar* bar = m_hEdit->verticalScrollBar();
    const bool following = m_bFollowing;
    const int place = bar->value();
    const QTextBlock first = m_hEdit->textCursor().block();
    m_hEdit->insertPlainText(lines);
    if (m_onlyFailures->isChecked())
        FilterFrom(first);
    if (following)
        m_hEdit->ensureCursorVisible();
    else
        bar->setValue(place);
}

void CReportDlg::FilterFrom(QTextBlock block)
{
    const bool filtering = m_onlyFailures->isChecked();
    while (block.previous().isValid() && !IsFileLine(block.text()))
        block = block.previous();
    const QTextBlock last = m_hEdit->document()->lastBlock();
    const int from = block.position();
    QTextBlock fileLine;
    for (; block.isValid(); block = block.next()) {
        const QString line = block.text();
        if (IsFileLine(line)) {
            fileLine = block;
            block.setVisible(!filtering);
            continue;
        }
        // The last block, where the next line goes, stays.
        const bool shown = !filtering || !IsRoutineLine(line) || block == last;
        block.setVisible(shown);
        if (shown && !line.isEmpty() && fileLine.isValid())
            fileLine.setVisible(true);
    }
    m_hEdit->document()->markContentsDirty(from, m_hEdit->document()->characterCount() - from);
    m_hEdit->viewport()->update();
}

}  // namespace verdin
