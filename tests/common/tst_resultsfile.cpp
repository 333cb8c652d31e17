#include "resultsfile.h"
#include "score.h"
#include "testfolder.h"

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
        QVERIFY(
            !ResultsFile::append(path, QStringLiteral("Zoë, de Vries"), QStringLiteral("Curaçao"), 1, 3, 2));
        QCOMPARE(folder.read(QStringLiteral("toets.res")),
                 QByteArray("Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\nZo\xeb, de Vries\r\nCura\xe7"
                            "ao\r\n"
                            " 1 \r\n 3 \r\n 2 \r\n"));

        const ResultsTable records = std::get<ResultsTable>(ResultsFile::readFile(path));
        QCOMPARE(records.size(), 2);
        QCOMPARE(records.record(1).naam, QStringLiteral("Zoë, de Vries"));
        QCOMPARE(records.record(0).kaart, QStringLiteral("Europa"));
        QCOMPARE(records.record(0).goed(), 17);

        const auto refused =
            ResultsFile::append(path, QStringLiteral("Łukasz"), QStringLiteral("E"), 1, 1, 1);
        QVERIFY(refused && refused->kind == DataError::Kind::NotEncodable);
        QCOMPARE(std::get<ResultsTable>(ResultsFile::readFile(path)).size(), 2);
    }

    // A record cut short by an interrupted write or a hand edit is read as one
    // damaged record; the next append completes it with empty lines, so that
    // every later record stands whole and in line.
    void tornFileIsRealignedBeforeAppending_data()
    {
        QTest::addColumn<QByteArray>("torn");
        QTest::addColumn<QByteArray>("fill");
        QTest::addColumn<QStringList>("damaged"); // the torn record's five lines as read
        QTest::newRow("inside a name") << QByteArray("Br") << QByteArray("\r\n\r\n\r\n\r\n\r\n")
                                       << QStringList{QStringLiteral("Br"), {}, {}, {}, {}};
        QTest::newRow("between CR and LF") << QByteArray("Bram\r") << QByteArray("\n\r\n\r\n\r\n\r\n")
                                           << QStringList{QStringLiteral("Bram"), {}, {}, {}, {}};
        QTest::newRow("after two lines")
            << QByteArray("Bram\r\nAzi\xeb\r\n") << QByteArray("\r\n\r\n\r\n")
            << QStringList{QStringLiteral("Bram"), QStringLiteral("Azië"), {}, {}, {}};
        QTest::newRow("inside a count")
            << QByteArray("Bram\r\nAzi\xeb\r\n 1 \r\n 2") << QByteArray("\r\n\r\n")
            << QStringList{QStringLiteral("Bram"),
                           QStringLiteral("Azië"),
                           QStringLiteral(" 1 "),
                           QStringLiteral(" 2"),
                           {}};
        QTest::newRow("last line end missing")
            << QByteArray("Bram\r\nAzi\xeb\r\n 1 \r\n 20 \r\n 9 ") << QByteArray("\r\n")
            << QStringList{QStringLiteral("Bram"), QStringLiteral("Azië"), QStringLiteral(" 1 "),
                           QStringLiteral(" 20 "), QStringLiteral(" 9 ")};
        QTest::newRow("an extra empty line")
            << QByteArray("\r\n") << QByteArray("\r\n\r\n\r\n\r\n") << QStringList{{}, {}, {}, {}, {}};
        QTest::newRow("LF only") << QByteArray("Bram\nAzi\xeb\n") << QByteArray("\r\n\r\n\r\n")
                                 << QStringList{QStringLiteral("Bram"), QStringLiteral("Azië"), {}, {}, {}};
        QTest::newRow("whole") << QByteArray() << QByteArray() << QStringList();
    }

    void tornFileIsRealignedBeforeAppending()
    {
        QFETCH(QByteArray, torn);
        QFETCH(QByteArray, fill);
        QFETCH(QStringList, damaged);
        TestFolder folder;
        const QByteArray anna = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
        folder.write(QStringLiteral("toets.res"), anna + torn);
        const auto fields = [](const ResultRecord& r) {
            return QStringList{r.naam, r.kaart, r.niveauLine, r.gedaanLine, r.goedLine};
        };
        const ResultsTable before = std::get<ResultsTable>(ResultsFile::readFile(ResultsFile::path()));
        QCOMPARE(before.size(), damaged.isEmpty() ? 1 : 2);

        QByteArray appended;
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(!ResultsFile::append(ResultsFile::path(), QStringLiteral("Cas %1").arg(i),
                                         QStringLiteral("Azië"), 1, 10, i));
            appended += "Cas " + QByteArray::number(i) + "\r\nAzi\xeb\r\n 1 \r\n 10 \r\n " +
                        QByteArray::number(i) + " \r\n";
        }
        QCOMPARE(folder.read(QStringLiteral("toets.res")), anna + torn + fill + appended);
        const ResultsTable after = std::get<ResultsTable>(ResultsFile::readFile(ResultsFile::path()));
        QCOMPARE(after.size(), before.size() + 3);
        QCOMPARE(fields(after.record(0)), fields(before.record(0)));
        if (!damaged.isEmpty())
            QCOMPARE(fields(after.record(1)), damaged);
        QCOMPARE(fields(after.record(after.size() - 1)),
                 (QStringList{QStringLiteral("Cas 3"), QStringLiteral("Azië"), QStringLiteral(" 1 "),
                              QStringLiteral(" 10 "), QStringLiteral(" 3 ")}));
    }

    void scores_data()
    {
        QTest::addColumn<int>("goed");
        QTest::addColumn<int>("gedaan");
        QTest::addColumn<QString>("text");
        QTest::newRow("all right") << 20 << 20 << QStringLiteral("100");
        QTest::newRow("one of three") << 1 << 3 << QStringLiteral("33,3");
        QTest::newRow("two of three truncates") << 2 << 3 << QStringLiteral("66,6");
        QTest::newRow("17 of 20") << 17 << 20 << QStringLiteral("85");
        QTest::newRow("none right") << 0 << 20 << QStringLiteral("0");
        QTest::newRow("nothing asked") << 0 << 0 << QString();
        QTest::newRow("1 of 7") << 1 << 7 << QStringLiteral("14,2");
        QTest::newRow("large") << 32767 << 32767 << QStringLiteral("100");
    }

    void scores()
    {
        QFETCH(int, goed);
        QFETCH(int, gedaan);
        QFETCH(QString, text);
        QCOMPARE(Score::text(goed, gedaan, QLocale(QLocale::Dutch, QLocale::Netherlands)), text);
        // The decimal sign is the locale's.
        QCOMPARE(Score::text(goed, gedaan, QLocale(QLocale::English, QLocale::UnitedStates)),
                 QString(text).replace(u',', u'.'));
    }
};

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
