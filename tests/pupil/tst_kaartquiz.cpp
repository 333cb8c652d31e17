// Each activity's rules on the quiz alone, without the screen: what it shows and asks,
// its counters, and what a right answer does. How an activity ends is seen through the screen.
#include "kaartquiz.h"

#include <QtTest>

using namespace korvel;

namespace {

const Keuze Anna{QStringLiteral("Anna"), QStringLiteral("Europa"), QStringLiteral("europa.krt"), 1};

// The table as a map file fills it from kind letters, one item per letter at level 1,
// then a level 2 city that no activity may show, ask or count.
int fill(velmora::Plaatsen& table, const QString& kinds)
{
    const QStringList names = {QStringLiteral("Oslo"), QStringLiteral("Bergen"), QStringLiteral("Meer"),
                               QStringLiteral("Texel"), QStringLiteral("Hoekje")};
    int j = 0;
    for (QChar kind : kinds)
        table[++j] = velmora::Plaats{1, QString(kind) + u' ', 0, 0,
                                     names[QStringLiteral("sdwgx").indexOf(kind.toLower())]};
    table[++j] = velmora::Plaats{2, QStringLiteral("s "), 0, 0, QStringLiteral("Utrecht")};
    return j;
}

// The status line, the counters (when shown) and Mode.
QString seen(const KaartQuiz& quiz)
{
    const QString counters = quiz.countersShown()
                                 ? quiz.teDoenCaption() + u' ' + quiz.gehadText() + u'/' + quiz.overText()
                                 : QStringLiteral("-");
    return quiz.status() + u'|' + counters + u'|' + QString::number(quiz.Mode());
}

} // namespace

class TestKaartQuiz : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The quiz draws the last candidate each time (and the last of the game's prompts).
    void eachActivitysRules_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<QString>("shown"); // the items drawn and clickable
        QTest::addColumn<QString>("opened");
        QTest::addColumn<int>("start"); // of a click on the asked item, or on item 1
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("next"); // once the timer the click started has run

        const auto start = [](KaartQuiz::Start s) { return int(s); };
        QTest::newRow("look") << int(QuizMode::Look) << "sdwgx"
                              << "12345"
                              << "Anna|-|0" << start(KaartQuiz::Start::Nothing) << "Anna|-|0"
                              << "Anna|-|0";
        QTest::newRow("practise: never twice in a row")
            << int(QuizMode::Practise) << "sdwgx"
            << "12345"
            << "Anna, wijs aan op de kaart: Hoekje|Aantal goed: 0/0|1" << start(KaartQuiz::Start::Timer1)
            << "Goed zo!!|Aantal goed: 1/1|1"
            << "Anna, wijs aan op de kaart: Texel|Aantal goed: 1/1|1";
        QTest::newRow("practise: one item, asked again")
            << int(QuizMode::Practise) << "s"
            << "1"
            << "Anna, wijs aan op de kaart: Oslo|Aantal goed: 0/0|1" << start(KaartQuiz::Start::Timer1)
            << "Goed zo!!|Aantal goed: 1/1|1"
            << "Anna, wijs aan op de kaart: Oslo|Aantal goed: 1/1|1";
        QTest::newRow("test: each once")
            << int(QuizMode::Test) << "sdwgx"
            << "12345"
            << "Anna, wijs aan op de kaart: Hoekje|Aantal te doen: 0/5|2" << start(KaartQuiz::Start::Nothing)
            << "Anna, wijs aan op de kaart: Texel|Aantal te doen: 1/4|2"
            << "Anna, wijs aan op de kaart: Texel|Aantal te doen: 1/4|2";
        QTest::newRow("test: nothing at the level")
            << int(QuizMode::Test) << ""
            << ""
            << "Op dit niveau staat niets op de kaart om naar te vragen.|Aantal te doen: 0/0|-1"
            << start(KaartQuiz::Start::Nothing)
            << "Op dit niveau staat niets op de kaart om naar te vragen.|Aantal te doen: 0/0|-1"
            << "Op dit niveau staat niets op de kaart om naar te vragen.|Aantal te doen: 0/0|-1";
        QTest::newRow("game: cities only, letters in any case")
            << int(QuizMode::Game) << "SDwGx"
            << "125"
            << "Anna, geef iedereen in Bergen een nat pak!|Aantal te doen: 0/2|3"
            << start(KaartQuiz::Start::GroeiPlas) << "Goed zo!!|Aantal te doen: 1/2|3"
            << "Anna, geef iedereen in Oslo een nat pak!|Aantal te doen: 1/2|3";
        QTest::newRow("game: no cities") << int(QuizMode::Game) << "wg"
                                         << ""
                                         << "Er zijn geen steden om te besproeien!|Aantal te doen: 0/0|-1"
                                         << start(KaartQuiz::Start::Nothing)
                                         << "Er zijn geen steden om te besproeien!|Aantal te doen: 0/0|-1"
                                         << "Er zijn geen steden om te besproeien!|Aantal te doen: 0/0|-1";
    }
    void eachActivitysRules()
    {
        QFETCH(int, mode);
        QFETCH(QString, kinds);
        velmora::Plaatsen table;
        const int aantRecs = fill(table, kinds);
        KaartQuiz quiz(table);
        quiz.setRandomSource([](int bound) { return bound - 1; });
        quiz.open(QuizMode(mode), Anna, aantRecs);

        QString shown;
        for (int j = 1; j <= aantRecs; ++j)
            shown += quiz.isShown(j) ? QString::number(j) : QString();
        QTEST(shown, "shown");
        QTEST(seen(quiz), "opened");
        const KaartQuiz::Start start = quiz.clickHotSpot(quiz.plek() ? quiz.plek() : 1);
        QTEST(int(start), "start");
        QTEST(seen(quiz), "clicked");
        if (start == KaartQuiz::Start::Timer1)
            quiz.timer1();
        while (start == KaartQuiz::Start::GroeiPlas && quiz.groeiPlas()) {
        }
        QTEST(seen(quiz), "next");
        QVERIFY(!quiz.takeResult());
    }

    // Special names count only as spelled exactly; Ostrik's line replaces new questions,
    // not the repeated one.
    void specialNames()
    {
        velmora::Plaatsen table;
        const int aantRecs = fill(table, QStringLiteral("sd"));
        KaartQuiz quiz(table);
        quiz.setRandomSource([](int bound) { return bound - 1; });
        Keuze keuze = Anna;
        for (const auto& [mode, name, shown] :
             {std::tuple(QuizMode::Look, "Ostrik Brelloven", "Ostrik Brelletje"),
              std::tuple(QuizMode::Look, "Harmo Dulvers", "Harmo 'The Creator' Dulvers"),
              std::tuple(QuizMode::Look, "harmo dulvers", "harmo dulvers"),
              std::tuple(QuizMode::Practise, "Ostrik brelloven",
                         "Ostrik brelloven, wijs aan op de kaart: Bergen"),
              std::tuple(QuizMode::Practise, "Ostrik Brelloven",
                         "Heet je Ostrik? Zoek het dan maar lekker zelf uit :P")}) {
            keuze.Gebruiker = QString::fromLatin1(name);
            quiz.open(mode, keuze, aantRecs);
            QCOMPARE(quiz.status(), QString::fromLatin1(shown));
        }
        quiz.clickHotSpot(1);
        quiz.timer2();
        QCOMPARE(quiz.status(), QStringLiteral("Ostrik Brelloven, wijs op de kaart aan: Bergen"));
    }
};

QTEST_MAIN(TestKaartQuiz)
#include "tst_kaartquiz.moc"
