#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QtTest>

using namespace velmora;

using registerfiles::MapHeader;
using registerfiles::PupilHeader;

class TestSmartBase : public QObject
{
    Q_OBJECT

    QStringList notices;
    SmartBase makeBase()
    {
        return SmartBase([this](const QString& m) { notices.append(m); });
    }

    // leerling.sdb holding these bytes, opened.
    SmartBase openPupils(const TestFolder& folder, const QByteArray& bytes)
    {
        folder.write(QStringLiteral("leerling.sdb"), bytes);
        SmartBase db = makeBase();
        db.OpenDatabase(folder.file(QStringLiteral("leerling.sdb")));
        return db;
    }

private Q_SLOTS:
    void init() { notices.clear(); }

    void freshDatabaseAndTheAnnaBramExample()
    {
        TestFolder folder;
        SmartBase db = openPupils(folder, PupilHeader);
        QCOMPARE(db.DatabaseTitle(), QStringLiteral("Leerlingendatabase"));
        QCOMPARE(db.FieldCount(), 2);
        QCOMPARE(db.RecordCount(), 0);
        QCOMPARE(db.GetField(1, 2), QString());
        QCOMPARE(db.FieldWidth(1), QStringLiteral("5"));
        QCOMPARE(db.FieldWidth(2), QStringLiteral("50"));

        QVERIFY(!db.AddRecord(QStringLiteral("     Anna")));
        QCOMPARE(db.RecordCount(), 1);
        QCOMPARE(db.GetField(1, 2), QStringLiteral("Anna"));
        QCOMPARE(db.GetField(1, 1), QStringLiteral("     "));
        QVERIFY(!db.AddRecord(QStringLiteral("     Bram")));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), PupilHeader + "     Anna\r\n     Bram\r\n");
        QCOMPARE(db.ListField(2), QStringList({QStringLiteral("Anna"), QStringLiteral("Bram")}));
        QCOMPARE(db.GetField(0, 2), QString());
        QCOMPARE(db.GetField(3, 2), QString());
        QVERIFY(notices.isEmpty());

        // A field is cut at its width as read.
        folder.write(QStringLiteral("leerling.sdb"), PupilHeader + "     " + QByteArray(60, 'x') + "\r\n");
        db.OpenDatabase(folder.file(QStringLiteral("leerling.sdb")));
        QCOMPARE(db.GetField(1, 2), QString(50, u'x'));
    }

    // As a text editor may save it: LF only, and a byte-order mark that is read past and kept.
    void ansiLfOnlyAndMarkedFilesRead()
    {
        TestFolder folder;
        SmartBase db = openPupils(
            folder, "\xEF\xBB\xBFLeerlingendatabase\n 2 \nId\n 5 \nNaam\n 50 \n     Zo\xeb\n     Ren\xe9"
                    "e");
        QCOMPARE(db.DatabaseTitle(), QStringLiteral("Leerlingendatabase"));
        QCOMPARE(db.RecordCount(), 2);
        QCOMPARE(db.ListField(2), QStringList({QStringLiteral("Zoë"), QStringLiteral("Renée")}));
        QVERIFY(!db.ChangeRecord(1, QStringLiteral("     Zo\u00eb")));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), "\xEF\xBB\xBF" + PupilHeader +
                                                                  "     Zo\xeb\r\n     Ren\xe9"
                                                                  "e\r\n");
    }

    void changeAndRemoveKeepEveryOtherByte()
    {
        TestFolder folder;
        const QByteArray records = "     Anna\r\n     Bram\r\n     Cas\r\n";
        SmartBase db = openPupils(folder, PupilHeader + records);

        QVERIFY(!db.ChangeRecord(2, QStringLiteral("     Bas")));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")),
                 PupilHeader + "     Anna\r\n     Bas\r\n     Cas\r\n");
        QVERIFY(!db.RemoveRecord(2));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), PupilHeader + "     Anna\r\n     Cas\r\n");
        QCOMPARE(db.GetField(2, 2), QStringLiteral("Cas"));

        // Numbers that match no line change nothing, but the file is still rewritten.
        QVERIFY(!db.RemoveRecord(0));
        QVERIFY(!db.ChangeRecord(9, QStringLiteral("     X")));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), PupilHeader + "     Anna\r\n     Cas\r\n");
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
    }

    void changeAndRemoveOnlyTheRecordTheCallerListed()
    {
        TestFolder folder;
        SmartBase db = openPupils(folder, PupilHeader + "     Anna\r\n     Bram\r\n     Cas\r\n");
        const auto listed = db.ListRecords(2);
        QCOMPARE(listed.size(), 3);
        QCOMPARE(listed[1].field, QStringLiteral("Bram"));
        QCOMPARE(listed[1].line, QStringLiteral("     Bram"));

        // Another program removes Anna: record 2 is now Cas, and the file is not even rewritten.
        const QByteArray meanwhile = PupilHeader + "     Bram\r\n     Cas\r\n";
        folder.write(QStringLiteral("leerling.sdb"), meanwhile);
        const QDateTime old(QDate(2001, 9, 1), QTime(8, 30), Qt::UTC);
        {
            QFile file(folder.file(QStringLiteral("leerling.sdb")));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }
        for (const auto& error : {db.RemoveRecord(2, listed[1].line), db.RemoveRecord(3, listed[2].line),
                                  db.ChangeRecord(2, QStringLiteral("     Bas"), listed[1].line)})
            QVERIFY(error && error->kind == DataError::Kind::RecordChanged);
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), meanwhile);
        QCOMPARE(QFileInfo(folder.file(QStringLiteral("leerling.sdb"))).lastModified().toUTC(), old);

        // Where the record still holds the line, the change goes ahead.
        QVERIFY(!db.ChangeRecord(1, QStringLiteral("     Bas"), listed[1].line));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), PupilHeader + "     Bas\r\n     Cas\r\n");
    }

    void emptyRecordLinesCountAsTheFormatSays()
    {
        TestFolder folder;
        SmartBase db = openPupils(folder, PupilHeader + "     Anna\r\n\r\n     Cas\r\n");
        QCOMPARE(db.RecordCount(), 2);
        QCOMPARE(db.GetField(2, 2), QString());
        QCOMPARE(db.GetField(3, 2), QStringLiteral("Cas"));
        // The listing asks records 1 .. RecordCount, exactly as GetField would.
        QCOMPARE(db.ListField(2), QStringList({QStringLiteral("Anna"), QString()}));
        QVERIFY(!db.RemoveRecord(2));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), PupilHeader + "     Anna\r\n     Cas\r\n");
    }

    void damagedFilesAreNeitherTrustedNorDestroyed()
    {
        TestFolder folder;
        const QByteArray truncated = "Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\n";
        SmartBase db = openPupils(folder, truncated);
        QCOMPARE(db.RecordCount(), 0);
        QCOMPARE(db.GetField(1, 2), QString());
        QCOMPARE(db.FieldWidth(2), QString());
        const auto error = db.RemoveRecord(1);
        QVERIFY(error.has_value());
        QCOMPARE(error->kind, DataError::Kind::Malformed);
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), truncated);

        folder.write(QStringLiteral("leerling.sdb"), "Leerlingendatabase\r\n twee \r\n");
        db.OpenDatabase(folder.file(QStringLiteral("leerling.sdb")));
        QCOMPARE(db.FieldCount(), 0);
        QCOMPARE(db.RecordCount(), 0);
    }

    void addNeverGluesOntoAnUnendedLine()
    {
        TestFolder folder;
        SmartBase db = openPupils(folder, PupilHeader + "     Anna");
        QVERIFY(!db.AddRecord(QStringLiteral("     Bram")));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), PupilHeader + "     Anna\r\n     Bram\r\n");

        // The file vanished behind the program's back: nothing headerless is created.
        QFile::remove(folder.file(QStringLiteral("leerling.sdb")));
        const auto error = db.AddRecord(QStringLiteral("     Cas"));
        QVERIFY(error && error->kind == DataError::Kind::Missing);
        QVERIFY(!folder.exists(QStringLiteral("leerling.sdb")));
    }

    void unencodableTextIsRefusedBeforeWriting()
    {
        TestFolder folder;
        SmartBase db = openPupils(folder, PupilHeader + "     Anna\r\n");
        // A line break would split the record in two.
        for (const QString& line : {QStringLiteral("     Łukasz"), QStringLiteral("     Wereld\r\n"),
                                    QStringLiteral("     Anna\nBram")}) {
            for (const auto& error : {db.AddRecord(line), db.ChangeRecord(1, line)})
                QVERIFY(error && error->kind == DataError::Kind::NotEncodable);
        }
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), PupilHeader + "     Anna\r\n");
    }
};

QTEST_GUILESS_MAIN(TestSmartBase)
#include "tst_smartbase.moc"
