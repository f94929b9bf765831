#include "app/VerdinView.h"

#include "app/Icons.h"
#include "app/LookNotice.h"
#include "app/OptionBar.h"
#include "app/OptionSettings.h"
#include "app/VerdinApp.h"
#include "base/PathHelpers.h"
#include "convert/JobStarter.h"

#include <algorithm>
#include <chrono>

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QStyle>

namespace verdin {

namespace {

// How often, at most, the window shows which file the job is at.
constexpr std::chrono::milliseconds kProgressInterval{40};

}  // namespace

CVerdinView::CVerdinView(CVerdinApp& app, QWidget* parent)
    : QListWidget(parent), m_app(app), m_icon(CobFileIcon()), m_reportDlg(this)
{
    setViewMode(QListView::IconMode);
    setIconSize(QSize(32, 32));
    setGridSize(QSize(96, 64));
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    viewport()->setAcceptDrops(true);  // a static icon view turns drops off there
    m_reportDlg.m_pCancel = &m_bCancel;
    connect(m_reportDlg.Notice(), &LookNotice::ConvertAgainClicked, this, &CVerdinView::OnConvertAgainKeepingLook);
    connect(this, &QListWidget::currentRowChanged, this, [this] { Q_EMIT CurrentFileChanged(CurrentPath()); });
}

QString CVerdinView::CurrentPath() const
{
    const int row = currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_files.Entries().size())
        return {};
    return QFile::decodeName(QByteArray::fromStdString(m_files.Entries()[static_cast<std::size_t>(row)].path));
}

void CVerdinView::OnInitialUpdate()
{
    AddCommandLineFiles();
    if (!m_app.Arguments().empty())
        OnConvert();
}

void CVerdinView::AddCommandLineFiles()
{
    for (const std::string& argument : m_app.Arguments())
        m_files.AddFile(argument);
    SortByTitle();
}

void CVerdinView::SortByTitle()
{
    m_files.SortByTitle();
    ShowItems();
}

