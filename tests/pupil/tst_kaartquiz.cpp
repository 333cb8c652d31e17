#include "kaartquiz.h"
#include "readonlyfolder.h"
#include "resultsfile.h"
#include "testfolder.h"

#include <QProcess>
#include <QSet>
#include <QtTest>

#include <random>

using namespace korvel;
using Start = KaartQuiz::Start;

namespace {

velmora::Plaats plaats(int niveau, const char* soort, int top, int left, const char* naam)
{
    return velmora::Plaats{niveau, QString::fromLatin1(soort), top, left, QString::fromLatin1(naam)};
}

// The table as a map file fills it: level order, index 0 unused.
int fill(velmora::Plaatsen& table, const QList<velmora::Plaats>& items)
{
    for (int i = 0; i < items.size(); ++i)
        table[i + 1] = items[i];
    return int(items.size());
}

Keuze keuze(const QString& name = QStringLiteral("Anna"), int niveau = 2)
{
    return Keuze{name, QStringLiteral("Europa"), QStringLiteral("europa.krt"), niveau};
}

RandomSource seeded(unsigned seed)
{
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(*engine); };
}

// Answers from a list, and notes every bound asked for.
struct Script
{
    QList<int> answers;
    QList<int> bounds;
    RandomSource source()
    {
        return [this](int bound) {
            bounds.append(bound);
            return answers.isEmpty() ? 0 : answers.takeFirst();
        };
    }
};

QString question(const QString& name) { return QStringLiteral("Anna, wijs aan op de kaart: ") + name; }

} // namespace

