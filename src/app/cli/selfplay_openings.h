// The openings a self-play match starts its games from: a position and the plies played
// from it before the players take over.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "board/fen.h"

namespace qv::cli {

struct Opening {
    Position start;
    std::vector<std::pair<uint8_t, uint8_t>> plies;  // (from, to), internal squares
};

// The distinct first `plies` plies of the lines of both opening lists, in list order;
// lines that are shorter or not legal from the start are left out.
std::vector<Opening> openings_from_lists(int plies);

// The openings of a file: one FEN per line (blank lines and lines starting with '#'
// skipped), or else every game of a text or PDN file (its start and all its plies; games
// with an illegal move, or with neither a FEN tag nor a move, are left out).
// False with the reason when the file cannot be read or holds no opening.
bool load_openings(const std::string& path, std::vector<Opening>& out, std::string& why);

}  // namespace qv::cli
