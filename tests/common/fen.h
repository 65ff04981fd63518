// Test positions from their FEN text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "board/board.h"
#include "board/fen.h"

namespace qv::test {

// Puts `fen` on the board and returns the side to move; a text that does not read fails the
// test that gave it.
inline int set_fen(std::string_view fen) {
    Position p;
    std::string error;
    EXPECT_TRUE(parse_fen(fen, p, error)) << fen << ": " << error;
    set_position(p);
    return p.side_to_move;
}

}  // namespace qv::test
