#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace verdin {

class CMainFrame;
class COptionBar;

// The program as a whole: start-up with the command line, the main window,
// Help and About.
class CVerdinApp : public QObject {
    Q_OBJECT

public:
    // The arguments after the program name, as the process received them.
    explicit CVerdinApp(std::vector<std::string> arguments);
    ~CVerdinApp() override;

    // Opens the main window and, when files were named, starts converting
    // them. False when the program is to end at once.
    bool InitInstance();

    const std::vector<std::string>& Arguments() const { return m_arguments; }
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
    void OnShowHelp();

private:
    void ShowMessage(const QString& text);

    std::vector<std::string> m_arguments;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

}  // namespace verdin
