#pragma once

#include <QDialog>

namespace verdin {

// The program's version, as the About box and the window title show it.
QString ProgramVersion();

// The modal About box with the program's name and version.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    const QString m_strVersion = ProgramVersion();
};

}  // namespace verdin
