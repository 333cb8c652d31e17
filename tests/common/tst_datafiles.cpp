#include "ansitext.h"
#include "databasefile.h"
#include "encryptor.h"
#include "filelock.h"
#include "freefield.h"
#include "mapfile.h"
#include "numberform.h"
#include "passwordfile.h"
#include "platformfile.h"
#include "programfolder.h"
#include "registerfiles.h"
#include "resultsfile.h"
#include "score.h"
#include "testfolder.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace velmora;

// The small formats: Windows-1252 text, numbers, names, passwd, toets.res, and how a register is made.
class TestDataFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textNumbersAndNames()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(AnsiText::encode(AnsiText::decode(all)), std::optional<QByteArray>(all));
        QCOMPARE(AnsiText::decode("\x80\xe9\xeb"), QStringLiteral("€éë"));
        QCOMPARE(AnsiText::firstUnencodable(u"Łukasz"), std::optional<QChar>(QChar(0x141)));
        QVERIFY(!AnsiText::canEncode(QStringLiteral("smile \U0001F600")));

        QCOMPARE(NumberForm::line(50), QByteArray(" 50 \r\n"));
        QCOMPARE(NumberForm::parse(u" 50 "), std::optional<int>(50));
        QCOMPARE(NumberForm::parse(u"-120"), std::optional<int>(-120));
        for (const char16_t* bad : {u"", u" 5x ", u"40000"})
            QVERIFY(!NumberForm::parse(bad).has_value());
        QCOMPARE(NumberForm::leadingValue(u" 12abc"), 12);
        QCOMPARE(NumberForm::leadingValue(u"abc"), 0);

        QVERIFY(ProgramFolder::isBareName(QStringLiteral("europa.krt")));
        for (const char* name : {"../passwd", "kaarten\\europa.krt", "/etc/passwd", "..", ".", ""})
            QVERIFY2(!ProgramFolder::isBareName(QString::fromLatin1(name)), name);
    }

    void freeField_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("rest"); // null: nothing after the field
        QTest::newRow("quoted keeps blanks")
            << QStringLiteral("  \" a, b \"  ") << QStringLiteral(" a, b ") << QString();
        QTest::newRow("cut at comma") << QStringLiteral("kaart,1 s 100  200  Utrecht")
                                      << QStringLiteral("kaart") << QStringLiteral("1 s 100  200  Utrecht");
        QTest::newRow("quoted then comma")
            << QStringLiteral("\"a, b\" ,rest") << QStringLiteral("a, b") << QStringLiteral("rest");
        QTest::newRow("blank before comma")
            << QStringLiteral("kaart .bmp ,x") << QStringLiteral("kaart .bmp") << QStringLiteral("x");
    }
    void freeField()
    {
        QFETCH(QString, line);
        QFETCH(QString, rest);
        const FreeField field = FreeField::read(line);
        QTEST(field.value, "value");
        QCOMPARE(field.rest, rest.isNull() ? std::nullopt : std::optional<QString>(rest));
    }

    void passwordFile()
    {
        // "abc" against "Vrendlak": 97+86=183, 98+114=212, 99+101=200; 0xFE+'V'=340 -> 340 mod 255 + 32.
        QCOMPARE(Encryptor::Encrypt("\xfe", "Vrendlak"), QByteArray("u"));
        QCOMPARE(Encryptor::Decrypt("u", "Vrendlak"), QByteArray("\xfe"));
        // The lowest codes come back too.
        QCOMPARE(Encryptor::Decrypt(Encryptor::Encrypt(" !#", "Vrendlak"), "Vrendlak"), QByteArray(" !#"));
        // The key repeats after eight characters: position 9 uses 'V' again.
        QCOMPARE(Encryptor::Encrypt("AAAAAAAAA", "Vrendlak").back(), char(65 + 86));
        QCOMPARE(PasswordFile::storable(QStringLiteral("Geheim é")),
                 std::optional<QByteArray>("Geheim \xe9"));
        QVERIFY(!PasswordFile::storable(QStringLiteral("\u00ff")).has_value());

        TestFolder folder;
        const QString path = PasswordFile::path();
        const auto lineOne = [&path] { return std::get<QByteArray>(PasswordFile::readLine(path)); };
        QVERIFY(!PasswordFile::ensureExists(path));
        QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray("\r\n"));
        QVERIFY(!PasswordFile::writeLine(path, PasswordFile::encipher("abc")));
        QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray("\xb7\xd4\xc8\r\n"));
        QCOMPARE(PasswordFile::decipher(lineOne()), QByteArray("abc"));
        // A change is written only over the password it was checked against.
        const auto changed = PasswordFile::writeLine(path, PasswordFile::encipher("x"), QByteArray("\xb7"));
        QVERIFY(changed && changed->kind == DataError::Kind::RecordChanged);
        QVERIFY(!PasswordFile::writeLine(path, QByteArray(), QByteArray("\xb7\xd4\xc8")));
        QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray("\r\n"));
    }

    void resultsAppended()
    {
        TestFolder folder;
        const QString path = ResultsFile::path();
        QVERIFY(!ResultsFile::append(path, QStringLiteral("Anna"), QStringLiteral("Europa  "), 2, 20, 17));
        QVERIFY(
            !ResultsFile::append(path, QStringLiteral("Zoë, de Vries"), QStringLiteral("Curaçao"), 1, 3, 2));
        QCOMPARE(folder.read(QStringLiteral("toets.res")),
                 QByteArray("Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\nZo\xeb, de Vries\r\nCura\xe7"
                            "ao\r\n 1 \r\n 3 \r\n 2 \r\n"));
        const auto refused =
            ResultsFile::append(path, QStringLiteral("Łukasz"), QStringLiteral("E"), 1, 1, 1);
        QVERIFY(refused && refused->kind == DataError::Kind::NotEncodable);
        const ResultsTable records = std::get<ResultsTable>(ResultsFile::readFile(path));
        QCOMPARE(records.size(), 2);
        QCOMPARE(records.record(1).naam, QStringLiteral("Zoë, de Vries"));
        QCOMPARE(records.record(0).kaart, QStringLiteral("Europa"));
        // A damaged file of bare line ends: five a record, the last one cut short.
        const ResultsTable lineEnds(QByteArray(12, '\n') + "x");
        QCOMPARE(lineEnds.size(), 3);
        QCOMPARE(lineEnds.record(2).naam, QString());
        QCOMPARE(lineEnds.record(2).niveauLine, QStringLiteral("x"));
    }

    // A record cut short by an interrupted write or a hand edit is read as one
    // damaged record; the next append completes it with empty lines, so that
    // every later record stands whole and in line.
    void tornFileIsRealignedBeforeAppending_data()
    {
        QTest::addColumn<QByteArray>("torn");
        QTest::addColumn<QByteArray>("fill");
        QTest::addColumn<QStringList>("damaged"); // the torn record's five lines as read
        QTest::newRow("between CR and LF") << QByteArray("Bram\r") << QByteArray("\n\r\n\r\n\r\n\r\n")
                                           << QStringList{QStringLiteral("Bram"), {}, {}, {}, {}};
        QTest::newRow("last line end missing")
            << QByteArray("Bram\r\nAzi\xeb\r\n 1 \r\n 20 \r\n 9 ") << QByteArray("\r\n")
            << QStringList{QStringLiteral("Bram"), QStringLiteral("Azië"), QStringLiteral(" 1 "),
                           QStringLiteral(" 20 "), QStringLiteral(" 9 ")};
        QTest::newRow("LF only") << QByteArray("Bram\nAzi\xeb\n") << QByteArray("\r\n\r\n\r\n")
                                 << QStringList{QStringLiteral("Bram"), QStringLiteral("Azië"), {}, {}, {}};
        QTest::newRow("whole") << QByteArray() << QByteArray() << QStringList();
        // Whole records that an append cannot judge from the file's end alone.
        const QString longName(70 * 1024, u'x');
        QTest::newRow("whole, name longer than the end read")
            << QByteArray(QByteArray(70 * 1024, 'x') + "\r\nAzi\xeb\r\n 1 \r\n 20 \r\n 9 \r\n")
            << QByteArray()
            << QStringList{longName, QStringLiteral("Azië"), QStringLiteral(" 1 "), QStringLiteral(" 20 "),
                           QStringLiteral(" 9 ")};
        QTest::newRow("torn, name longer than the end read")
            << QByteArray(QByteArray(70 * 1024, 'x') + "\r\nAzi\xeb\r\n 1 \r\n 20 \r\n") << QByteArray("\r\n")
            << QStringList{
                   longName, QStringLiteral("Azië"), QStringLiteral(" 1 "), QStringLiteral(" 20 "), {}};
        QTest::newRow("whole, edited by hand")
            << QByteArray("Bram\r\nAzi\xeb\r\nx\r\n\r\n 9\r\n") << QByteArray()
            << QStringList{QStringLiteral("Bram"),
                           QStringLiteral("Azië"),
                           QStringLiteral("x"),
                           {},
                           QStringLiteral(" 9")};
        QTest::newRow("number lines, one short")
            << QByteArray("Bram\r\n 1 \r\n 20 \r\n 9 \r\n") << QByteArray("\r\n")
            << QStringList{QStringLiteral("Bram"),
                           QStringLiteral(" 1 "),
                           QStringLiteral(" 20 "),
                           QStringLiteral(" 9 "),
                           {}};
    }
    void tornFileIsRealignedBeforeAppending()
    {
        QFETCH(QByteArray, torn);
        QFETCH(QByteArray, fill);
        QFETCH(QStringList, damaged);
        TestFolder folder;
        const QByteArray anna = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
        folder.write(QStringLiteral("toets.res"), anna + torn);
        for (int i = 1; i <= 2; ++i)
            QVERIFY(!ResultsFile::append(ResultsFile::path(), QStringLiteral("Cas"), QStringLiteral("Azië"),
                                         1, 10, i));
        QCOMPARE(folder.read(QStringLiteral("toets.res")),
                 anna + torn + fill +
                     "Cas\r\nAzi\xeb\r\n 1 \r\n 10 \r\n 1 \r\nCas\r\nAzi\xeb\r\n 1 \r\n 10 \r\n 2 \r\n");
        const auto fields = [](const ResultRecord& r) {
            return QStringList{r.naam, r.kaart, r.niveauLine, r.gedaanLine, r.goedLine};
        };
        const ResultsTable after = std::get<ResultsTable>(ResultsFile::readFile(ResultsFile::path()));
        QCOMPARE(after.size(), damaged.isEmpty() ? 3 : 4);
        if (!damaged.isEmpty())
            QCOMPARE(fields(after.record(1)), damaged);
        QCOMPARE(fields(after.record(after.size() - 1)),
                 (QStringList{QStringLiteral("Cas"), QStringLiteral("Azië"), QStringLiteral(" 1 "),
                              QStringLiteral(" 10 "), QStringLiteral(" 2 ")}));
    }

    // Nothing the programs create is readable for others where it should not
    // be, and beyond that the folder and the umask decide, never the old file.
    void createdFilesTakeTheirRightsFromTheFolder()
    {
#ifndef Q_OS_UNIX
        QSKIP("Rights from the folder and the umask are those of POSIX systems");
#else
        TestFolder folder;
        const auto mode = [&](const char* name) {
            return QFileInfo(folder.file(QLatin1String(name))).permissions();
        };
        const auto ownerGroupRead = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                    QFileDevice::WriteUser | QFileDevice::ReadGroup;
        const mode_t old = ::umask(022);
        folder.write(QStringLiteral("oud.krt"), "oud.bmp\r\n");
        QFile::setPermissions(folder.file(QStringLiteral("oud.krt")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(!PasswordFile::ensureExists(PasswordFile::path()));
        QVERIFY(
            !ResultsFile::append(ResultsFile::path(), QStringLiteral("Anna"), QStringLiteral("E"), 1, 1, 1));
        QVERIFY(!MapFile::startNew(folder.file(QStringLiteral("nieuw.krt")), QStringLiteral("nieuw.bmp")));
        QVERIFY(!MapFile::startNew(folder.file(QStringLiteral("oud.krt")), QStringLiteral("oud.bmp")));
        QVERIFY(!PasswordFile::writeLine(PasswordFile::path(), "\xb7"));
        ::umask(old);
        QCOMPARE(mode("passwd"), ownerGroupRead);
        QCOMPARE(mode("toets.res"), ownerGroupRead);
        QCOMPARE(mode("nieuw.krt"), ownerGroupRead | QFileDevice::ReadOther);
        QCOMPARE(mode("oud.krt"), ownerGroupRead | QFileDevice::ReadOther);
#endif
    }

    // The pupil program holds toets.res open from its start: a clear empties
    // that very file, and a file replaced meanwhile is never written to.
    void heldResultsFileSurvivesAClear()
    {
        TestFolder folder;
        const QByteArray anna = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
        folder.write(QStringLiteral("toets.res"), anna);
        auto opened = PlatformFile::openForWriting(ResultsFile::path());
        const PlatformFile& held = std::get<PlatformFile>(opened);
        QVERIFY(std::holds_alternative<ResultsFile::Cleared>(ResultsFile::clear(ResultsFile::path(), anna)));
        {
            auto lock = FileLock::acquireHeld(held, ResultsFile::path());
            QVERIFY(!std::get<FileLock>(lock).append(anna));
        }
        QCOMPARE(folder.read(QStringLiteral("toets.res")), anna);

        // Another pupil's program holds the lock: the held file waits for it too.
        {
            auto other = PlatformFile::openForWriting(ResultsFile::path());
            QCOMPARE(std::get<bool>(std::get<PlatformFile>(other).tryLock()), true);
            FileLock::setWaitLimit(200);
            const auto busy = FileLock::acquireHeld(held, ResultsFile::path());
            FileLock::setWaitLimit(10000);
            QVERIFY(std::holds_alternative<DataError>(busy));
            QCOMPARE(std::get<DataError>(busy).kind, DataError::Kind::Busy);
        }

        QVERIFY(!PlatformFile::replace(ResultsFile::path(), QByteArray(), PlatformFile::Readers::Group));
        // The held handle still reads the file it opened, whole.
        QByteArray kept(anna.size(), '\0');
        QCOMPARE(std::get<qint64>(held.readAt(0, kept.data(), kept.size())), qint64(anna.size()));
        QCOMPARE(kept, anna);
        const auto replaced = FileLock::acquireHeld(held, ResultsFile::path());
        QCOMPARE(std::get<DataError>(replaced).kind, DataError::Kind::Replaced);
        QCOMPARE(folder.read(QStringLiteral("toets.res")), QByteArray());
    }

    void scores_data()
    {
        QTest::addColumn<int>("goed");
        QTest::addColumn<int>("gedaan");
        QTest::addColumn<QString>("text");
        QTest::newRow("one of three") << 1 << 3 << QStringLiteral("33,3");
        QTest::newRow("two of three truncates") << 2 << 3 << QStringLiteral("66,6");
        QTest::newRow("17 of 20") << 17 << 20 << QStringLiteral("85");
    }
    void scores()
    {
        QFETCH(int, goed);
        QFETCH(int, gedaan);
        QFETCH(QString, text);
        QCOMPARE(Score::text(goed, gedaan, QLocale(QLocale::Dutch, QLocale::Netherlands)), text);
        QCOMPARE(Score::text(goed, gedaan, QLocale(QLocale::English)), QString(text).replace(u',', u'.'));
    }

    void registerCreatedKeepingWhatIsNotOne()
    {
        TestFolder folder;
        const QString db = QStringLiteral("kaarten.sdb");
        const auto create = [&] {
            return std::get<DatabaseFile::Creation>(DatabaseFile::create(
                folder.file(db), QStringLiteral("Kaarten"),
                {{QStringLiteral("Kaartnaam"), 30}, {QStringLiteral("Kaartbestand"), 50}}));
        };
        QVERIFY(create().created);
        QCOMPARE(folder.read(db), registerfiles::MapHeader);
        // A list a text editor saved with a byte-order mark is a list: it stays as it is.
        const QByteArray edited = "\xEF\xBB\xBF" + registerfiles::MapHeader + "Europa  europa.krt\r\n";
        folder.write(db, edited);
        QVERIFY(!create().created);
        QCOMPARE(folder.read(db), edited);
        // Anything else is kept beside the new list, under a name not yet taken.
        for (const QString& kept : {QStringLiteral("kaarten-oud.sdb"), QStringLiteral("kaarten-oud-2.sdb")}) {
            folder.write(db, "Leerlingendatabase\r\n 2 \r\n");
            const DatabaseFile::Creation made = create();
            QVERIFY(made.created && made.notice.contains(u'"' + kept + u'"'));
            QCOMPARE(folder.read(kept), QByteArray("Leerlingendatabase\r\n 2 \r\n"));
            QCOMPARE(folder.read(db), registerfiles::MapHeader);
        }
    }

    void spareMovedOnlyWhenDatabaseMissing()
    {
        TestFolder folder;
        const QString db = QStringLiteral("leerling.sdb");
        const QString spare = QStringLiteral("leerling.sd_");
        QVERIFY(!DatabaseFile::moveSpareIntoPlace(db, spare));
        QVERIFY(!folder.exists(db));
        // A database there, even named in other capitals: the spare stays a spare.
        folder.write(QStringLiteral("LEERLING.SDB"), "real\r\n");
        folder.write(spare, "spare\r\n");
        QVERIFY(!DatabaseFile::moveSpareIntoPlace(db, spare));
        QCOMPARE(folder.read(spare), QByteArray("spare\r\n"));
        // Missing: the spare is moved, not copied, also when it is named in capitals.
        QVERIFY(QFile::remove(folder.file(QStringLiteral("LEERLING.SDB"))));
        QVERIFY(QFile::rename(folder.file(spare), folder.file(QStringLiteral("Leerling.SD_"))));
        QVERIFY(!DatabaseFile::moveSpareIntoPlace(db, spare));
        QCOMPARE(folder.read(db), QByteArray("spare\r\n"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{db});
    }
};

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
