#include "AppTestSupport.h"
#include "CobBodies.h"
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

    // As when the session ends: the job stops after the file it is writing,
    // which is not left behind as a temporary, and the settings are kept.
    void terminatedItStopsCleanly()
    {
        verdin::test::TempDir dir;
        QStringList files;
        for (int i = 0; i < 6; ++i) {
            const std::string path = dir.Path(std::to_string(i) + ".cob");
            QVERIFY(verdin::test::CobBuilder()
                        .Header()
                        .Chunk("PolH", 0, 8, 1, 0, verdin::test::PolHBody(verdin::test::QuadGrid(600)))
                        .End()
                        .WriteTo(path));
            files << QString::fromStdString(path);
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(dir.Path("config")));
        QProcess verdin;
        verdin.setProcessEnvironment(environment);
        verdin.start(QStringLiteral(VERDIN_APP), files);
        QVERIFY(verdin.waitForStarted());
        const auto temporaries = [&] {
            std::size_t count = 0;
            for (const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
                count += entry.path().extension() == ".tmp";
            return count;
        };
        QTRY_VERIFY_WITH_TIMEOUT(temporaries() > 0, 60000);
        verdin.terminate();
        const bool finished = verdin.waitForFinished(60000);
        if (!finished)
            verdin.kill();
        QVERIFY(finished);
        QCOMPARE(verdin.exitStatus(), QProcess::NormalExit);
        QCOMPARE(temporaries(), std::size_t{0});
        QVERIFY(!std::filesystem::exists(dir.Path("5.x")));
        QVERIFY(std::filesystem::exists(dir.Path("config/Quorvane/Verdin.conf")));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
