// Training positions for the tuner: quiet positions of fast self-play games, each with the
// game's result.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace qv::tune {

struct GameSettings {
    long games = 1000;
    int depth = 5;             // fixed search depth of both sides
    int random_plies_min = 2;  // a game opens with this many random legal moves ...
    int random_plies_max = 8;  // ... up to this many
    int skip_plies = 10;       // positions before this ply are not written
    uint32_t seed = 1;
    bool openings = false;  // instead: the first kept position of each game with equal
                            // material, FEN only (start positions for a match)
};

// Plays the games and writes one line per kept position: "FEN result", the result from
// White's view (1, 0.5 or 0). Progress goes to `log`. Returns the number of positions.
long write_training_positions(const GameSettings& settings, std::ostream& out, std::ostream& log);

}  // namespace qv::tune