class TestKaartQuiz : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void testAsksEveryItemOnceAndAppendsOneRecord()
    {
        TestFolder folder;
        velmora::Plaatsen table;
        const int n = fill(table, {plaats(1, "s ", 100, 100, "Parijs"), plaats(2, "w ", 900, 900, "Noordzee"),
                                   plaats(2, "g ", 1500, 300, "Corsica"), plaats(3, "s ", 300, 700, "Rome")});
        for (unsigned seed : {1u, 2u, 3u, 4u}) {
            QFile::remove(folder.file(QStringLiteral("toets.res")));
            KaartQuiz quiz(table);
            quiz.setRandomSource(seeded(seed));
            quiz.open(KaartQuiz::Test, keuze(), n);
            QCOMPARE(quiz.AantPlaatsen, 3);
            QCOMPARE(quiz.teDoenCaption, QStringLiteral("Aantal te doen:"));
            QCOMPARE(quiz.overText, QStringLiteral("3"));
            QVERIFY(quiz.countersShown);
            QList<int> asked;
            for (int answer = 1; answer <= 3; ++answer) {
                QCOMPARE(quiz.status, question(table[quiz.plek].Naam));
                asked.append(quiz.plek);
                QVERIFY(!folder.exists(QStringLiteral("toets.res")));
                // Right, wrong, right: the wrong click lands on an item that was not asked.
                const int clicked = answer == 2 ? (quiz.plek % 3) + 1 : quiz.plek;
                QCOMPARE(quiz.clickHotSpot(clicked), Start::Nothing);
                QCOMPARE(quiz.gehadText, QString::number(answer));
                QCOMPARE(quiz.overText, QString::number(3 - answer));
            }
            std::sort(asked.begin(), asked.end());
            QCOMPARE(asked, QList<int>({1, 2, 3}));
            QCOMPARE(quiz.status, QStringLiteral("Anna, je bent klaar met de toets!"));
            QCOMPARE(quiz.Mode, int(KaartQuiz::Ended));
            QCOMPARE(folder.read(QStringLiteral("toets.res")), QByteArray("Anna\r\nEuropa\r\n 2 \r\n 3 \r\n 2 \r\n"));
            // Ended: clicks change nothing and write nothing more.
            QCOMPARE(quiz.clickHotSpot(1), Start::Nothing);
            QCOMPARE(quiz.gehadText, QStringLiteral("3"));
            QCOMPARE(folder.read(QStringLiteral("toets.res")).size(), 29);
        }

        // One item: one click ends the test; the level-3 item is never asked at level 1.
        QFile::remove(folder.file(QStringLiteral("toets.res")));
        KaartQuiz one(table);
        one.open(KaartQuiz::Test, keuze(QStringLiteral("Anna"), 1), n);
        QCOMPARE(one.plek, 1);
        one.clickHotSpot(1);
        QCOMPARE(one.Mode, int(KaartQuiz::Ended));
        QCOMPARE(folder.read(QStringLiteral("toets.res")), QByteArray("Anna\r\nEuropa\r\n 1 \r\n 1 \r\n 1 \r\n"));
    }

    void drawsAmongEligibleItemsOnly()
    {
        velmora::Plaatsen table;
        const int n = fill(table, {plaats(1, "s ", 0, 0, "A"), plaats(1, "d ", 0, 0, "B"), plaats(1, "w ", 0, 0, "C"),
                                   plaats(1, "g ", 0, 0, "D")});
        // A test draws once per question, among the items not yet asked.
        Script script{{3, 0, 1, 0}, {}};
        KaartQuiz quiz(table);
        quiz.setRandomSource(script.source());
        quiz.open(KaartQuiz::Test, keuze(), n);
        QList<int> asked{quiz.plek};
        for (int i = 0; i < 3; ++i) {
            quiz.clickHotSpot(quiz.plek);
            asked.append(quiz.plek);
        }
        QCOMPARE(asked, QList<int>({4, 1, 3, 2}));
        QCOMPARE(script.bounds, QList<int>({4, 3, 2, 1}));

        // The game asks only cities and draws a prompt after each city.
        Script game{{1, 2}, {}};
        KaartQuiz flood(table);
        flood.setRandomSource(game.source());
        flood.open(KaartQuiz::Game, keuze(), n);
        QCOMPARE(game.bounds, QList<int>({2, 4}));
        QCOMPARE(flood.plek, 2);
        QCOMPARE(flood.status, QStringLiteral("Anna, laat de straten blank staan in B!"));
        QCOMPARE(flood.overText, QStringLiteral("2"));
        QVERIFY(!flood.isShown(3));
        QVERIFY(!flood.isShown(4));
        QVERIFY(flood.isShown(1));

        // No item at the chosen level: a clear line, no question, no hang, nothing written.
        TestFolder folder;
        velmora::Plaatsen high;
        const int m = fill(high, {plaats(3, "s ", 0, 0, "Hoog")});
        for (int mode : {int(KaartQuiz::Practise), int(KaartQuiz::Test)}) {
            KaartQuiz empty(high);
            empty.open(mode, keuze(QStringLiteral("Anna"), 1), m);
            QCOMPARE(empty.status, QStringLiteral("Op dit niveau staat niets op de kaart om naar te vragen."));
            QCOMPARE(empty.Mode, int(KaartQuiz::Ended));
            QCOMPARE(empty.plek, 0);
        }
        QVERIFY(!folder.exists(QStringLiteral("toets.res")));
    }

    void practiceFeedback()
    {
        velmora::Plaatsen table;
        const int n = fill(table, {plaats(1, "s ", 0, 0, "Oslo"), plaats(1, "d ", 0, 0, "Bergen")});
        KaartQuiz quiz(table);
        quiz.setRandomSource(seeded(7));
        quiz.open(KaartQuiz::Practise, keuze(), n);
        QCOMPARE(quiz.teDoenCaption, QStringLiteral("Aantal goed:"));
        QCOMPARE(quiz.overText, QStringLiteral("0"));
        // Right answers alternate strictly between the two items.
        for (int i = 1; i <= 6; ++i) {
            const int asked = quiz.plek;
            QCOMPARE(quiz.clickHotSpot(asked), Start::Timer1);
            QCOMPARE(quiz.status, QStringLiteral("Goed zo!!"));
            QCOMPARE(quiz.overText, QString::number(i));
            QCOMPARE(quiz.gehadText, QString::number(i));
            quiz.timer1();
            QCOMPARE(quiz.plek, 3 - asked);
            QCOMPARE(quiz.status, question(table[quiz.plek].Naam));
        }
        // A wrong click names the clicked item; the same item is asked again, words reordered.
        const int asked = quiz.plek;
        QCOMPARE(quiz.clickHotSpot(3 - asked), Start::Timer2);
        QCOMPARE(quiz.status, QStringLiteral("Fout! Dit is ") + table[3 - asked].Naam);
        QCOMPARE(quiz.overText, QStringLiteral("6"));
        QCOMPARE(quiz.gehadText, QStringLiteral("7"));
        quiz.timer2();
        QCOMPARE(quiz.plek, asked);
        QCOMPARE(quiz.status, QStringLiteral("Anna, wijs op de kaart aan: ") + table[asked].Naam);
        QCOMPARE(quiz.AantGoed, 0); // practice keeps its right answers in the label only

        // One item: asked every time.
        KaartQuiz single(table);
        single.setRandomSource(seeded(1));
        single.open(KaartQuiz::Practise, keuze(), 1);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(single.plek, 1);
            single.clickHotSpot(1);
            single.timer1();
        }
    }

    void specialNames()
    {
        velmora::Plaatsen table;
        const int n = fill(table, {plaats(1, "s ", 0, 0, "Oslo"), plaats(1, "d ", 0, 0, "Bergen")});
        const QString hidden = QStringLiteral("Heet je Ostrik? Zoek het dan maar lekker zelf uit :P");
        KaartQuiz quiz(table);
        quiz.open(KaartQuiz::Look, keuze(QStringLiteral("Ostrik Brelloven")), n);
        QCOMPARE(quiz.status, QStringLiteral("Ostrik Brelletje"));
        quiz.open(KaartQuiz::Practise, keuze(QStringLiteral("Ostrik Brelloven")), n);
        QCOMPARE(quiz.status, hidden);
        quiz.clickHotSpot(3 - quiz.plek);
        quiz.timer2();
        QCOMPARE(quiz.status, QStringLiteral("Ostrik Brelloven, wijs op de kaart aan: ") + table[quiz.plek].Naam);
        quiz.clickHotSpot(quiz.plek);
        quiz.timer1();
        QCOMPARE(quiz.status, hidden);
        quiz.open(KaartQuiz::Game, keuze(QStringLiteral("Ostrik Brelloven")), n);
        QCOMPARE(quiz.status, hidden);
        quiz.open(KaartQuiz::Practise, keuze(QStringLiteral("Ostrik brelloven")), n);
        QVERIFY(quiz.status.startsWith(QStringLiteral("Ostrik brelloven, wijs aan op de kaart: ")));
    }

    void floodGame()
    {
        velmora::Plaatsen table;
        int n = fill(table, {plaats(1, "s ", 300, 600, "Gent")});
        KaartQuiz one(table);
        one.open(KaartQuiz::Game, keuze(), n);
        QCOMPARE(one.plek, 1);
        QCOMPARE(one.clickHotSpot(1), Start::GroeiPlas);
        QCOMPARE(one.CurPlas, 1);
        QCOMPARE(one.Plas[0], QRectF(727.5, 427.5, 9, 0));
        QCOMPARE(one.status, QStringLiteral("Goed zo!!"));
        QCOMPARE(one.gehadText, QStringLiteral("1"));
        QCOMPARE(one.clickHotSpot(1), Start::Nothing); // ignored while the puddle grows
        QCOMPARE(one.pressPicture(10, 10), Start::Nothing);
        QCOMPARE(one.CurPlas, 1);
        int ticks = 1;
        while (one.groeiPlas())
            ++ticks;
        QCOMPARE(ticks, 26);
        QCOMPARE(one.Plas[0], QRectF(467.5, 167.5, 529, 520));
        QCOMPARE(one.status, QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 1 goed!"));
        QCOMPARE(one.Mode, int(KaartQuiz::Ended));
        QCOMPARE(one.clickHotSpot(1), Start::Nothing);
        QCOMPARE(one.pressPicture(10, 10), Start::Nothing);

        // Five cities, a water, an area and an unknown kind: three right, two wrong ends with 3.
        n = fill(table, {plaats(1, "s ", 0, 0, "A"), plaats(1, "d ", 0, 0, "B"), plaats(1, "w ", 0, 0, "Meer"),
                         plaats(1, "s ", 0, 0, "C"), plaats(1, "g ", 0, 0, "Eiland"), plaats(1, "d ", 0, 0, "D"),
                         plaats(1, "x ", 0, 0, "Raar"), plaats(1, "s ", 0, 0, "E")});
        KaartQuiz game(table);
        game.setRandomSource(seeded(11));
        game.open(KaartQuiz::Game, keuze(), n);
        QCOMPARE(game.AantSteden, 5);
        QCOMPARE(game.overText, QStringLiteral("5"));
        const auto grow = [&] {
            while (game.groeiPlas()) {
            }
        };
        // A press on land: a puddle, the reminder, then a new question; counters stay.
        QCOMPARE(game.pressPicture(1500, 750), Start::GroeiPlas);
        QCOMPARE(game.Plas.last(), QRectF(1500, 750, 0, 0));
        QCOMPARE(game.status, QStringLiteral("Je moet wel een stad besproeien!"));
        grow();
        QCOMPARE(game.Plas.last(), QRectF(1240, 490, 520, 520));
        QCOMPARE(game.AantGedaan, 0);
        QVERIFY(game.Gehad.isEmpty());
        QVERIFY(game.status.startsWith(QStringLiteral("Anna, ")));
        // Waters and areas take no clicks; the unknown kind floods as a wrong city and is never asked.
        QCOMPARE(game.clickHotSpot(3), Start::Nothing);
        QCOMPARE(game.clickHotSpot(5), Start::Nothing);
        QCOMPARE(game.clickHotSpot(7), Start::GroeiPlas);
        QCOMPARE(game.status, QStringLiteral("Aahrg! Je hebt Raar laten onderlopen!"));
        grow();
        const QList<int> cities{1, 2, 4, 6, 8};
        for (int click = 0; click < 4; ++click) {
            QCOMPARE(game.Mode, int(KaartQuiz::Game));
            QVERIFY(cities.contains(game.plek));
            QVERIFY(!game.Gehad.contains(game.plek));
            if (click == 1) {
                // Wrong: a city that is not the asked one and not yet flooded.
                const auto other = std::find_if(cities.begin(), cities.end(),
                                                [&](int c) { return c != game.plek && !game.Gehad.contains(c); });
                game.clickHotSpot(*other);
                QCOMPARE(game.status, QStringLiteral("Aahrg! Je hebt ") + table[*other].Naam
                                          + QStringLiteral(" laten onderlopen!"));
            } else {
                game.clickHotSpot(game.plek);
            }
            grow();
        }
        QCOMPARE(game.AantGedaan, 5);
        QCOMPARE(game.Mode, int(KaartQuiz::Ended));
        QCOMPARE(game.status, QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 3 goed!"));
        QCOMPARE(game.CurPlas, 6);

        // A flooded city stays clickable and counts again; the city asked before can come back.
        n = fill(table, {plaats(1, "s ", 0, 0, "A"), plaats(1, "s ", 0, 0, "B")});
        Script script{{0, 0, 0, 0}, {}};
        KaartQuiz two(table);
        two.setRandomSource(script.source());
        two.open(KaartQuiz::Game, keuze(), n);
        QCOMPARE(two.plek, 1);
        two.clickHotSpot(2);
        while (two.groeiPlas()) {
        }
        QCOMPARE(two.plek, 1);
        QCOMPARE(two.Mode, int(KaartQuiz::Game));
        two.clickHotSpot(2);
        QCOMPARE(two.status, QStringLiteral("Aahrg! Je hebt B laten onderlopen!"));
        while (two.groeiPlas()) {
        }
        QCOMPARE(two.status, QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 0 goed!"));
    }

    void failedAppendIsReported()
    {
        TestFolder folder;
        velmora::Plaatsen table;
        const int n = fill(table, {plaats(1, "s ", 0, 0, "Oslo")});
        ReadOnlyFolder readOnly(folder.path());
        if (!readOnly.ok())
            QSKIP("cannot make the folder read-only here");
        KaartQuiz quiz(table);
        quiz.open(KaartQuiz::Test, keuze(), n);
        quiz.clickHotSpot(1);
        QCOMPARE(quiz.status, QStringLiteral("Anna, je bent klaar, maar je uitslag kon niet worden bewaard!"));
        QCOMPARE(quiz.Mode, int(KaartQuiz::Ended));
        QVERIFY(!folder.exists(QStringLiteral("toets.res")));
    }

    void twentyPupilsFinishAtOnce()
    {
        TestFolder folder;
        QList<QProcess*> pupils;
        for (int i = 1; i <= 20; ++i) {
            auto* pupil = new QProcess(this);
            pupil->start(QStringLiteral(FINISHTEST_HELPER),
                         {folder.path(), QStringLiteral("Leerling %1 met een wat langere naam").arg(i)});
            pupils.append(pupil);
        }
        for (QProcess* pupil : pupils)
            QVERIFY(pupil->waitForStarted());
        // All wait for this file, then finish their test at the same moment.
        folder.write(QStringLiteral("start"), "go");
        for (QProcess* pupil : pupils) {
            QVERIFY(pupil->waitForFinished(60000));
            QCOMPARE(pupil->exitCode(), 0);
        }
        qDeleteAll(pupils);

        const QByteArray bytes = folder.read(QStringLiteral("toets.res"));
        const auto records = velmora::ResultsFile::readFile(folder.file(QStringLiteral("toets.res")));
        QCOMPARE(records.size(), 20);
        QSet<QString> names;
        qsizetype expectedSize = 0;
        for (const auto& record : records) {
            names.insert(record.naam);
            QCOMPARE(record.kaart, QStringLiteral("Europa"));
            QCOMPARE(record.niveauLine, QStringLiteral(" 1 "));
            QCOMPARE(record.gedaanLine, QStringLiteral(" 1 "));
            QCOMPARE(record.goedLine, QStringLiteral(" 1 "));
            expectedSize += record.naam.size() + 25;
        }
        QCOMPARE(names.size(), 20);
        QCOMPARE(bytes.size(), expectedSize);
    }
};

QTEST_MAIN(TestKaartQuiz)
#include "tst_kaartquiz.moc"
