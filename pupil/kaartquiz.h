#pragma once

#include "keuze.h"
#include "plaatsen.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <functional>

namespace korvel {

// A whole number from 0 up to but not including the bound, each equally likely.
using RandomSource = std::function<int(int bound)>;

// What is asked and judged on the quiz screen, with no widgets: the screen
// forwards clicks, presses and timer ticks and shows the texts kept here.
class KaartQuiz
{
public:
    enum Modes { Look = 0, Practise = 1, Test = 2, Game = 3, Ended = -1 };
    // The timer the screen must start after a click or press.
    enum class Start { Nothing, Timer1, Timer2, GroeiPlas };

    static constexpr int PuddleStep = 10;  // twips per tick on every side
    static constexpr int PuddleFull = 500; // a puddle stops growing past this height

    explicit KaartQuiz(const velmora::Plaatsen& plaatsen);
    void setRandomSource(RandomSource random);

    // The opening of the screen, after the map has been read: resets the
    // counters, counts the included items and cities, asks the first question.
    void open(int mode, const Keuze& keuze, int aantRecs);

    // Item of the chosen level or below: it gets its pieces on the map.
    bool isIncluded(int index) const;
    // Drawn and clickable: in the game waters and areas are left out.
    bool isShown(int index) const;

    void VolgendeVraag();
    // One press and release on a hotspot. It is no answer when its press was
    // the second of a double-click, while a practice answer is shown, while a
    // puddle grows, or on a city that is flooded already.
    Start clickHotSpot(int index, bool secondOfDouble = false);
    Start pressPicture(int xTwips, int yTwips);
    void timer1();
    void timer2();
    // One GroeiPlas tick; false when the puddle is full and the timer must stop.
    bool groeiPlas();
    bool growing() const { return m_growing; }

    // The screen's state, under its own names.
    int Mode = Look;
    int AantRecs = 0;
    int AantPlaatsen = 0;
    int AantSteden = 0;
    int AantGoed = 0;
    int AantGedaan = 0;
    int plek = 0;
    int Vorrige = 0;
    QList<int> Gehad;
    int CurPlas = 0;
    QList<QRectF> Plas; // puddle CurPlas is Plas[CurPlas - 1]; twips on the picture

    // What the screen shows.
    QString status;          // lblStatus
    QString gehadText;       // lblAantGehad
    QString teDoenCaption;   // lblAantalTeDoen
    QString overText;        // lblAantOver
    bool countersShown = false;

private:
    const velmora::Plaats& item(int index) const { return m_plaatsen[index]; }
    int draw(int bound);
    bool eligible(int candidate) const;
    QString question(int index);
    Start practiseClick(int index);
    Start testClick(int index);
    Start gameClick(int index);
    void finishTest();

    const velmora::Plaatsen& m_plaatsen;
    RandomSource m_random;
    Keuze m_keuze;
    int m_goedShown = 0; // practice: the right answers live only in their label
    bool m_growing = false;
    bool m_answerShown = false; // practice: between a click and its timer
};

} // namespace korvel
