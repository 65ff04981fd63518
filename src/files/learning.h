// Learning from a finished game: the score the analysis found for the game's last
// position goes into the position table, which is then written whole to a learning file.
#pragma once

#include <cstdint>
#include <filesystem>

namespace qv {

// Games this short, or this unbalanced (material as 3 x men + kings), are not learnt.
inline constexpr int LEARN_MIN_PLIES = 21;
inline constexpr int LEARN_MAX_IMBALANCE = 3;

// The game's last position as the position table knows it.
struct LearnTarget {
    bool learnable = false;  // balanced and long enough
    uint32_t index_key = 0;  // 1 added when White is to move
    uint32_t lock_key = 0;
};

// Steps the game in hand forward to its last ply (as "Avancer" does, `t` the time now)
// and keys the position there.
LearnTarget learning_target(int32_t t);
// Material as the learning counts it, for one side of a record's squares.
int learning_material(const uint8_t squares[33], int side);
// Stores `score` (from the side to move's view) for the target and writes the whole
// table to `file` through a temporary file; false when the file cannot be written.
bool learn_position(const LearnTarget& target, int16_t score, const std::filesystem::path& file);

}  // namespace qv
