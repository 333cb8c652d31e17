#include "kaartquiz.h"

#include <QtTest>

#include <random>

using namespace korvel;
using Start = KaartQuiz::Start;

namespace {

velmora::Plaats plaats(int niveau, const char* soort, const char* naam, int top = 0, int left = 0)
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

Keuze keuze(const char* name = "Anna", int niveau = 2)
{
    return Keuze{QString::fromLatin1(name), QStringLiteral("Europa"), QStringLiteral("europa.krt"), niveau};
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

void growFully(KaartQuiz& quiz)
{
    while (quiz.groeiPlas()) {
    }
}

QString question(const QString& name)
{
    return QStringLiteral("Anna, wijs aan op de kaart: ") + name;
}

const QString Hidden = QStringLiteral("Heet je Ostrik? Zoek het dan maar lekker zelf uit :P");

} // namespace

class TestKaartQuiz : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void endsWithoutARecord()
    {
        // No item at the chosen level: a clear line, no question, no hang, no record.
        velmora::Plaatsen high;
        fill(high, {plaats(3, "s ", "Hoog")});
        for (int mode : {int(KaartQuiz::Practise), int(KaartQuiz::Test)}) {
            KaartQuiz empty(high);
            empty.open(mode, keuze("Anna", 1), 1);
            QCOMPARE(empty.status(),
                     QStringLiteral("Op dit niveau staat niets op de kaart om naar te vragen."));
            QCOMPARE(empty.Mode(), int(KaartQuiz::Ended));
            QVERIFY(!empty.takeResult());
        }
    }

    void drawsAmongEligibleItemsOnly()
    {
        velmora::Plaatsen table;
        const int n = fill(
            table, {plaats(1, "s ", "A"), plaats(1, "d ", "B"), plaats(1, "w ", "C"), plaats(1, "g ", "D")});
        // A test draws once per question, among the items not yet asked.
        Script script{{3, 0, 1, 0}, {}};
        KaartQuiz quiz(table);
        quiz.setRandomSource(script.source());
        quiz.open(KaartQuiz::Test, keuze(), n);
        QList<int> asked{quiz.plek()};
        for (int i = 0; i < 3; ++i) {
            quiz.clickHotSpot(quiz.plek());
            asked.append(quiz.plek());
        }
        QCOMPARE(asked, QList<int>({4, 1, 3, 2}));
        QCOMPARE(script.bounds, QList<int>({4, 3, 2, 1}));

        // The game asks only cities and draws a prompt after each city.
        Script game{{1, 2}, {}};
        KaartQuiz flood(table);
        flood.setRandomSource(game.source());
        flood.open(KaartQuiz::Game, keuze(), n);
        QCOMPARE(game.bounds, QList<int>({2, 4}));
        QCOMPARE(flood.status(), QStringLiteral("Anna, laat de straten blank staan in B!"));
    }

    void practiceAndSpecialNames()
    {
        velmora::Plaatsen table;
        const int n = fill(table, {plaats(1, "s ", "Oslo"), plaats(1, "d ", "Bergen")});
        KaartQuiz quiz(table);
        quiz.setRandomSource(seeded(7));
        quiz.open(KaartQuiz::Practise, keuze(), n);
        // Right answers alternate strictly between the two items.
        for (int i = 1; i <= 4; ++i) {
            const int asked = quiz.plek();
            QCOMPARE(quiz.clickHotSpot(asked), Start::Timer1);
            quiz.timer1();
            QCOMPARE(quiz.plek(), 3 - asked);
            QCOMPARE(quiz.status(), question(table[quiz.plek()].Naam));
        }
        // One item is asked every time.
        KaartQuiz single(table);
        single.open(KaartQuiz::Practise, keuze(), 1);
        single.clickHotSpot(1);
        single.timer1();
        QCOMPARE(single.plek(), 1);

        // The special name: its line replaces new questions, not the repeated one; only exactly spelled.
        quiz.open(KaartQuiz::Practise, keuze("Ostrik Brelloven"), n);
        QCOMPARE(quiz.status(), Hidden);
        quiz.clickHotSpot(3 - quiz.plek());
        quiz.timer2();
        QCOMPARE(quiz.status(),
                 QStringLiteral("Ostrik Brelloven, wijs op de kaart aan: ") + table[quiz.plek()].Naam);
        quiz.clickHotSpot(quiz.plek());
        quiz.timer1();
        QCOMPARE(quiz.status(), Hidden);
        quiz.open(KaartQuiz::Game, keuze("Ostrik Brelloven"), n);
        QCOMPARE(quiz.status(), Hidden);
        quiz.open(KaartQuiz::Practise, keuze("Ostrik brelloven"), n);
        QVERIFY(quiz.status().startsWith(QStringLiteral("Ostrik brelloven, wijs aan op de kaart: ")));
    }

