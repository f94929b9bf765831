#include "app/MainFrame.h"
#include "convert/JobSteps.h"
#include "gltf/GltfWriter.h"

#include "app/Icons.h"
#include "app/OptionBar.h"
#include "app/PreviewPane.h"
#include "app/VerdinApp.h"
#include "app/VerdinView.h"
#include "app/WindowPlacement.h"
#include "xfile/XFileWriter.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>
#include <QSettings>
#include <QStatusBar>

#include <algorithm>
#include <cmath>

namespace verdin {

namespace {

const QString kLastFolderKey = QStringLiteral("Settings/LastFolder");

QString LastFolder()
{
    return QSettings().value(kLastFolderKey).toString();
}

void SetLastFolder(const QString& folder)
{
    QSettings().setValue(kLastFolderKey, folder);
}

std::vector<std::string> EncodedPaths(const QStringList& paths)
{
    std::vector<std::string> encoded;
    for (const QString& path : paths)
        encoded.push_back(QFile::encodeName(path).toStdString());
    return encoded;
}

// The file a conversion writes for the model: one of the chosen format, but
// glTF for a DirectX file whatever is chosen (a .glb unless .gltf is).
std::string ConvertedFileName(const std::string& model, const std::string& folder, int output)
{
    if (IsDirectXFile(model))
        return GltfFileNameFor(model, folder, output != kOutputGltf);
    return output == kOutputX ? XFileNameFor(model, folder) : GltfFileNameFor(model, folder, output == kOutputGlb);
}

}  // namespace

CMainFrame::CMainFrame(CVerdinApp& app) : m_app(app)
{
    setWindowIcon(ApplicationIcon());
    resize(630, 440);
    CreateOptionBar();
    m_pView = new CVerdinView(app, this);
    setCentralWidget(m_pView);
    CreatePreview();
    CreateActions();
    CreateStatusBar();
    RestoreWindowPlacement(*this);

    connect(m_pView, &CVerdinView::ConvertingChanged, m_wndOptionBar,
            [this](bool converting) { m_wndOptionBar->ShowConvertButton(!converting); });
    connect(m_wndOptionBar, &COptionBar::ConvertClicked, m_pView, &CVerdinView::OnConvert);
    connect(m_pView, &CVerdinView::CurrentFileChanged, this, &CMainFrame::ShowPreviewOf);
    // The first click has made the file current; the pane may be hidden.
    connect(m_pView, &QListWidget::itemDoubleClicked, m_previewDock, [this] {
        m_previewDock->show();
        m_previewDock->raise();
    });
    // The preview shows the file of the format now chosen.
    connect(m_wndOptionBar, &COptionBar::OutputFormatChanged, this, [this] { ShowPreviewOf(m_pView->CurrentPath()); });
    connect(m_wndOptionBar, &COptionBar::HelpClicked, &m_app, &CVerdinApp::OnShowHelp);
    connect(m_wndOptionBar, &COptionBar::AboutClicked, &m_app, &CVerdinApp::OnAppAbout);
}

CMainFrame::~CMainFrame()
{
    // The job reads the bar's flags and writes to the view's report window.
    m_pView->CancelAndWait();
    m_app.m_pOptionBar = nullptr;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    m_pView->CancelAndWait();
    SaveWindowPlacement(*this);
    event->accept();
}

// The list and the preview share what the window gains or loses, each
// keeping its part of the width they have together.
void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    const int gained = event->size().width() - event->oldSize().width();
    if (!event->oldSize().isValid() || gained == 0 || m_previewDock->isHidden() || m_previewDock->isFloating() ||
        dockWidgetArea(m_previewDock) == Qt::TopDockWidgetArea ||
        dockWidgetArea(m_previewDock) == Qt::BottomDockWidgetArea)
        return;
    // The layout has given the list all of it already.
    const int shared = m_pView->width() + m_previewDock->width();
    const double previewPart = double(m_previewDock->width()) / std::max(1, shared - gained);
    resizeDocks({m_previewDock}, {int(std::lround(shared * previewPart))}, Qt::Horizontal);
}

void CMainFrame::CreateOptionBar()
{
    m_wndOptionBar = new COptionBar;
    m_pOptionDock = new QDockWidget(this);
    m_pOptionDock->setObjectName(QStringLiteral("OptionBar"));
    m_pOptionDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_pOptionDock->setAllowedAreas(Qt::AllDockWidgetAreas);
    m_pOptionDock->setWidget(m_wndOptionBar);
    addDockWidget(Qt::RightDockWidgetArea, m_pOptionDock);
    m_app.m_pOptionBar = m_wndOptionBar;
}

// Between the list and the option bar; it can be closed, and the View menu
// shows it again.
void CMainFrame::CreatePreview()
{
    m_preview = new PreviewPane;
    m_previewDock = new QDockWidget(tr("Preview"), this);
    m_previewDock->setObjectName(QStringLiteral("PreviewDock"));
    m_previewDock->setWidget(m_preview);
    addDockWidget(Qt::RightDockWidgetArea, m_previewDock);
    splitDockWidget(m_previewDock, m_pOptionDock, Qt::Horizontal);
}

