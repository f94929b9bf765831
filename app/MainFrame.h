#pragma once

#include <QMainWindow>

class QDockWidget;

namespace verdin {

class COptionBar;
class CVerdinApp;
class CVerdinView;
class PreviewPane;

// The main window: the file list in the middle, the option bar docked at the
// right, the menus and the status bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(CVerdinApp& app);
    ~CMainFrame() override;

    CVerdinView* View() const { return m_pView; }
    COptionBar* OptionBar() const { return m_wndOptionBar; }
    QDockWidget* OptionDock() const { return m_pOptionDock; }
    PreviewPane* Preview() const { return m_preview; }

protected:
    // A running job is cancelled and waited for before the window goes.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

public Q_SLOTS:
    // The file dialogs of the File menu; they start in the last folder used.
    void OnAddFiles();
    void OnAddFolder();

private:
    void CreateOptionBar();
    void CreatePreview();
    void ShowPreviewOf(const QString& modelPath);
    void CreateActions();
    void CreateStatusBar();

    CVerdinApp& m_app;
    COptionBar* m_wndOptionBar = nullptr;
    QDockWidget* m_pOptionDock = nullptr;
    CVerdinView* m_pView = nullptr;
    PreviewPane* m_preview = nullptr;
    QDockWidget* m_previewDock = nullptr;
};

}  // namespace verdin
