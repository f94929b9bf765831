#include "AppTestSupport.h"

#include "app/HelpLauncher.h"
#include "app/OptionSettings.h"
#include "app/Translations.h"
#include "app/WindowPlacement.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace verdin;

namespace {

void WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

}  // namespace

class SettingsAndHelpTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::UseTemporarySettings(m_settingsDir); }
    void init() { test::ClearSettings(); }

    void windowLanguageFollowsTheFirstPreferredLanguage_data()
    {
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("language");
        QTest::newRow("Japanese") << QStringList{"ja-JP", "en-US"} << "ja";
        QTest::newRow("English first") << QStringList{"en-GB", "ja"} << "en";
        QTest::newRow("another language") << QStringList{"de-DE"} << "en";
        QTest::newRow("none") << QStringList{} << "en";
    }
    void windowLanguageFollowsTheFirstPreferredLanguage()
    {
        QFETCH(QStringList, preferred);
        QFETCH(QString, language);
        QCOMPARE(WindowLanguage(preferred), language);
    }

    // The Japanese source texts read in English, the newer English ones in
    // Japanese; report lines are never translated, so only the window's are.
    void translationsLoadForBothLanguages()
    {
        const auto text = [](const char* context, const char* source, int n = -1) {
            return QCoreApplication::translate(context, source, nullptr, n);
        };
        QVERIFY(InstallTranslations(QStringLiteral("en")));
        QCOMPARE(text("verdin::CMainFrame", "ﾚﾃﾞｨ"), QStringLiteral("Ready"));
        QCOMPARE(text("verdin::CReportDlg", "ｷｬﾝｾﾙ"), QStringLiteral("Cancel"));
        QCOMPARE(text("verdin::CVerdinView", "%n file(s) added.", 1), QStringLiteral("1 file added."));
        QCOMPARE(text("verdin::COptionBar", "Add &Template"), QStringLiteral("Add &Template"));
        test::RemoveTranslations();

        QVERIFY(InstallTranslations(QStringLiteral("ja")));
        QCOMPARE(text("verdin::CMainFrame", "ﾚﾃﾞｨ"), QStringLiteral("ﾚﾃﾞｨ"));
        QCOMPARE(text("verdin::COptionBar", "&Output folder:"), QStringLiteral("出力フォルダ(&O):"));
        test::RemoveTranslations();
        QVERIFY(!InstallTranslations(QStringLiteral("xx")));
        test::RemoveTranslations();
    }

    void missingValuesGiveTheDefaults()
    {
        OptionFlags options;
        options.AddTemplates = 0;
        options.ScaleAndRotation = 0;
        options.bPPM = 1;
        options.FlipV = 1;
        options.Ascii = 1;
        LoadOptions(options);
        QCOMPARE(options.AddTemplates.load(), 1);
        QCOMPARE(options.BinaryXFile.load(), 0);
        QCOMPARE(options.ScaleAndRotation.load(), 1);
        QCOMPARE(options.Position.load(), 0);
        QCOMPARE(options.bPPM.load(), 0);
        QCOMPARE(options.NewerMaterials.load(), 0);
        QCOMPARE(options.FlipV.load(), 0);
        QCOMPARE(options.Ascii.load(), 0);
    }

    void savedValuesComeBack()
    {
        OptionFlags saved;
        saved.AddTemplates = 0;
        saved.BinaryXFile = 1;
        saved.Position = 1;
        saved.bPPM = 1;
        saved.NewerMaterials = 1;
        saved.Ascii = 1;
        saved.Output = kOutputGltf;
        SaveOptions(saved);

        QSettings settings;
        settings.beginGroup(QStringLiteral("Settings"));
        QCOMPARE(settings.childKeys().size(), 14);
        QCOMPARE(settings.value(QStringLiteral("BinaryXFile")).toInt(), 1);

        OptionFlags loaded;
        LoadOptions(loaded);
        QCOMPARE(loaded.AddTemplates.load(), 0);
        QCOMPARE(loaded.BinaryXFile.load(), 1);
        QCOMPARE(loaded.ScaleAndRotation.load(), 1);
        QCOMPARE(loaded.Position.load(), 1);
        QCOMPARE(loaded.bPPM.load(), 1);
        QCOMPARE(loaded.NewerMaterials.load(), 1);
        QCOMPARE(loaded.FlipV.load(), 0);
        QCOMPARE(loaded.Ascii.load(), 1);
        QCOMPARE(loaded.Output.load(), kOutputGltf);

        // A format this version does not know is the default one.
        settings.setValue(QStringLiteral("Output"), 7);
        LoadOptions(loaded);
        QCOMPARE(loaded.Output.load(), kOutputX);
    }

    void helpPageUrl()
    {
        QCOMPARE(HelpPageUrl(QStringLiteral("/opt/Verdin tools/") + HelpPageName(QStringLiteral("en"))),
                 QStringLiteral("file:///opt/Verdin%20tools/Verdin.htm"));
        QCOMPARE(HelpPageUrl(QStringLiteral("/usr/bin/") + HelpPageName(QStringLiteral("ja"))),
                 QStringLiteral("file:///usr/bin/Verdin.ja.htm"));
    }

    // A small screen at the left of a large one: the window lands where its
    // title bar can be reached, no larger than the screen it is on.
    void placementIsFittedToAScreen_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("fits") << QRect(900, 100, 600, 400) << QRect(900, 100, 600, 400);
        QTest::newRow("above the small one") << QRect(100, -40, 600, 400) << QRect(100, 0, 600, 400);
        QTest::newRow("larger than the small one") << QRect(10, 10, 1000, 700) << QRect(0, 0, 800, 480);
        QTest::newRow("corner off every screen") << QRect(-300, 200, 600, 400) << QRect(0, 80, 600, 400);
        QTest::newRow("mostly on the large one") << QRect(700, -100, 900, 600) << QRect(800, 0, 900, 600);
        QTest::newRow("on no screen") << QRect(5000, 5000, 600, 400) << QRect(200, 80, 600, 400);
    }
    void placementIsFittedToAScreen()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, placed);
        QCOMPARE(PlacedOnScreens(frame, {QRect(0, 0, 800, 480), QRect(800, 0, 1920, 1040)}), placed);
    }

    // Beside the program in a build folder; in the documentation folder once
    // installed; the program's own folder when neither holds it.
    void helpPageIsFoundBesideTheProgramThenWhereItIsInstalled()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.path() + "/bin/", doc = prefix.path() + "/share/doc/verdin/";
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(doc));
        const QString fromBin = QStringLiteral("../share/doc/verdin");
        QCOMPARE(HelpPageDirectory(bin, fromBin), bin);
        WriteText(doc + "Verdin.htm", "<html></html>");
        QCOMPARE(HelpPageDirectory(bin, fromBin), doc);
        WriteText(bin + "Verdin.htm", "<html></html>");
        QCOMPARE(HelpPageDirectory(bin, fromBin), bin);
    }

    void htmlFilesAreTextHtml()
    {
        QCOMPARE(MimeTypeForExtension(QStringLiteral(".html")), QStringLiteral("text/html"));
    }

    void expandExecLine_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QStringList>("expected");
        const QString url = QStringLiteral("file:///opt/Verdin.htm");
        QTest::newRow("url code") << "firefox %u" << QStringList{"firefox", url};
        QTest::newRow("list code") << "browser --new-window %U" << QStringList{"browser", "--new-window", url};
        QTest::newRow("file code") << "viewer %F" << QStringList{"viewer", url};
        QTest::newRow("no code: appended") << "browser" << QStringList{"browser", url};
        QTest::newRow("code inside a word") << "viewer --open=%f" << QStringList{"viewer", "--open=" + url};
        QTest::newRow("quoted program") << "\"/opt/My Browser/run\" %u" << QStringList{"/opt/My Browser/run", url};
        QTest::newRow("escapes in quotes")
            << "sh -c \"echo \\\"\\$1\\\"\" %u" << QStringList{"sh", "-c", "echo \"$1\"", url};
        QTest::newRow("string escape") << "\"my\\sbrowser\" %u" << QStringList{"my browser", url};
        QTest::newRow("other codes dropped") << "browser %i %c %k %u" << QStringList{"browser", url};
        QTest::newRow("percent sign") << "browser --zoom=100%% %u" << QStringList{"browser", "--zoom=100%", url};
    }

    void expandExecLine()
    {
        QFETCH(QString, exec);
        QFETCH(QStringList, expected);
        const std::optional<QStringList> line = ExpandExecLine(exec, QStringLiteral("file:///opt/Verdin.htm"));
        QVERIFY(line);
        QCOMPARE(*line, expected);
    }

    void unusableExecLines()
    {
        QVERIFY(!ExpandExecLine(QString(), QStringLiteral("x")));
        QVERIFY(!ExpandExecLine(QStringLiteral("   "), QStringLiteral("x")));
        QVERIFY(!ExpandExecLine(QStringLiteral("\"browser %u"), QStringLiteral("x")));
        QVERIFY(!ExpandExecLine(QStringLiteral("%i"), QStringLiteral("x")));
    }

    void findsTheDesktopEntryInTheFirstFolderThatHasIt()
    {
        QTemporaryDir dir;
        const QString user = dir.filePath(QStringLiteral("user")), system = dir.filePath(QStringLiteral("system"));
        QVERIFY(QDir().mkpath(user) && QDir().mkpath(system));
        WriteText(system + "/web.desktop", "[Desktop Entry]\nName=Web\nExec=system-browser %u\n");
        WriteText(user + "/web.desktop",
                  "# comment\n[Desktop Entry]\nType=Application\nExec[de]=localised %u\nExec = user-browser --new %U\n"
                  "\n[Desktop Action private]\nExec=user-browser --private %u\n");
        WriteText(user + "/broken.desktop", "[Desktop Entry]\nName=No command\n");

        const QString url = QStringLiteral("file:///opt/Verdin.htm");
        const auto command = CommandForDesktopEntry(QStringLiteral("web.desktop"), {user, system}, url);
        QVERIFY(command);
        QCOMPARE(command->program, QStringLiteral("user-browser"));
        QCOMPARE(command->arguments, QStringList({QStringLiteral("--new"), url}));
        QCOMPARE(command->registered, QStringLiteral("user-browser --new %U"));

        const auto fromSystem = CommandForDesktopEntry(QStringLiteral("web.desktop"), {system}, url);
        QVERIFY(fromSystem);
        QCOMPARE(fromSystem->program, QStringLiteral("system-browser"));

        QVERIFY(!CommandForDesktopEntry(QStringLiteral("missing.desktop"), {user, system}, url));
        QVERIFY(!CommandForDesktopEntry(QStringLiteral("broken.desktop"), {user, system}, url));
        QVERIFY(!CommandForDesktopEntry(QString(), {user, system}, url));
        QVERIFY(!CommandForDesktopEntry(QStringLiteral("../user/web.desktop"), {system}, url));
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(SettingsAndHelpTest)
#include "SettingsAndHelpTest.moc"
