#include "app/FileList.h"

#include <QTest>

#include <clocale>

using verdin::CompareNoCase;
using verdin::FileList;

class FileListTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { std::setlocale(LC_CTYPE, "C.UTF-8"); }

    void isModelPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("listed");
        QTest::newRow("cob") << "/models/a.cob" << true;
        QTest::newRow("upper case") << "/models/a.COB" << true;
        QTest::newRow("scn mixed case") << "/models/b.Scn" << true;
        QTest::newRow("DirectX") << "/models/d.X" << true;
        QTest::newRow("text") << "/models/c.txt" << false;
        QTest::newRow("no extension") << "/models/cob" << false;
        QTest::newRow("dot file") << "/models/.cob" << false;
        QTest::newRow("backup") << "/models/a.cob.bak" << false;
        QTest::newRow("folder named .cob") << "/models.cob/a" << false;
        QTest::newRow("multibyte title") << "/モデル/車.cob" << true;
    }

    void isModelPath()
    {
        QFETCH(QString, path);
        QFETCH(bool, listed);
        QCOMPARE(FileList::IsModelPath(path.toStdString()), listed);
    }

    void compareNoCase()
    {
        QCOMPARE(CompareNoCase("Apple", "apple"), 0);
        QVERIFY(CompareNoCase("apple", "Banana") < 0);
        QVERIFY(CompareNoCase("b", "A") > 0);
        QVERIFY(CompareNoCase("ab", "AbC") < 0);
        QCOMPARE(CompareNoCase("ÄRGER", "ärger"), 0);
        QVERIFY(CompareNoCase("\xff", "a") != 0);  // not a character: compared as a byte
    }

    void sortsByTitleWithoutRegardToCaseKeepingEqualTitlesInOrder()
    {
        FileList files;
        for (const char* path : {"/x/b.cob", "/y/A.scn", "/z/C.COB", "/w/a.cob", "/v/notes.txt"})
            files.AddFile(path);
        files.SortByTitle();
        const std::vector<std::string> expected = {"/y/A.scn", "/w/a.cob", "/x/b.cob", "/z/C.COB"};
        QCOMPARE(files.Paths(), expected);
        QCOMPARE(files.Entries().front().title, std::string("A"));
    }

    void keepsDuplicatesAndLongPathsWhole()
    {
        const std::string longPath = "/" + std::string(300, 'd') + "/model.cob";
        FileList files;
        QVERIFY(files.AddFile(longPath));
        QVERIFY(files.AddFile(longPath));
        QVERIFY(!files.AddFile("/tmp/readme.txt"));
        QCOMPARE(files.Paths(), std::vector<std::string>({longPath, longPath}));
        files.Clear();
        QVERIFY(files.Empty());
    }
};

QTEST_GUILESS_MAIN(FileListTest)
#include "FileListTest.moc"
