#include "readonlyfolder.h"
#include "resultsfile.h"
#include "score.h"
#include "testfolder.h"

#include <QBuffer>
#include <QtTest>

using namespace velmora;

class TestResultsFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void appendWritesTheRecordBytes()
    {
        TestFolder folder;
        const QString path = ResultsFile::path();
        QCOMPARE(path, folder.file(QStringLiteral("toets.res")));
        QVERIFY(!ResultsFile::append(path, QStringLiteral("Anna"), QStringLiteral("Europa  "), 2, 20, 17));
        QCOMPARE(folder.read(QStringLiteral("toets.res")),
                 QByteArray("Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n"));
        QVERIFY(!ResultsFile::append(path, QStringLiteral("Zoë, de Vries"), QStringLiteral("Curaçao"), 1, 3, 2));
        QCOMPARE(folder.read(QStringLiteral("toets.res")),
                 QByteArray("Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\nZo\xeb, de Vries\r\nCura\xe7" "ao\r\n"
                            " 1 \r\n 3 \r\n 2 \r\n"));

        const QList<ResultRecord> records = ResultsFile::readFile(path);
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[1].naam, QStringLiteral("Zoë, de Vries"));
        QCOMPARE(records[0].kaart, QStringLiteral("Europa"));
        QCOMPARE(records[0].niveauLine, QStringLiteral(" 2 "));
        QCOMPARE(records[0].gedaan(), 20);
        QCOMPARE(records[0].goed(), 17);
        QCOMPARE(records[0].niveauValue(), std::optional<int>(2));
    }

    void readersTakeWholeRecordsOnly()
    {
        QByteArray data = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\nBram\r\nAzi\xeb\r\n 1 \r\n";
        QBuffer buffer(&data);
        QList<ResultRecord> records = ResultsFile::read(buffer);
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].naam, QStringLiteral("Anna"));

        QByteArray extraLine = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n\r\n";
        QBuffer second(&extraLine);
        QCOMPARE(ResultsFile::read(second).size(), 1);

        QByteArray odd = "Anna\r\nEuropa\r\n twee \r\n veel \r\n 17 \r\n";
        QBuffer third(&odd);
        records = ResultsFile::read(third);
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].gedaan(), 0);
        QVERIFY(!records[0].gedaanValue().has_value());
        QVERIFY(!records[0].niveauValue().has_value());
        QVERIFY(ResultsFile::readFile(QStringLiteral("/nonexistent/toets.res")).isEmpty());
    }

    void ensureExistsCreatesAnEmptyFileOnly()
    {
        TestFolder folder;
        QVERIFY(!ResultsFile::ensureExists(ResultsFile::path()));
        QCOMPARE(folder.read(QStringLiteral("toets.res")), QByteArray());
        folder.write(QStringLiteral("toets.res"), "x\r\n");
        QVERIFY(!ResultsFile::ensureExists(ResultsFile::path()));
        QCOMPARE(folder.read(QStringLiteral("toets.res")), QByteArray("x\r\n"));
    }

    void appendThatCannotWriteSaysSo()
    {
        TestFolder folder;
        ReadOnlyFolder readOnly(folder.path());
        if (!readOnly.ok())
            QSKIP("this file system cannot make a folder read-only");
        const auto error = ResultsFile::append(ResultsFile::path(), QStringLiteral("Anna"), QStringLiteral("E"), 1, 1, 1);
        QVERIFY(error && error->kind == DataError::Kind::WriteFailed);
        QVERIFY(!folder.exists(QStringLiteral("toets.res")));
        const auto refused = ResultsFile::append(folder.file(QStringLiteral("x.res")), QStringLiteral("Łukasz"),
                                                 QStringLiteral("E"), 1, 1, 1);
        QVERIFY(refused && refused->kind == DataError::Kind::NotEncodable);
    }

    void scores_data()
    {
        QTest::addColumn<int>("goed");
        QTest::addColumn<int>("gedaan");
        QTest::addColumn<QString>("dutch");
        QTest::addColumn<QString>("english");
        QTest::newRow("all right") << 20 << 20 << "100" << "100";
        QTest::newRow("one of three") << 1 << 3 << "33,3" << "33.3";
        QTest::newRow("two of three truncates") << 2 << 3 << "66,6" << "66.6";
        QTest::newRow("17 of 20") << 17 << 20 << "85" << "85";
        QTest::newRow("none right") << 0 << 20 << "0" << "0";
        QTest::newRow("nothing asked") << 0 << 0 << "" << "";
        QTest::newRow("1 of 7") << 1 << 7 << "14,2" << "14.2";
        QTest::newRow("large") << 32767 << 32767 << "100" << "100";
    }

    void scores()
    {
        QFETCH(int, goed);
        QFETCH(int, gedaan);
        QFETCH(QString, dutch);
        QFETCH(QString, english);
        QCOMPARE(Score::text(goed, gedaan, QLocale(QLocale::Dutch, QLocale::Netherlands)), dutch);
        QCOMPARE(Score::text(goed, gedaan, QLocale(QLocale::English, QLocale::UnitedStates)), english);
    }
};

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