void CMainFrame::ShowPreviewOf(const QString& modelPath)
{
    if (modelPath.isEmpty()) {
        m_preview->ShowFile({});
        return;
    }
    if (const QString failure = m_pView->FailureOf(modelPath); !failure.isEmpty()) {
        m_preview->ShowFailure(failure);
        return;
    }
    const std::string converted = ConvertedFileName(QFile::encodeName(modelPath).toStdString(),
                                                    QFile::encodeName(m_pView->OutputFolder()).toStdString(),
                                                    m_wndOptionBar->Options().Output.load());
    m_preview->ShowFile(QFile::decodeName(QByteArray::fromStdString(converted)));
}

void CMainFrame::CreateActions()
{
    const auto action = [this](const QString& text, const QString& prompt, QList<QKeySequence> keys) {
        auto* created = new QAction(text, this);
        created->setStatusTip(prompt);
        created->setShortcuts(keys);
        return created;
    };

    QAction* addFiles = action(tr("&Add files…\tCtrl+O"), tr("Add COB and .x files to the list."),
                               {QKeySequence(Qt::CTRL | Qt::Key_O)});
    connect(addFiles, &QAction::triggered, this, &CMainFrame::OnAddFiles);
    QAction* addFolder = action(tr("Add &folder…"), tr("Add the COB and .x files of a folder to the list."), {});
    connect(addFolder, &QAction::triggered, this, &CMainFrame::OnAddFolder);
    QAction* exit = action(tr("E&xit\tAlt+F4"), tr("Exit"), {QKeySequence(Qt::ALT | Qt::Key_F4)});
    connect(exit, &QAction::triggered, this, &QWidget::close);
    QAction* deleteAll =
        action(tr("&Delete all\tCtrl+D"), tr("Delete all COB from list window."), {QKeySequence(Qt::CTRL | Qt::Key_D)});
    connect(deleteAll, &QAction::triggered, m_pView, &CVerdinView::OnDeleteAll);
    QAction* remove = action(tr("&Remove\tDel"), tr("Remove the selected files, or all when none is selected."),
                             {QKeySequence(Qt::Key_Delete)});
    connect(remove, &QAction::triggered, m_pView, &CVerdinView::OnDelete);
    QAction* help = action(tr("&Help\tF1"), tr("Show help file."), {QKeySequence(Qt::Key_F1)});
    connect(help, &QAction::triggered, &m_app, &CVerdinApp::OnShowHelp);
    QAction* about = action(tr("&About\tF9"), tr("Show copyright and version."), {QKeySequence(Qt::Key_F9)});
    connect(about, &QAction::triggered, &m_app, &CVerdinApp::OnAppAbout);
    // Enter anywhere in the window converts, as the "Convert!" button does.
    auto* convert = new QAction(tr("Convert!"), this);
    convert->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connect(convert, &QAction::triggered, m_pView, &CVerdinView::OnConvert);
    addAction(convert);

    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addActions({addFiles, addFolder});
    fileMenu->addSeparator();
    fileMenu->addAction(exit);
    menuBar()->addMenu(tr("&Edit"))->addActions({remove, deleteAll});
    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addAction(m_previewDock->toggleViewAction());
    // The last job's report, after its window was closed.
    QAction* report = viewMenu->addAction(tr("&Report"));
    report->setObjectName(QStringLiteral("ShowReport"));
    report->setStatusTip(tr("Show the report of the last conversion."));
    connect(report, &QAction::triggered, this, [this] {
        m_pView->ReportDlg().show();
        m_pView->ReportDlg().raise();
    });
    QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(help);
    helpMenu->addAction(about);
}

void CMainFrame::OnAddFiles()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Add files"), LastFolder(),
                                                            tr("Models (*.cob *.scn *.x *.COB *.SCN *.X)"));
    if (files.isEmpty())
        return;
    SetLastFolder(QFileInfo(files.front()).absolutePath());
    m_pView->AddPaths(EncodedPaths(files));
}

void CMainFrame::OnAddFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Add folder"), LastFolder());
    if (folder.isEmpty())
        return;
    SetLastFolder(folder);
    m_pView->AddPaths(EncodedPaths({folder}));
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    connect(m_pView, &CVerdinView::StatusMessage, bar, &QStatusBar::showMessage);
    // Hidden while a menu item's prompt is shown.
    bar->addWidget(new QLabel(tr("ﾚﾃﾞｨ")), 1);
    // Qt cannot read the lock keys' states, so the indicators stay greyed.
    for (const char* indicator : {QT_TR_NOOP("ｶﾅ"), "CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(tr(indicator));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
    }
}

}  // namespace verdin
