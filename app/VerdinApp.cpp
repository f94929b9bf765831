#include "app/VerdinApp.h"

#include "app/AboutDlg.h"
#include "app/HelpLauncher.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/Translations.h"
#include "app/VerdinView.h"
#include "app/WindowPlacement.h"
#include "base/InputFile.h"
#include "base/PathHelpers.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace verdin {

namespace {

// The first argument stands for the document the window shows; it has to be
// a file that can be read. Its name is taken as the bytes given: a name that
// is no valid text in the user's character set is still the file's.
bool CanOpenDocument(const std::string& path)
{
    InputFile file;
    return file.Open(path);
}

}  // namespace

CVerdinApp::CVerdinApp(std::vector<std::string> arguments, std::string outputFolder)
    : m_arguments(std::move(arguments)), m_outputFolder(std::move(outputFolder))
{
}

CVerdinApp::~CVerdinApp() = default;

bool CVerdinApp::InitInstance()
{
    m_strAppDir = QCoreApplication::applicationDirPath() + u'/';

    QString title = QStringLiteral("Quorvane Converter ver.") + ProgramVersion();
    if (!m_arguments.empty()) {
        if (!CanOpenDocument(m_arguments.front())) {
            ShowMessage(tr("%1 を開くことができません。")
                            .arg(QFile::decodeName(QByteArray::fromStdString(m_arguments.front()))));
            return false;
        }
        title = QFile::decodeName(QByteArray::fromStdString(PathFileName(m_arguments.front())));
    }

    m_pMainFrame = std::make_unique<CMainFrame>(*this);
    m_pMainFrame->setWindowTitle(title + QStringLiteral(" - Verdin"));
    m_pMainFrame->show();
    FitWindowIntoScreen(*m_pMainFrame);
    m_pMainFrame->View()->OnInitialUpdate();
    return true;
}

void CVerdinApp::OnAppAbout()
{
    CAboutDlg(m_pMainFrame.get()).exec();
}

void CVerdinApp::OnShowHelp()
{
    if (!m_helpWindow) {
        m_helpWindow = new HelpWindow(HelpPagePath(), m_pMainFrame.get());
        connect(m_helpWindow, &HelpWindow::OpenInBrowserClicked, this, &CVerdinApp::OnOpenHelpInBrowser);
    }
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

void CVerdinApp::OnOpenHelpInBrowser()
{
    RunAssociatedProgram(QStringLiteral(".html"), HelpPageUrl(HelpPagePath()));
}

QString CVerdinApp::HelpPagePath() const
{
    return HelpPageDirectory(m_strAppDir, QStringLiteral(VERDIN_HELP_FROM_PROGRAM)) +
           HelpPageName(WindowLanguage(QLocale::system().uiLanguages()));
}

void CVerdinApp::RunAssociatedProgram(const QString& extension, const QString& argument)
{
    const QString mimeType = MimeTypeForExtension(extension);
    const QString desktopEntry = mimeType.isEmpty() ? QString() : DefaultDesktopEntry(mimeType);
    const std::optional<AssociatedCommand> command = CommandForDesktopEntry(
        desktopEntry, QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation), argument);
    if (!command) {
        // Without a program registered for the type, the desktop may still
        // open the page its own way.
        if (!QDesktopServices::openUrl(QUrl(argument)))
            ShowMessage(tr("%1に関連づけられたソフトが見つかりません。").arg(extension));
        return;
    }
    if (!QProcess::startDetached(command->program, command->arguments))
        ShowMessage(tr("%1の実行ができませんでした。").arg(command->registered));
}

void CVerdinApp::ShowMessage(const QString& text)
{
    QMessageBox::warning(m_pMainFrame.get(), QStringLiteral("Verdin"), text);
}

}  // namespace verdin
