#include "AppTestSupport.h"
#include "CobBodies.h"
#include "TestSupport.h"

#include "base/Version.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Beside the files, whatever output folder the window keeps; with -o in
    // the folder named.
    void startedWithTwoCobFilesItConvertsThemAndQuits()
    {
        verdin::test::TempDir dir;
        const std::string x = dir.Path("x.cob"), y = dir.Path("y.cob");
        QVERIFY(verdin::test::WriteCob(x, 2));
        QVERIFY(verdin::test::WriteCob(y, 1));
        std::filesystem::create_directories(dir.Path("config/Quorvane"));
        QVERIFY(verdin::test::CobBuilder()
                    .Bytes("[Settings]\nOutputFolder=" + dir.Path("kept") + "\n")
                    .WriteTo(dir.Path("config/Quorvane/Verdin.conf")));

        const QString files[] = {QString::fromStdString(x), QString::fromStdString(y)};
        QCOMPARE(Run(dir, {files[0], files[1]}).exitCode, 0);
        QVERIFY(std::filesystem::exists(dir.Path("x.x")));
        QVERIFY(std::filesystem::exists(dir.Path("y.x")));
        QVERIFY(!std::filesystem::exists(dir.Path("kept")));

        QCOMPARE(Run(dir, {"-o", QString::fromStdString(dir.Path("out")), files[0]}).exitCode, 0);
        QVERIFY(std::filesystem::exists(dir.Path("out/x.x")));
    }

    // Without a display too.
    void helpAndVersionPrintAndEndWithStatusZero()
    {
        verdin::test::TempDir dir;
        const Outcome help = Run(dir, {"--help"}, QStringLiteral("none"));
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.output.startsWith("Usage: verdin [-o DIR] [FILE...]\n"), help.output.constData());
        const Outcome version = Run(dir, {"--version"}, QStringLiteral("none"));
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.output, "verdin " + QByteArray(verdin::kVersion.data()) + "\n");
        QCOMPARE(Run(dir, {"--bogus", "a.cob"}).exitCode, 2);
    }

    // A name that is no valid UTF-8 is the file's all the same; a file that
    // fails makes the status 1, as the command-line converter's.
    void namesAreBytesAndAFailedFileGivesStatusOne()
    {
        verdin::test::TempDir dir;
        const std::string odd = dir.Path("caf\xe9.cob");
        QVERIFY(verdin::test::WriteCob(odd, 1));
        QVERIFY(verdin::test::CobBuilder().Bytes("Caligari V00.01BLH").WriteTo(dir.Path("broken.cob")));
        setenv("XDG_CONFIG_HOME", dir.Path("config").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::string program = VERDIN_APP, first = odd, second = dir.Path("broken.cob");
        char* arguments[] = {program.data(), first.data(), second.data(), nullptr};
        pid_t child = -1;
        QCOMPARE(posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ), 0);
        int status = 0;
        bool ended = false;
        // A refused name would leave it waiting on a message box.
        const auto stopIfStillThere = qScopeGuard([&] {
            if (!ended)
                kill(child, SIGKILL);
        });
        for (int tries = 0; tries < 600 && !ended; ++tries) {
            ended = waitpid(child, &status, WNOHANG) == child;
            if (!ended)
                QTest::qWait(100);
        }
        QVERIFY(ended);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 1);
        QVERIFY(std::filesystem::exists(dir.Path("caf\xe9.x")));
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

private:
    struct Outcome {
        int exitCode = -1;
        QByteArray output;
    };

    // Runs the program on the platform given, with its settings in the folder.
    static Outcome Run(const verdin::test::TempDir& dir, const QStringList& arguments,
                       const QString& platform = QStringLiteral("offscreen"))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(dir.Path("config")));
        QProcess verdin;
        verdin.setProcessEnvironment(environment);
        verdin.start(QStringLiteral(VERDIN_APP), arguments);
        if (!verdin.waitForStarted())
            return {};
        if (!verdin.waitForFinished(20000)) {
            verdin.kill();
            verdin.waitForFinished();
            return {};
        }
        if (verdin.exitStatus() != QProcess::NormalExit)
            return {};
        return {verdin.exitCode(), verdin.readAllStandardOutput()};
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
