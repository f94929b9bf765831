#include "app/AboutDlg.h"

#include "app/Icons.h"
#include "base/Version.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace verdin {

QString ProgramVersion()
{
    return QString::fromUtf8(kVersion.data(), static_cast<qsizetype>(kVersion.size()));
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About"));

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    auto* version = new QLabel(m_strVersion, this);
    version->setObjectName(QStringLiteral("version"));
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* name = new QHBoxLayout;
    name->setSpacing(0);
    name->addWidget(new QLabel(QStringLiteral("Quorvane Converter ver."), this));
    name->addWidget(version);
    name->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addLayout(name, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Copyright (C) Quorvane"), this), 1, 1);
    layout->addWidget(ok, 2, 0, 1, 2, Qt::AlignHCenter);
    layout->setColumnMinimumWidth(1, 220);
    setFixedSize(sizeHint());
}

}  // namespace verdin
