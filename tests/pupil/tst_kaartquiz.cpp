#include "kaartquiz.h"

#include <QtTest>

using namespace korvel;
using Start = KaartQuiz::Start;

namespace {

// Items of level 1, each "k Name" (kind, name), as a map file fills the table: index 0 unused.
int fill(velmora::Plaatsen& table, const QList<const char*>& items)
{
    for (int i = 0; i < items.size(); ++i)
        table[i + 1] =
            velmora::Plaats{1, QString::fromLatin1(items[i], 2), 0, 0, QString::fromLatin1(items[i] + 2)};
    return int(items.size());
}

Keuze keuze(const char* name = "Anna")
{
    return Keuze{QString::fromLatin1(name), QStringLiteral("Europa"), QStringLiteral("europa.krt"), 1};
}

const QString Hidden = QStringLiteral("Heet je Ostrik? Zoek het dan maar lekker zelf uit :P");

} // namespace

class TestKaartQuiz : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drawsAmongEligibleItemsOnly()
    {
        velmora::Plaatsen table;
        const int n = fill(table, {"s A", "d B", "w C", "g D"});
        // A test draws once per question, among the items not yet asked.
        KaartQuiz quiz(table);
        QList<int> answers{3, 0, 1, 0}, bounds;
        quiz.setRandomSource([&](int bound) {
            bounds.append(bound);
            return answers.isEmpty() ? 0 : answers.takeFirst();
        });
        quiz.open(KaartQuiz::Test, keuze(), n);
        QList<int> asked{quiz.plek()};
        for (int i = 0; i < 3; ++i) {
            quiz.clickHotSpot(quiz.plek());
            asked.append(quiz.plek());
        }
        QCOMPARE(asked, QList<int>({4, 1, 3, 2}));
        QCOMPARE(bounds, QList<int>({4, 3, 2, 1}));

        // The game asks only cities and draws a prompt after each city.
        answers = {1, 2};
        bounds.clear();
        quiz.open(KaartQuiz::Game, keuze(), n);
        QCOMPARE(bounds, QList<int>({2, 4}));
        QCOMPARE(quiz.status(), QStringLiteral("Anna, laat de straten blank staan in B!"));

        // No item at the chosen level: a clear line, no question, no hang, no record.
        for (int j = 1; j <= n; ++j)
            table[j].Niveau = 2;
        for (int mode : {int(KaartQuiz::Practise), int(KaartQuiz::Test)}) {
            quiz.open(mode, keuze(), n);
            QCOMPARE(quiz.status(),
                     QStringLiteral("Op dit niveau staat niets op de kaart om naar te vragen."));
            QCOMPARE(quiz.Mode(), int(KaartQuiz::Ended));
            QVERIFY(!quiz.takeResult());
        }
    }

    void practiceAndSpecialNames()
    {
        velmora::Plaatsen table;
        const int n = fill(table, {"s Oslo", "d Bergen"});
        KaartQuiz quiz(table);
        quiz.setRandomSource([](int) { return 0; });
        quiz.open(KaartQuiz::Practise, keuze(), n);
        // Right answers alternate strictly between the two items; a single item is asked every time.
        for (int i = 1; i <= 3; ++i) {
            const int asked = quiz.plek();
            QCOMPARE(quiz.clickHotSpot(asked), Start::Timer1);
            quiz.timer1();
            QCOMPARE(quiz.status(), QStringLiteral("Anna, wijs aan op de kaart: ") + table[3 - asked].Naam);
        }
        quiz.open(KaartQuiz::Practise, keuze(), 1);
        quiz.clickHotSpot(1);
        quiz.timer1();
        QCOMPARE(quiz.status(), QStringLiteral("Anna, wijs aan op de kaart: Oslo"));

        // Special names count only as spelled exactly.
        for (const auto& [mode, name, shown] :
             {std::tuple(KaartQuiz::Look, "Anna", "Anna"),
              std::tuple(KaartQuiz::Look, "Ostrik Brelloven", "Ostrik Brelletje"),
              std::tuple(KaartQuiz::Look, "Harmo Dulvers", "Harmo 'The Creator' Dulvers"),
              std::tuple(KaartQuiz::Look, "harmo dulvers", "harmo dulvers"),
              std::tuple(KaartQuiz::Game, "Ostrik Brelloven",
                         "Heet je Ostrik? Zoek het dan maar lekker zelf uit :P"),
              std::tuple(KaartQuiz::Practise, "Ostrik brelloven",
                         "Ostrik brelloven, wijs aan op de kaart: Oslo")}) {
            quiz.open(mode, keuze(name), n);
            QCOMPARE(quiz.status(), QString::fromLatin1(shown));
        }
        // Ostrik's line replaces new questions, not the repeated one.
        quiz.open(KaartQuiz::Practise, keuze("Ostrik Brelloven"), n);
        QCOMPARE(quiz.status(), Hidden);
        quiz.clickHotSpot(2);
        quiz.timer2();
        QCOMPARE(quiz.status(), QStringLiteral("Ostrik Brelloven, wijs op de kaart aan: Oslo"));
        quiz.clickHotSpot(1);
        quiz.timer1();
        QCOMPARE(quiz.status(), Hidden);
    }

    // Five cities, a water, an area and an unknown kind: three right, two wrong ends with 3.
    void floodGame()
    {
        velmora::Plaatsen table;
        const int n = fill(table, {"s A", "d B", "w Meer", "s C", "g Eiland", "d D", "x Raar", "s E"});
        KaartQuiz game(table);
        game.setRandomSource([](int) { return 0; });
        game.open(KaartQuiz::Game, keuze(), n);
        QCOMPARE(game.overText(), QStringLiteral("5"));
        // Waters and areas take no clicks; the unknown kind floods once, as a wrong
        // city that is never asked, but only cities count towards the end.
        QCOMPARE(game.clickHotSpot(3), Start::Nothing);
        QCOMPARE(game.clickHotSpot(5), Start::Nothing);
        QCOMPARE(game.clickHotSpot(7), Start::GroeiPlas);
        QCOMPARE(game.status(), QStringLiteral("Aahrg! Je hebt Raar laten onderlopen!"));
        // Each click waits for its puddle; a flooded city is never asked.
        for (int clicked : {7, 1, 8, 2, 6, 4}) {
            while (game.groeiPlas()) {
            }
            QVERIFY(!game.Gehad().contains(game.plek()));
            QCOMPARE(game.clickHotSpot(clicked), clicked == 7 ? Start::Nothing : Start::GroeiPlas);
        }
        QCOMPARE(game.AantGedaan(), 5);
        while (game.groeiPlas()) {
        }
        QCOMPARE(game.status(),
                 QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 3 goed!"));
        QCOMPARE(game.pressPicture(10, 10), Start::Nothing);
    }
};

QTEST_MAIN(TestKaartQuiz)
#include "tst_kaartquiz.moc"
