#pragma once

#include "base/OptionFlags.h"

#include <QWidget>

#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace verdin {

// The bar with the option check boxes, the output folder, "Convert!" and the
// Help and About buttons. It owns the option flags that a running job reads:
// loaded from the settings when the bar is constructed, kept equal to the
// boxes, saved when they change.
class COptionBar : public QWidget {
    Q_OBJECT

public:
    explicit COptionBar(QWidget* parent = nullptr);
    ~COptionBar() override;

    OptionFlags& Options() { return m_options; }
    // Where a job writes its files; empty: beside each COB file.
    QString OutputFolder() const;
    // Hidden while a job runs.
    void ShowConvertButton(bool visible);
    // As the "Keep the look" button: its options checked and saved.
    void KeepTheLook();

Q_SIGNALS:
    void ConvertClicked();
    // The format each file becomes was changed.
    void OutputFormatChanged();
    void HelpClicked();
    void AboutClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A box kept equal to the flag, whose tooltip and status-bar text are `tip`.
    QCheckBox* CreateCheckBox(const QString& text, const QString& tip, const char* name, std::atomic<int>& flag);
    QWidget* CreateOutputFormatRow();
    QWidget* CreateOutputFolderRow();

    OptionFlags m_options;
    QPushButton* m_btnConvert = nullptr;
    QPushButton* m_btnKeepLook = nullptr;
    std::map<const std::atomic<int>*, QCheckBox*> m_boxes;  // the box of each option
    QLineEdit* m_outputFolder = nullptr;
};

}  // namespace verdin
