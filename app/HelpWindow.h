#pragma once

#include <QTextDocument>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace verdin {

// The help page inside the program, wherever no browser is at hand: links
// are followed in place, a search field finds a word forwards and back, and
// "Open in browser" hands the page to the desktop as an extra.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(const QString& pagePath, QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return m_browser; }
    QLineEdit* SearchField() const { return m_search; }

    // Selects the search field's next (or previous) occurrence, without
    // regard to case, going round the page's end; false when there is none.
    bool FindNext();
    bool FindPrevious();

Q_SIGNALS:
    void OpenInBrowserClicked();

private:
    bool Find(QTextDocument::FindFlags direction);

    QTextBrowser* m_browser;
    QLineEdit* m_search;
    QLabel* m_notFound;
};

}  // namespace verdin
