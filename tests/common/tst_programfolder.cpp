#include "programfolder.h"
#include "testfolder.h"

#include <QtTest>

using namespace velmora;

class TestProgramFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bareNamesOnly()
    {
        QVERIFY(ProgramFolder::isBareName(QStringLiteral("europa.krt")));
        QVERIFY(!ProgramFolder::isBareName(QStringLiteral("../passwd")));
        QVERIFY(!ProgramFolder::isBareName(QStringLiteral("kaarten\\europa.krt")));
        QVERIFY(!ProgramFolder::isBareName(QStringLiteral("/etc/passwd")));
        QVERIFY(!ProgramFolder::isBareName(QStringLiteral("..")));
        QVERIFY(!ProgramFolder::isBareName(QStringLiteral(".")));
        QVERIFY(!ProgramFolder::isBareName(QString()));
    }

    void locatesIgnoringCase()
    {
        TestFolder folder;
        folder.write(QStringLiteral("Europa.KRT"), "x\r\n");
        QCOMPARE(ProgramFolder::locate(QStringLiteral("europa.krt")),
                 folder.file(QStringLiteral("Europa.KRT")));
        QCOMPARE(ProgramFolder::locate(QStringLiteral("Europa.KRT")),
                 folder.file(QStringLiteral("Europa.KRT")));
        QVERIFY(ProgramFolder::locate(QStringLiteral("azie.krt")).isEmpty());
        QVERIFY(ProgramFolder::locate(QStringLiteral("../Europa.KRT")).isEmpty());
        QCOMPARE(ProgramFolder::pathFor(QStringLiteral("EUROPA.krt")),
                 folder.file(QStringLiteral("Europa.KRT")));
        QCOMPARE(ProgramFolder::pathFor(QStringLiteral("nieuw.krt")),
                 folder.file(QStringLiteral("nieuw.krt")));
        QVERIFY(ProgramFolder::pathFor(QStringLiteral("a/b")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
