#pragma once

#include <QDialog>

namespace verdin {

// The modal About box with the program's name and version.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    const QString m_strVersion = QStringLiteral("1.06");
};

}  // namespace verdin
