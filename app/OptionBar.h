#pragma once

#include "base/OptionFlags.h"

#include <QWidget>

class QCheckBox;
class QPushButton;

namespace verdin {

// The bar with the option check boxes, "Convert!" and the Help and About
// buttons. It owns the option flags that a running job reads: loaded from the
// settings when the bar is constructed, kept equal to the boxes, saved when
// the bar is destroyed.
class COptionBar : public QWidget {
    Q_OBJECT

public:
    explicit COptionBar(QWidget* parent = nullptr);
    ~COptionBar() override;

    OptionFlags& Options() { return m_options; }
    // Hidden while a job runs.
    void ShowConvertButton(bool visible);

Q_SIGNALS:
    void ConvertClicked();
    void HelpClicked();
    void AboutClicked();

private:
    QCheckBox* CreateCheckBox(const QString& text, const char* name, std::atomic<int>& flag);

    OptionFlags m_options;
    QPushButton* m_btnConvert = nullptr;
};

}  // namespace verdin
