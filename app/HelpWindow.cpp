#include "app/HelpWindow.h"

#include <QAction>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace verdin {

HelpWindow::HelpWindow(const QString& pagePath, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_browser(new QTextBrowser(this)),
      m_search(new QLineEdit(this)),
      m_notFound(new QLabel(this))
{
    setWindowTitle(tr("Verdin help"));
    resize(640, 560);

    // Links to other sites go to the desktop; the page's own stay here.
    m_browser->setOpenExternalLinks(true);
    if (QFile::exists(pagePath))
        m_browser->setSource(QUrl::fromLocalFile(pagePath));
    else
        m_browser->setPlainText(tr("The help page %1 is missing.").arg(pagePath));

    m_search->setObjectName(QStringLiteral("HelpSearch"));
    m_search->setPlaceholderText(tr("Find in the page"));
    m_search->setClearButtonEnabled(true);
    auto* previous = new QPushButton(tr("&Previous"), this);
    auto* next = new QPushButton(tr("&Next"), this);
    auto* browser = new QPushButton(tr("Open in &browser"), this);
    browser->setToolTip(tr("Show this page in the program the desktop opens web pages with"));
    connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::FindNext);
    connect(m_search, &QLineEdit::textChanged, m_notFound, &QLabel::clear);
    connect(next, &QPushButton::clicked, this, &HelpWindow::FindNext);
    connect(previous, &QPushButton::clicked, this, &HelpWindow::FindPrevious);
    connect(browser, &QPushButton::clicked, this, &HelpWindow::OpenInBrowserClicked);

    const auto shortcut = [this](QKeySequence keys, auto slot) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    shortcut(QKeySequence::Find, [this] { m_search->setFocus(); });
    shortcut(QKeySequence::FindNext, &HelpWindow::FindNext);
    shortcut(QKeySequence::FindPrevious, &HelpWindow::FindPrevious);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_search, 1);
    bar->addWidget(previous);
    bar->addWidget(next);
    bar->addWidget(m_notFound);
    bar->addStretch();
    bar->addWidget(browser);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
}

bool HelpWindow::FindNext()
{
    return Find({});
}

bool HelpWindow::FindPrevious()
{
    return Find(QTextDocument::FindBackward);
}

bool HelpWindow::Find(QTextDocument::FindFlags direction)
{
    const QString text = m_search->text();
    if (text.isEmpty())
        return false;
    bool found = m_browser->find(text, direction);
    if (!found) {
        // Once more from the other end of the page.
        QTextCursor restart(m_browser->document());
        if (direction & QTextDocument::FindBackward)
            restart.movePosition(QTextCursor::End);
        const QTextCursor before = m_browser->textCursor();
        m_browser->setTextCursor(restart);
        found = m_browser->find(text, direction);
        if (!found)
            m_browser->setTextCursor(before);
    }
    m_notFound->setText(found ? QString() : tr("Not found"));
    return found;
}

}  // namespace verdin
