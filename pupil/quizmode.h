#pragma once

namespace korvel {

// The map screen's Mode: the activity an activity button chose, and Ended
// once that activity is over.
struct QuizMode
{
    enum Value : int { Look = 0, Practise = 1, Test = 2, Game = 3, Ended = -1 };
};

} // namespace korvel
