#include "AppTestSupport.h"
#include "TestSupport.h"

#include <QProcess>
#include <QTest>

#include <filesystem>

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startedWithTwoCobFilesItConvertsThemAndQuits()
    {
        verdin::test::TempDir dir;
        const std::string x = dir.Path("x.cob"), y = dir.Path("y.cob");
        QVERIFY(verdin::test::WriteCob(x, 2));
        QVERIFY(verdin::test::WriteCob(y, 1));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(dir.Path("config")));
        QProcess verdin;
        verdin.setProcessEnvironment(environment);
        verdin.start(QStringLiteral(VERDIN_APP), {QString::fromStdString(x), QString::fromStdString(y)});
        QVERIFY(verdin.waitForStarted());
        const bool finished = verdin.waitForFinished(20000);
        if (!finished)
            verdin.kill();
        QVERIFY2(finished, verdin.readAllStandardError().constData());
        QCOMPARE(verdin.exitStatus(), QProcess::NormalExit);
        QCOMPARE(verdin.exitCode(), 0);
        QVERIFY(std::filesystem::exists(dir.Path("x.x")));
        QVERIFY(std::filesystem::exists(dir.Path("y.x")));
        QVERIFY(std::filesystem::exists(dir.Path("config/Quorvane/Verdin.conf")));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
