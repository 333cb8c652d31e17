#pragma once

namespace korvel {

// The activities of the map screen, numbered as the activity menu's Mode.
enum class QuizMode { Look = 0, Practise = 1, Test = 2, Game = 3 };

} // namespace korvel