void CVerdinView::CancelAndWait()
{
    if (!m_bConverting)
        return;
    m_bCancel.store(1, std::memory_order_relaxed);
    m_reportDlg.ShowCancelling();
    Q_EMIT StatusMessage(tr("Finishing the current file…"), 0);
    // The job's end comes as a message to this thread.
    while (m_bConverting)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

std::vector<std::string> CVerdinView::LocalFilePaths(const QMimeData& data)
{
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    return paths;
}

QString CVerdinView::OutputFolder() const
{
    if (!m_app.Arguments().empty())
        return QFile::decodeName(QByteArray::fromStdString(m_app.CommandLineOutputFolder()));
    return m_app.m_pOptionBar->OutputFolder();
}

void CVerdinView::OnConvert()
{
    if (m_bConverting)
        return;
    if (m_files.Empty()) {
        Q_EMIT StatusMessage(tr("Nothing to convert: add COB or .x files to the list first."), 8000);
        return;
    }
    StartJob(m_files.Paths(), m_app.m_pOptionBar->Options());
}

void CVerdinView::OnConvertAgainKeepingLook(bool forGood)
{
    if (m_bConverting)
        return;
    std::vector<std::string> paths;
    for (const FileNote& note : m_outcome.notes)
        if (note.hints != 0)
            paths.push_back(m_jobPaths[note.index]);
    if (paths.empty())
        return;
    if (forGood) {
        m_app.m_pOptionBar->KeepTheLook();
        StartJob(std::move(paths), m_app.m_pOptionBar->Options());
        return;
    }
    CopyOptions(m_app.m_pOptionBar->Options(), m_keptLookOptions);
    KeepTheLook(m_keptLookOptions);
    StartJob(std::move(paths), m_keptLookOptions);
}

void CVerdinView::StartJob(std::vector<std::string> paths, OptionFlags& options)
{
    const QString outputFolder = OutputFolder();
    if (!outputFolder.isEmpty() && !QDir().mkpath(outputFolder)) {
        QMessageBox::critical(this, QStringLiteral("Verdin"),
                              tr("The output folder %1 cannot be made. Choose another in the option bar, or "
                                 "empty it to write each file beside its model.")
                                  .arg(outputFolder));
        if (!m_app.Arguments().empty())
            QCoreApplication::exit(1);
        return;
    }
    m_bConverting = true;
    m_bCancel.store(0, std::memory_order_relaxed);

    m_reportDlg.ClearText();
    m_reportDlg.ShowFailedCount(0);
    m_outcome = {};
    m_failures.clear();
    m_jobPaths = paths;
    MarkFailures();
    m_reportDlg.show();
    m_reportDlg.ShowJobButtons(true);
    Q_EMIT ConvertingChanged(true);

    ConvertParams params;
    params.paths = std::move(paths);
    params.report = &m_reportDlg;
    params.cancel = &m_bCancel;
    params.options = &options;
    params.outputFolder = QFile::encodeName(outputFolder).toStdString();
    // The first and the last file, and one now and then between them: a
    // message per file kept the window's thread busier than the job.
    params.fileStarted = [this, shown = std::chrono::steady_clock::time_point()](int position, int files,
                                                                                 const std::string& path) mutable {
        const auto now = std::chrono::steady_clock::now();
        if (position != 1 && position != files && now - shown < kProgressInterval)
            return;
        shown = now;
        const QString title = QFile::decodeName(QByteArray::fromStdString(PathTitle(path)));
        QMetaObject::invokeMethod(
            this, [=, this] { OnFileStarted(position, files, title); }, Qt::QueuedConnection);
    };
    params.endMessage = [this](const JobOutcome& outcome) {
        m_bAllConverted.store(!outcome.aborted && outcome.converted == outcome.files);
        QMetaObject::invokeMethod(
            this,
            [this, outcome] {
                m_outcome = outcome;
                OnConvertFinished();
            },
            Qt::QueuedConnection);
    };
    m_worker = StartConvertJob(params);
    if (!m_worker) {
        m_bAllConverted.store(false);
        QMessageBox::critical(this, QStringLiteral("Verdin"), tr("変換を開始できませんでした。"));
        OnConvertFinished();
    }
}

void CVerdinView::OnConvertFinished()
{
    if (m_worker) {
        m_worker->join();  // it has sent its last report line and only returns now
        m_worker.reset();
    }
    m_reportDlg.ShowPendingText();
    m_reportDlg.ShowJobButtons(false);
    ShowJobResults();
    Q_EMIT ConvertingChanged(false);
    Q_EMIT CurrentFileChanged(CurrentPath());
    m_bConverting = false;
    // Started with file names, the program's status says whether every file
    // was converted, as the command-line converter's does.
    if (!m_app.Arguments().empty())
        QCoreApplication::exit(m_bAllConverted.load() ? 0 : 1);
}

// The failures in the list, the title and the status bar, and the notice of
// what would keep the look.
void CVerdinView::ShowJobResults()
{
    for (const FileNote& note : m_outcome.notes)
        if (note.Failed())
            m_failures[m_jobPaths[note.index]] = QString::fromStdString(note.reason);
    MarkFailures();
    const int failed = CountFailed(m_outcome.notes);
    m_reportDlg.ShowFailedCount(failed);
    m_reportDlg.Notice()->ShowHints(m_outcome.notes);
    // The report's closing line, in the window's language.
    QString status = m_outcome.aborted ? tr("aborted.") : tr("Converted %n file(s).", nullptr, m_outcome.converted);
    if (m_outcome.aborted)
        status +=
            u' ' +
            tr("%1 of %n file(s) converted before it stopped.", nullptr, m_outcome.files).arg(m_outcome.converted);
    if (failed > 0)
        status += u' ' + tr("%n file(s) failed.", nullptr, failed);
    Q_EMIT StatusMessage(status, 0);
}

QString CVerdinView::FailureOf(const QString& path) const
{
    const auto failure = m_failures.find(QFile::encodeName(path).toStdString());
    return failure == m_failures.end() ? QString() : failure->second;
}

void CVerdinView::OnFileStarted(int position, int files, const QString& title)
{
    if (!m_bConverting)
        return;
    m_reportDlg.ShowProgress(position, files);
    Q_EMIT StatusMessage(tr("%1 of %2: %3").arg(position).arg(files).arg(title), 0);
}

void CVerdinView::OnDeleteAll()
{
    m_files.Clear();
    ShowItems();
}

void CVerdinView::OnDelete()
{
    if (!selectedItems().isEmpty()) {
        OnRemoveSelected();
        return;
    }
    // Nothing brings the list back, so a whole list goes only when the user says so.
    if (count() > 0 && QMessageBox::question(this, QStringLiteral("Verdin"),
                                             tr("No file is selected. Remove all %n file(s) from the list?", nullptr,
                                                count())) == QMessageBox::Yes)
        OnDeleteAll();
}

void CVerdinView::OnRemoveSelected()
{
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.push_back(static_cast<std::size_t>(index.row()));
    m_files.Remove(std::move(rows));
    ShowItems();
}

QString CVerdinView::EmptyListHint()
{
    return tr("Drop COB or .x files or folders here, or choose File › Add files… (Ctrl+O).");
}

void CVerdinView::AddPaths(const std::vector<std::string>& paths)
{
    const std::size_t wanted = static_cast<std::size_t>(std::count_if(paths.begin(), paths.end(), &FileList::IsWanted));
    const std::size_t added = m_files.AddFilesAndFolders(paths);
    SortByTitle();
    QString text = tr("%n file(s) added.", nullptr, static_cast<int>(added));
    if (wanted < paths.size())
        text += u' ' + tr("%n item(s) left out: not COB or .x files or folders.", nullptr,
                          static_cast<int>(paths.size() - wanted));
    Q_EMIT StatusMessage(text, 8000);
}

namespace {

bool HoldsWantedItems(const QMimeData& data)
{
    const std::vector<std::string> paths = CVerdinView::LocalFilePaths(data);
    return std::any_of(paths.begin(), paths.end(), &FileList::IsWanted);
}

}  // namespace

void CVerdinView::dragEnterEvent(QDragEnterEvent* event)
{
    if (HoldsWantedItems(*event->mimeData()))
        event->acceptProposedAction();
    else
        Q_EMIT StatusMessage(tr("This cannot be dropped here: only COB and .x files and folders are taken."), 8000);
}

void CVerdinView::dragMoveEvent(QDragMoveEvent* event)
{
    if (HoldsWantedItems(*event->mimeData()))
        event->acceptProposedAction();
}

void CVerdinView::dropEvent(QDropEvent* event)
{
    if (!HoldsWantedItems(*event->mimeData()))
        return;
    AddPaths(LocalFilePaths(*event->mimeData()));
    event->acceptProposedAction();
}

void CVerdinView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(tr("&Remove"), this, &CVerdinView::OnRemoveSelected)->setEnabled(!selectedItems().isEmpty());
    menu.addAction(tr("Remove &all"), this, &CVerdinView::OnDeleteAll)->setEnabled(count() > 0);
    menu.exec(event->globalPos());
}

void CVerdinView::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    if (count() > 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap,
                     EmptyListHint());
}

void CVerdinView::ShowItems()
{
    clear();
    for (const FileList::Entry& entry : m_files.Entries())
        new QListWidgetItem(m_icon, QFile::decodeName(QByteArray::fromStdString(entry.title)), this);
    MarkFailures();
}

void CVerdinView::MarkFailures()
{
    const QIcon failedIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    for (int row = 0; row < count(); ++row) {
        const FileList::Entry& entry = m_files.Entries()[static_cast<std::size_t>(row)];
        QString tip = QFile::decodeName(QByteArray::fromStdString(entry.path));
        const auto failure = m_failures.find(entry.path);
        if (failure != m_failures.end())
            tip += u'\n' + tr("Not converted: %1").arg(failure->second);
        item(row)->setIcon(failure != m_failures.end() ? failedIcon : m_icon);
        item(row)->setToolTip(tip);
    }
}

}  // namespace verdin
