#pragma once

#include "answerline.h"
#include "quizmode.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace velmora {
struct Plaats;
} // namespace velmora

namespace korvel {

// One activity's rules, without widgets: which items it shows and asks, its
// counters, its question and what a click does. The table in quizrules.cpp
// holds an entry per activity; a new activity is a new entry, and a new way
// of judging clicks is one more Judge with its function in KaartQuiz.
struct QuizRules
{
    // What a click on a hotspot does.
    enum class Judge {
        None,     // nothing: looking
        Feedback, // says right or wrong, then asks again (practice)
        Silent,   // counts and goes on; the last answer ends it with a record (test)
        Flood,    // a puddle grows on the item; a press on the map makes one too (game)
    };

    QuizMode mode;
    bool asks = false;       // a question is asked at opening
    bool citiesOnly = false; // only cities are asked
    bool hidesWaterAndArea = false;
    bool asksEachOnce = false;     // an item asked (or flooded) is not asked again
    bool neverTwiceInARow = false; // unless the map holds one item only
    bool countersShown = false;
    // The second counter counts right answers from 0; otherwise it shows the
    // number of items to ask.
    bool countsRight = false;
    Judge judge = Judge::None;
    bool namesOnHover = false; // an item's name shows under the pointer
    // The question, from "%1" the pupil and "%2" the item; one is drawn
    // at random where there are several.
    QStringList questions = {};
    // The status line when nothing can be asked at opening.
    QString nothingToAsk = {};
    // A place missed twice is pointed out; a missed place comes back once
    // after a few other questions; closing names the places missed.
    bool teachesOnError = false;
    // Closing before the end, by any way, asks first: what was done is lost.
    bool asksBeforeClosing = false;
    // Each answer goes to antwoorden.csv as this kind; looking and the game keep none.
    std::optional<velmora::AnswerLine::Mode> answersAs = {};

    static const QuizRules& of(QuizMode mode);

    bool shows(const velmora::Plaats& item) const;
    bool mayAsk(const velmora::Plaats& item) const;
    QString secondCaption() const;
};

} // namespace korvel
