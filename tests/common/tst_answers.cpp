#include "answerline.h"
#include "placeoverview.h"

#include <QtTest>

using namespace velmora;

namespace {

// Today is Wednesday 9 December; the week began on Monday the 7th.
const QDate Today(2026, 12, 9);

// A class of 30: two tests of Anna, one of Bram, practice of both, lines that
// must not count (another map, another level, the heading row, a damaged
// line), and one test in November of each of the 28 others: Zwolle right,
// Assen missed.
QByteArray classFile()
{
    QByteArray file = "Datum;Tijd;Leerling;Kaart;Niveau;Soort;Gevraagd;Geklikt;Uitslag;Begonnen\r\n"
                      "2026-12-09;10:00:00;Anna;Nederland;1;toets;Zwolle;Zwolle;goed;2026-12-09 09:59:00\r\n"
                      "2026-12-09;10:01:00;Anna;Nederland;1;toets;Assen;Emmen;fout;2026-12-09 09:59:00\r\n"
                      "2026-12-09;10:05:00;Bram;Nederland;1;oefenen;Zwolle;Assen;fout;2026-12-09 10:04:00\r\n"
                      "2026-12-07;11:00:00;Bram;Nederland;1;toets;Zwolle;Hoorn;fout;2026-12-07 10:59:00\r\n"
                      "2026-12-07;11:01:00;Bram;Nederland;1;toets;Assen;Assen;goed;2026-12-07 10:59:00\r\n"
                      "2026-12-01;08:01:00;Anna;Nederland;1;toets;Zwolle;Zwolle;goed;2026-12-01 08:00:00\r\n"
                      "2026-11-30;08:01:00;Anna;Nederland;1;oefenen;Emmen;Assen;fout;2026-11-30 08:00:00\r\n"
                      "2026-12-09;10:02:00;Anna;Europa;1;toets;Parijs;Rome;fout;2026-12-09 10:02:00\r\n"
                      "2026-12-09;10:03:00;Bram;Nederland;2;toets;Zwolle;Zwolle;goed;2026-12-09 10:03:00\r\n"
                      "2026-12-09;10:04:00;Bram;Nederland;1;toets;Zwolle;Zwolle;half;2026-12-09 10:03:00\r\n";
    for (int pupil = 13; pupil <= 40; ++pupil) {
        const QByteArray minute = QByteArray::number(pupil);
        const QByteArray start = "2026-11-02;09:" + minute + ":00;Leerling " + minute + ";Nederland;1;toets;";
        const QByteArray begun = ";2026-11-02 09:" + minute + ":00\r\n";
        file += start + "Zwolle;Zwolle;goed" + begun + start + "Assen;Urk;fout" + begun;
    }
    return file;
}

const QByteArray File = classFile();

} // namespace

class TestAnswers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // What a Dutch spreadsheet shows as text, the overview reads back as it was.
    void linesSurviveASpreadsheet()
    {
        AnswerLine line;
        line.when = QDateTime(QDate(2026, 3, 5), QTime(9, 7, 3));
        line.begonnen = QDateTime(QDate(2026, 3, 5), QTime(9, 0, 0));
        line.leerling = QStringLiteral("Zoë \"Zo\"; de Wit");
        line.kaart = QStringLiteral("Curaçao");
        line.niveau = 3;
        line.mode = AnswerLine::Mode::Toets;
        line.gevraagd = QStringLiteral("'s-Hertogenbosch");
        line.geklikt = QStringLiteral("=HYPERLINK(\"x\")");
        QCOMPARE(line.encode(),
                 QByteArray("2026-03-05;09:07:03;\"Zo\xeb \"\"Zo\"\"; de Wit\";Cura\xe7\x61o;3;toets;"
                            "'s-Hertogenbosch;\"'=HYPERLINK(\"\"x\"\")\";fout;2026-03-05 09:00:00\r\n"));
        const auto back = AnswerLine::decode(line.encode());
        QVERIFY(back);
        QCOMPARE(back->encode(), line.encode());
        QCOMPARE(back->geklikt, line.geklikt);
        QCOMPARE(back->leerling, line.leerling);
        // A later program's extra column is no damage; the heading row is no answer.
        QVERIFY(AnswerLine::decode(QByteArray(line.encode()).replace("\r\n", ";extra\r\n")));
        QVERIFY(!AnswerLine::decode(File.first(File.indexOf('\n'))));
    }

    void overviewCountsEveryFilter_data()
    {
        QTest::addColumn<bool>("alleenToetsen");
        QTest::addColumn<QString>("leerling");
        QTest::addColumn<int>("period");
        QTest::addColumn<QString>("places");
        QTest::addColumn<QString>("tests");
        const QString allTests =
            QStringLiteral("Anna 2026-12-01 1 1|Anna 2026-12-09 2 1|Bram 2026-12-07 2 1");
        QString yearTests = allTests;
        for (int pupil = 13; pupil <= 40; ++pupil)
            yearTests += QStringLiteral("|Leerling %1 2026-11-02 2 1").arg(pupil);
        // The 28 add 28 asked and 28 missed to Assen, 28 asked to Zwolle.
        QTest::newRow("everything") << false << QString() << int(PlaceOverview::Period::Alles)
                                    << QStringLiteral("Assen 30 29|Zwolle 32 2|Emmen 1 1") << yearTests;
        QTest::newRow("tests only") << true << QString() << int(PlaceOverview::Period::Alles)
                                    << QStringLiteral("Assen 30 29|Zwolle 31 1") << yearTests;
        QTest::newRow("one pupil") << false << QStringLiteral("Bram") << int(PlaceOverview::Period::Alles)
                                   << QStringLiteral("Zwolle 2 2|Assen 1 0")
                                   << QStringLiteral("Bram 2026-12-07 2 1");
        QTest::newRow("today") << false << QString()
                               << int(PlaceOverview::Period::Vandaag)
                               // Equal misses: the larger share first.
                               << QStringLiteral("Assen 1 1|Zwolle 2 1")
                               << QStringLiteral("Anna 2026-12-09 2 1");
        QTest::newRow("this week") << false << QString() << int(PlaceOverview::Period::DezeWeek)
                                   << QStringLiteral("Zwolle 3 2|Assen 2 1")
                                   << QStringLiteral("Anna 2026-12-09 2 1|Bram 2026-12-07 2 1");
        QTest::newRow("this month") << false << QString() << int(PlaceOverview::Period::DezeMaand)
                                    << QStringLiteral("Zwolle 4 2|Assen 2 1") << allTests;
    }

    void overviewCountsEveryFilter()
    {
        QFETCH(bool, alleenToetsen);
        QFETCH(QString, leerling);
        QFETCH(int, period);
        PlaceOverview::Filter filter{QStringLiteral("Nederland"),   1,    alleenToetsen, leerling,
                                     PlaceOverview::Period(period), Today};
        const PlaceOverview overview = PlaceOverview::count(File, filter);
        QStringList places;
        for (const auto& p : overview.places())
            places.append(QStringLiteral("%1 %2 %3").arg(p.naam).arg(p.gevraagd).arg(p.fout));
        QStringList tests;
        for (const auto& t : overview.tests())
            tests.append(QStringLiteral("%1 %2 %3 %4")
                             .arg(t.leerling, t.begonnen.date().toString(Qt::ISODate))
                             .arg(t.gevraagd)
                             .arg(t.goed));
        QTEST(places.join(u'|'), "places");
        QTEST(tests.join(u'|'), "tests");
    }
};

QTEST_GUILESS_MAIN(TestAnswers)
#include "tst_answers.moc"
