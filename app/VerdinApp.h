#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace verdin {

class CMainFrame;
class COptionBar;
class HelpWindow;

// The program as a whole: start-up with the command line, the main window,
// Help and About.
class CVerdinApp : public QObject {
    Q_OBJECT

public:
    // The files named on the command line, as the process received them, and
    // the folder they are converted into (empty: beside each of them).
    explicit CVerdinApp(std::vector<std::string> arguments, std::string outputFolder = {});
    ~CVerdinApp() override;

    // Opens the main window and, when files were named, starts converting
    // them. False when the program is to end at once.
    bool InitInstance();

    const std::vector<std::string>& Arguments() const { return m_arguments; }
    const std::string& CommandLineOutputFolder() const { return m_outputFolder; }
    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

    // Starts the program the desktop opens files of the extension with,
    // giving it the argument; failures are shown in message boxes.
    void RunAssociatedProgram(const QString& extension, const QString& argument);

    // The main window's option bar, whose flags a job reads; set by the frame.
    COptionBar* m_pOptionBar = nullptr;
    // The program's directory, ending in "/".
    QString m_strAppDir;

public Q_SLOTS:
    void OnAppAbout();
    // The help window, in the window's language.
    void OnShowHelp();
    // The same page in the program the desktop opens web pages with.
    void OnOpenHelpInBrowser();

private:
    void ShowMessage(const QString& text);
    QString HelpPagePath() const;

    std::vector<std::string> m_arguments;
    std::string m_outputFolder;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    QPointer<HelpWindow> m_helpWindow;  // goes with the main window
};

}  // namespace verdin
