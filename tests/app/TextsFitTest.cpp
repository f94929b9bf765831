// No text of the windows is cut off, in English or in Japanese (with the
// Japanese font the program chooses), at the main window's first size and at
// its smallest, with the Report's notice after a job shown. A window with a
// cut text is saved as a PNG in the current folder.

#include "AppTestSupport.h"

#include "app/AboutDlg.h"
#include "app/HelpLauncher.h"
#include "app/HelpWindow.h"
#include "app/LookNotice.h"
#include "app/MainFrame.h"
#include "app/ReportDlg.h"
#include "app/Translations.h"
#include "app/VerdinApp.h"
#include "app/VerdinView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTest>

#include <memory>

using namespace verdin;

namespace {

// A label, check box or button's text as drawn: "&&" as "&", the mnemonic's
// "&" left out.
QString Shown(const QString& text)
{
    static const QRegularExpression mnemonic(QStringLiteral("&(.)"));
    return QString(text).replace(mnemonic, QStringLiteral("\\1"));
}

// The size the widget's text needs; empty for a widget without text.
QSize Needed(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty())
            return {};
        return label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->minimumSizeHint();
    }
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        return box->sizeHint();
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        // Only the text: a style's least button width is no clipping.
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int text = button->fontMetrics().horizontalAdvance(Shown(button->text()));
        return {button->width() - contents.width() + text, 0};
    }
    return {};
}

// What of the window's texts its size cuts off, one line each.
QStringList ClippedTexts(QWidget& window)
{
    QStringList clipped;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const QSize needed = Needed(widget);
        if (!widget->isVisibleTo(&window) || needed.isEmpty() ||
            (needed.width() <= widget->width() && needed.height() <= widget->height()))
            continue;
        clipped += QStringLiteral("\"%1\" is %2x%3, needs %4x%5")
                       .arg(Shown(widget->property("text").toString()))
                       .arg(widget->width())
                       .arg(widget->height())
                       .arg(needed.width())
                       .arg(needed.height());
    }
    // A menu that does not fit is moved into the bar's extension menu.
    if (auto* main = qobject_cast<QMainWindow*>(&window))
        for (QAction* menu : main->menuBar()->actions())
            if (!main->menuBar()->rect().contains(main->menuBar()->actionGeometry(menu)))
                clipped += QStringLiteral("the menu \"%1\" is not on the menu bar").arg(Shown(menu->text()));
    return clipped;
}

void Settle(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);  // the layouts of dock widgets settle after the first show
}

}  // namespace

class TextsFitTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_settingsDir;
    QFont m_font;

    // Saves a picture of the window when any text is cut off, and fails.
    static void CheckNoneClipped(QWidget& window, const QString& name)
    {
        const QStringList clipped = ClippedTexts(window);
        if (!clipped.isEmpty())
            window.grab().save(name + QStringLiteral(".png"));
        QVERIFY2(clipped.isEmpty(), qPrintable(name + u'\n' + clipped.join(u'\n')));
    }

private Q_SLOTS:
    void initTestCase()
    {
        test::UseTemporarySettings(m_settingsDir);
        m_font = QApplication::font();
    }

    void cleanup()
    {
        test::RemoveTranslations();
        QApplication::setFont(m_font);
    }

    void textsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "en";
        QTest::newRow("Japanese") << "ja";
    }
    void textsFit()
    {
        QFETCH(QString, language);
        QVERIFY(InstallTranslations(language));
        if (language == u"ja" && !UseFontFor(language))
            qWarning("No proportional Japanese font: the desktop's own is used.");

        test::ClearSettings();
        CVerdinApp app({});
        QVERIFY(app.InitInstance());
        CMainFrame& frame = *app.MainFrame();
        Settle(frame);
        CheckNoneClipped(frame, QStringLiteral("main-first-") + language);
        frame.resize(frame.minimumSizeHint());
        Settle(frame);
        CheckNoneClipped(frame, QStringLiteral("main-smallest-") + language);

        CReportDlg& report = frame.View()->ReportDlg();
        FileNote refused;
        refused.converted = true;
        refused.hints = kHintNewerMaterials | kHintTextForm | kHintPositions;
        report.Notice()->ShowHints({refused});
        report.ShowJobButtons(false);
        Settle(report);
        CheckNoneClipped(report, QStringLiteral("report-first-") + language);
        report.resize(report.minimumSizeHint());
        Settle(report);
        CheckNoneClipped(report, QStringLiteral("report-smallest-") + language);

        CAboutDlg about(&frame);
        Settle(about);
        CheckNoneClipped(about, QStringLiteral("about-") + language);
        HelpWindow help(QCoreApplication::applicationDirPath() + u'/' + HelpPageName(language), &frame);
        Settle(help);
        CheckNoneClipped(help, QStringLiteral("help-") + language);
    }
};

QTEST_MAIN(TextsFitTest)
#include "TextsFitTest.moc"
