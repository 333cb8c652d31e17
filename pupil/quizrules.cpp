#include "quizrules.h"

#include "plaats.h"

#include <algorithm>
#include <array>

using namespace velmora;

namespace korvel {
namespace {

const QString NothingAtLevel = QStringLiteral("Op dit niveau staat niets op de kaart om naar te vragen.");
const QString PointOut = QStringLiteral("%1, wijs aan op de kaart: %2");

using Judge = QuizRules::Judge;

// One entry per activity; what an entry leaves out is off.
const std::array<QuizRules, 4> Table{{
    {.mode = QuizMode::Look, .namesOnHover = true},
    {.mode = QuizMode::Practise,
     .asks = true,
     .neverTwiceInARow = true,
     .countersShown = true,
     .countsRight = true,
     .judge = Judge::Feedback,
     .questions = {PointOut},
     .nothingToAsk = NothingAtLevel,
     .teachesOnError = true,
     .answersAs = AnswerLine::Mode::Oefenen},
    {.mode = QuizMode::Test,
     .asks = true,
     .asksEachOnce = true,
     .countersShown = true,
     .judge = Judge::Silent,
     .questions = {PointOut},
     .nothingToAsk = NothingAtLevel,
     .asksBeforeClosing = true,
     .answersAs = AnswerLine::Mode::Toets},
    {.mode = QuizMode::Game,
     .asks = true,
     .citiesOnly = true,
     .hidesWaterAndArea = true,
     .asksEachOnce = true,
     .countersShown = true,
     .judge = Judge::Flood,
     .questions = {QStringLiteral("%1, besproei %2!"),
                   QStringLiteral("%1, geef de mensen in %2 natte voeten!"),
                   QStringLiteral("%1, laat de straten blank staan in %2!"),
                   QStringLiteral("%1, geef iedereen in %2 een nat pak!")},
     .nothingToAsk = QStringLiteral("Er zijn geen steden om te besproeien!")},
}};

} // namespace

const QuizRules& QuizRules::of(QuizMode mode)
{
    return *std::find_if(Table.begin(), Table.end(), [mode](const QuizRules& r) { return r.mode == mode; });
}

bool QuizRules::shows(const Plaats& item) const
{
    return !hidesWaterAndArea || !item.kind().isWaterOrArea();
}

bool QuizRules::mayAsk(const Plaats& item) const
{
    return asks && (!citiesOnly || item.kind().isCity());
}

QString QuizRules::secondCaption() const
{
    return countsRight ? QStringLiteral("Aantal goed:") : QStringLiteral("Aantal te doen:");
}

} // namespace korvel
