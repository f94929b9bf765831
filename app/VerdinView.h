#pragma once

#include "app/FileList.h"
#include "app/ReportDlg.h"
#include "base/OptionFlags.h"
#include "convert/ConvertJob.h"

#include <QIcon>
#include <QListWidget>

#include <atomic>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class QMimeData;

namespace verdin {

class CVerdinApp;

// The list of COB files to convert, shown as icons with their titles. It
// takes dropped files, starts the conversion job and shows its report.
class CVerdinView : public QListWidget {
    Q_OBJECT

public:
    CVerdinView(CVerdinApp& app, QWidget* parent = nullptr);

    // Lists the command-line files and, when there were arguments, converts
    // them at once.
    void OnInitialUpdate();

    void AddCommandLineFiles();
    void SortByTitle();

    // Sets the cancel flag of a running job and waits for its end while still
    // showing its report lines, saying that the current file is being
    // finished.
    void CancelAndWait();

    bool IsConverting() const { return m_bConverting; }
    const FileList& Files() const { return m_files; }
    CReportDlg& ReportDlg() { return m_reportDlg; }

    // The local files among dropped URLs, as file-system paths.
    static std::vector<std::string> LocalFilePaths(const QMimeData& data);

    // What an empty list shows.
    static QString EmptyListHint();

    // Where a job writes its files: the command line's folder when the
    // program was started with files, else the option bar's.
    QString OutputFolder() const;

    // Lists the COB files among `paths` and those the folders among them
    // hold, and says in the status bar what was added and left out.
    void AddPaths(const std::vector<std::string>& paths);

public Q_SLOTS:
    void OnConvert();
    void OnConvertFinished();
    void OnDeleteAll();
    // The selected files, or, once the user says so, every file when none is
    // selected.
    void OnDelete();
    void OnRemoveSelected();

    // The COB file of the current item; empty when there is none.
    QString CurrentPath() const;
    // Why the last job did not convert the file; empty when it did, or did
    // not try.
    QString FailureOf(const QString& path) const;

    // Converts the last job's files with look hints again, with the options
    // that keep the look: for this once, or with `forGood` checked in the
    // option bar.
    void OnConvertAgainKeepingLook(bool forGood);

Q_SIGNALS:
    void ConvertingChanged(bool converting);
    // The current item changed, or a job ended that may have converted it.
    void CurrentFileChanged(const QString& cobPath);
    // For the status bar; a timeout of 0 keeps the text until the next one.
    void StatusMessage(const QString& text, int timeout);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // An empty list says how to fill it.
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowItems();
    // Each item's icon and tip say whether the last job failed to convert its
    // file, and why.
    void MarkFailures();
    void StartJob(std::vector<std::string> paths, OptionFlags& options);
    void ShowJobResults();
    void OnFileStarted(int position, int files, const QString& title);

    CVerdinApp& m_app;
    bool m_bConverting = false;
    const QIcon m_icon;
    std::atomic<int> m_bCancel{0};
    std::atomic<bool> m_bAllConverted{true};    // the last job converted every file it was given
    JobOutcome m_outcome;                       // the last job's, set by its end message
    std::vector<std::string> m_jobPaths;        // the last job's files, in its order
    std::map<std::string, QString> m_failures;  // why the last job did not convert a file, by path
    OptionFlags m_keptLookOptions;              // a job's own options when it keeps the look once
    CReportDlg m_reportDlg;
    FileList m_files;
    std::optional<std::thread> m_worker;
};

}  // namespace verdin
