#include "app/LookNotice.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace verdin {

LookNotice::LookNotice(QWidget* parent)
    : QFrame(parent),
      m_text(new QLabel(this)),
      m_forGood(new QCheckBox(tr("Keep the look from now on"), this)),
      m_convertAgain(new QPushButton(tr("Convert them again, keeping the look"), this))
{
    setObjectName(QStringLiteral("LookNotice"));
    setFrameShape(QFrame::StyledPanel);
    m_text->setWordWrap(true);
    m_forGood->setObjectName(QStringLiteral("KeepLookForGood"));
    m_forGood->setToolTip(tr("Check the options of \"Keep the look\" in the option bar, for every later conversion"));
    m_convertAgain->setObjectName(QStringLiteral("ConvertAgain"));
    connect(m_convertAgain, &QPushButton::clicked, this,
            [this] { Q_EMIT ConvertAgainClicked(m_forGood->isChecked()); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_forGood, 1);
    buttons->addWidget(m_convertAgain);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    hide();
}

void LookNotice::ShowHints(const std::vector<FileNote>& notes)
{
    QStringList causes;
    if (const int count = CountWithHint(notes, kHintNewerMaterials))
        causes += tr("%n file(s) had newer materials refused and came out white.", nullptr, count);
    if (const int count = CountWithHint(notes, kHintTextForm))
        causes += tr("%n file(s) in the text form were not read.", nullptr, count);
    if (const int count = CountWithHint(notes, kHintPositions))
        causes += tr("%n file(s) have objects that overlap without their positions.", nullptr, count);
    setVisible(!causes.isEmpty());
    causes += tr("\"Keep the look\" in the option bar turns on what reads and places them.");
    m_text->setText(causes.join(u'\n'));
}

}  // namespace verdin