    void floodGame()
    {
        velmora::Plaatsen table;
        int n = fill(table, {plaats(1, "s ", "Gent", 300, 600)});
        KaartQuiz one(table);
        one.open(KaartQuiz::Game, keuze(), n);
        QCOMPARE(one.clickHotSpot(1), Start::GroeiPlas);
        QCOMPARE(one.Plas()[0], QRectF(727.5, 427.5, 9, 0));
        QCOMPARE(one.status(), QStringLiteral("Goed zo!!"));
        // Ignored while the puddle grows.
        QCOMPARE(one.clickHotSpot(1), Start::Nothing);
        QCOMPARE(one.pressPicture(10, 10), Start::Nothing);
        int ticks = 1;
        while (one.groeiPlas())
            ++ticks;
        QCOMPARE(ticks, 26);
        QCOMPARE(one.Plas()[0], QRectF(467.5, 167.5, 529, 520));
        QCOMPARE(one.status(),
                 QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 1 goed!"));
        QCOMPARE(one.Mode(), int(KaartQuiz::Ended));
        QCOMPARE(one.pressPicture(10, 10), Start::Nothing);

        // Five cities, a water, an area and an unknown kind: three right, two wrong ends with 3.
        n = fill(table, {plaats(1, "s ", "A"), plaats(1, "d ", "B"), plaats(1, "w ", "Meer"),
                         plaats(1, "s ", "C"), plaats(1, "g ", "Eiland"), plaats(1, "d ", "D"),
                         plaats(1, "x ", "Raar"), plaats(1, "s ", "E")});
        KaartQuiz game(table);
        game.setRandomSource(seeded(11));
        game.open(KaartQuiz::Game, keuze(), n);
        QCOMPARE(game.overText(), QStringLiteral("5"));
        // Waters and areas take no clicks; the unknown kind floods once, as a wrong
        // city that is never asked, but only cities count towards the end.
        QCOMPARE(game.clickHotSpot(3), Start::Nothing);
        QCOMPARE(game.clickHotSpot(5), Start::Nothing);
        QCOMPARE(game.clickHotSpot(7), Start::GroeiPlas);
        QCOMPARE(game.status(), QStringLiteral("Aahrg! Je hebt Raar laten onderlopen!"));
        growFully(game);
        QCOMPARE(game.clickHotSpot(7), Start::Nothing);
        QCOMPARE(game.AantGedaan(), 0);
        const QList<int> cities{1, 2, 4, 6, 8};
        for (int click = 0; click < 5; ++click) {
            QCOMPARE(game.Mode(), int(KaartQuiz::Game));
            QVERIFY(cities.contains(game.plek()) && !game.Gehad().contains(game.plek()));
            // Clicks 1 and 3 are wrong: a city that is not the asked one and not yet flooded.
            const int clicked =
                click % 2 == 0 ? game.plek() : *std::find_if(cities.begin(), cities.end(), [&](int c) {
                    return c != game.plek() && !game.Gehad().contains(c);
                });
            game.clickHotSpot(clicked);
            growFully(game);
        }
        QCOMPARE(game.AantGedaan(), 5);
        QCOMPARE(game.status(),
                 QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 3 goed!"));
    }
};

QTEST_MAIN(TestKaartQuiz)
#include "tst_kaartquiz.moc"
