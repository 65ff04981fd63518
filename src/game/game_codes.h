// The codes of a game's kind, its result and the reasons it ends.
#pragma once

#include <cstdint>

namespace qv {

// game_state: the kind of game being played.
inline constexpr uint8_t FREE_GAME = 0;
inline constexpr uint8_t RATED_MATCH = 1;
inline constexpr uint8_t RATED_MATCH_REPORTED = 5;  // its end has been reported

// game_result, and the result of an end-of-game report. The text writer saves it.
inline constexpr uint8_t BLACK_WON = 0;
inline constexpr uint8_t DRAWN = 1;
inline constexpr uint8_t WHITE_WON = 2;
inline constexpr uint8_t NO_RESULT = 3;

// Why end_of_game runs.
enum class EndReason {
    person_moved = 0,        // after a person's move
    agreed_draw = 1,         // a draw offer accepted, the draw rules, a full record
    computer_moved = 2,      // after the computer's move
    person_out_of_time = 4,  // the computer wins on time
    computer_out_of_time = 5,
    person_resigned = 6,
};

}  // namespace qv
