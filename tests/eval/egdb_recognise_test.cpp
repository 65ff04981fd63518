// The kings-against-men recogniser: its three patterns, and the same positions turned
// half round with the colours swapped for Black kings.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "board/board.h"
#include "common/case_name.h"
#include "eval/egdb.h"

namespace {

using Piece = std::pair<int, uint8_t>;  // internal square, code
constexpr uint8_t WM = qv::WHITE_MAN, WK = qv::WHITE_KING, BM = qv::BLACK_MAN, BK = qv::BLACK_KING;

struct Case {
    const char* what;
    std::vector<Piece> pieces;  // White kings against black men
    bool kings_win;
};

int place(const std::vector<Piece>& pieces, bool mirrored) {
    qv::clear_board();
    int men = 0;
    for (auto [s, code] : pieces) {
        if (mirrored) {
            s = 33 - s;
            code = qv::is_white(code) ? code + 2 : code - 2;
        }
        qv::board[s] = code;
        if (code == (mirrored ? WM : BM)) ++men;
    }
    return men;
}

const Case CASES[] = {
    {"1: king on 1, men behind the long diagonal", {{1, WK}, {3, BM}, {8, BM}}, true},
    {"1: king on 28 with 1 empty", {{28, WK}, {2, BM}, {12, BM}, {16, BM}}, true},
    {"1: a man on the king's diagonal", {{1, WK}, {3, BM}, {10, BM}}, false},
    {"1: both key squares taken", {{1, WK}, {28, WK}, {3, BM}}, false},
    {"1: four men", {{28, WK}, {2, BM}, {3, BM}, {4, BM}, {8, BM}}, false},
    {"1: man on 4, 8 empty, 11 taken", {{1, WK}, {4, BM}, {11, BM}}, false},
    {"1: man on 4, 8 and 11 taken", {{1, WK}, {4, BM}, {8, BM}, {11, BM}}, true},
    {"1: a white king beside a man", {{1, WK}, {7, WK}, {3, BM}}, false},
    {"1: a white man far enough", {{1, WK}, {25, WM}, {3, BM}}, true},
    {"1: a white man too near", {{1, WK}, {15, WM}, {3, BM}}, false},
    {"2: king on 20", {{20, WK}, {3, BM}, {4, BM}, {8, BM}, {12, BM}}, true},
    {"2: king on 2 with 20 empty", {{2, WK}, {12, BM}}, true},
    {"2: a man off the corner", {{20, WK}, {3, BM}, {11, BM}}, false},
    {"2: a white man too near", {{20, WK}, {16, WM}, {3, BM}}, false},
    {"3: king on 21", {{21, WK}, {1, BM}, {5, BM}, {9, BM}}, true},
    {"3: square 2 taken with three men", {{21, WK}, {1, BM}, {2, BM}, {9, BM}}, true},
    {"3: square 2 taken with two men", {{21, WK}, {2, BM}, {9, BM}}, false},
    {"3: square 2 taken with four men", {{3, WK}, {1, BM}, {2, BM}, {5, BM}, {9, BM}}, false},
    {"3: a man off the edge", {{21, WK}, {1, BM}, {10, BM}}, false},
    {"3: a white man far enough", {{21, WK}, {25, WM}, {1, BM}}, true},
    {"3: a white man too near", {{21, WK}, {17, WM}, {1, BM}}, false},
    {"no key square held", {{15, WK}, {3, BM}}, false},
    {"a black king stands too", {{1, WK}, {3, BM}, {8, BK}}, false},
};

class KingsAgainstMen : public testing::TestWithParam<Case> {};

TEST_P(KingsAgainstMen, WhiteKings) {
    const Case& c = GetParam();
    const int men = place(c.pieces, false);
    EXPECT_EQ(qv::recognise_kings_against_men(men, false), c.kings_win) << c.what;
}

TEST_P(KingsAgainstMen, BlackKingsMirrored) {
    const Case& c = GetParam();
    const int men = place(c.pieces, true);
    EXPECT_EQ(qv::recognise_kings_against_men(men, true), c.kings_win) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Patterns, KingsAgainstMen, testing::ValuesIn(CASES),
                         qv::test::NameBy<&Case::what>());

}  // namespace
