#pragma once

#include "convert/FileNote.h"

#include <QFrame>

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace verdin {

// Under the report after a job: why some files were refused or lost their
// look, and a button that converts them again with the options that keep it.
class LookNotice : public QFrame {
    Q_OBJECT

public:
    explicit LookNotice(QWidget* parent = nullptr);

    // Names the causes the notes' hints give; hidden when they give none.
    void ShowHints(const std::vector<FileNote>& notes);

    QLabel* Text() const { return m_text; }
    QPushButton* ConvertAgainButton() const { return m_convertAgain; }
    QCheckBox* ForGoodBox() const { return m_forGood; }

Q_SIGNALS:
    // With `forGood`, the options are to stay on in the option bar; otherwise
    // they hold for this conversion only.
    void ConvertAgainClicked(bool forGood);

private:
    QLabel* m_text;
    QCheckBox* m_forGood;
    QPushButton* m_convertAgain;
};

}  // namespace verdin
