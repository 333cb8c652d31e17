#pragma once

#include "keuze.h"
#include "plaatsen.h"
#include "quizrules.h"

#include <QDateTime>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace korvel {

// A whole number from 0 up to but not including the bound, each equally likely.
using RandomSource = std::function<int(int bound)>;

// What is asked and judged on the quiz screen, with no widgets: the screen
// forwards clicks, presses and timer ticks and shows the texts kept here.
class KaartQuiz
{
public:
    // The timer the screen must start after a click or press.
    enum class Start { Nothing, Timer1, Timer2, GroeiPlas };

    static constexpr int PuddleStep = 10;  // twips per tick on every side
    static constexpr int PuddleFull = 500; // a puddle stops growing past this height
    // A city's puddle starts on its marker's centre.
    static constexpr qreal HalfMarker = velmora::ItemKind::MarkerSize / 2.0;

    // A finished test's record for the results file.
    struct Result
    {
        QString naam;
        QString kaart;
        int niveau = 0;
        int gedaan = 0;
        int goed = 0;
        friend bool operator==(const Result&, const Result&) = default;
    };

    explicit KaartQuiz(const velmora::Plaatsen& plaatsen);
    void setRandomSource(RandomSource random);

    // The opening of the screen, after the map has been read: resets the
    // counters, counts the included items and those to ask, asks the first question.
    void open(QuizMode mode, const Keuze& keuze, int aantRecs);

    // Item of the chosen level or below: it gets its pieces on the map.
    bool isIncluded(int index) const;
    // Drawn and clickable, as the activity's rules say.
    bool isShown(int index) const;

    // One press and release on a hotspot. It is no answer when its press was
    // the second of a double-click, while a practice answer is shown, while a
    // puddle grows, or on a city that is flooded already (which is said).
    Start clickHotSpot(int index, bool secondOfDouble = false);
    Start pressPicture(int xTwips, int yTwips);
    void timer1();
    void timer2();
    // One GroeiPlas tick; false when the puddle is full and the timer must stop.
    bool groeiPlas();
    // The record of the test that has just ended, handed out once: the screen
    // appends it to the results file.
    std::optional<Result> takeResult();
    // The record could not be stored: the pupil is told so.
    void resultNotSaved();
    // The place asked, when the pupil has missed it so often that the screen
    // points it out (its marker ringed, its name shown) until it is clicked.
    std::optional<int> pointedOut() const;
    // The places missed, each once, in the order they were first missed.
    QStringList missedNames() const;
    // The answer just given, handed out once, for antwoorden.csv.
    std::optional<velmora::AnswerLine> takeAnswer();

    const QuizRules& rules() const { return *m_rules; }
    // Once over, only "Sluiten" acts.
    bool ended() const { return m_ended; }
    // The screen's state, under its own names; Mode is -1 once the activity has ended.
    int Mode() const { return m_ended ? -1 : int(m_rules->mode); }
    int AantRecs() const { return m_aantRecs; }
    int AantPlaatsen() const { return m_aantPlaatsen; }
    int plek() const { return m_plek; }
    int CurPlas() const { return m_curPlas; }
    // Puddle CurPlas is Plas()[CurPlas - 1]; twips on the picture.
    const QList<QRectF>& Plas() const { return m_plas; }

    // What the screen shows.
    const QString& status() const { return m_status; }               // lblStatus
    const QString& gehadText() const { return m_gehadText; }         // lblAantGehad
    const QString& teDoenCaption() const { return m_teDoenCaption; } // lblAantalTeDoen
    const QString& overText() const { return m_overText; }           // lblAantOver
    bool countersShown() const { return m_countersShown; }

private:
    void VolgendeVraag();
    void end(const QString& status);
    const velmora::Plaats& item(int index) const { return m_plaatsen[index]; }
    int draw(int bound);
    bool eligible(int candidate) const;
    Start feedbackClick(int index);
    Start silentClick(int index);
    Start floodClick(int index);
    void finishTest();
    void keepAnswer(int clicked);
    void missed(int index);
    // A missed place that is due again, or 0.
    int takeDueAgain();

    const velmora::Plaatsen& m_plaatsen;
    RandomSource m_random;
    QDateTime m_begonnen;
    std::optional<velmora::AnswerLine> m_answer;
    Keuze m_keuze;
    const QuizRules* m_rules = &QuizRules::of(QuizMode::Look);
    bool m_ended = false;
    int m_aantRecs = 0;
    int m_aantPlaatsen = 0;
    int m_aantTeVragen = 0; // included items the activity may ask: in the game its cities
    int m_aantGoed = 0;
    int m_aantGedaan = 0;
    int m_plek = 0;
    int m_vorrige = 0;
    QList<int> m_gehad;
    int m_curPlas = 0;
    QList<QRectF> m_plas;
    QString m_status;
    QString m_question; // as last asked
    QString m_gehadText;
    QString m_teDoenCaption;
    QString m_overText;
    bool m_countersShown = false;
    std::optional<Result> m_result;
    int m_goedShown = 0; // practice: the right answers live only in their label
    bool m_growing = false;
    bool m_answerShown = false; // practice: between a click and its timer
    // Teaching on error, in practice.
    struct Again
    {
        int index;
        int due; // the number of the question it is asked as
    };
    int m_questions = 0; // asked so far, this one included
    int m_missesHere = 0;
    QList<int> m_missed;
    QList<Again> m_again;
};

} // namespace korvel
