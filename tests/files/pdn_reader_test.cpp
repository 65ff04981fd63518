// PDN as other programs write it: the main line is read past variations, comments, NAGs
// and move numbers; a move that cannot be played stops that game's import.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/text_game.h"
#include "game/game_record.h"
#include "game/play_helpers.h"

namespace qv {
namespace {

const std::string TAGS = "[Event \"Club\"]\n[White \"Anna\"]\n[Black \"Bruno\"]\n\n";
const std::vector<std::string> MAIN_LINE = {"23-19", "10-14", "19x10", "05x14",
                                            "22-19", "14x23", "27x20", "12-15"};

struct PdnCase {
    const char* name;
    std::string pdn;
    std::vector<std::string> main_line;
};
std::vector<std::string> recorded_line() {
    std::vector<std::string> line;
    for (int p = 1; p <= game.last_ply; ++p) line.push_back(ply_move_text(p));
    return line;
}

class PdnStyles : public ::testing::TestWithParam<PdnCase> {};

TEST_P(PdnStyles, ExactMainLine) {
    const PdnCase& c = GetParam();
    test::fresh_game();
    TextGame tg;
    TextProblem why;
    ASSERT_TRUE(parse_text_game(c.pdn, 0, tg, why))
        << int(why.error) << " move " << why.move_number << " " << why.text;
    ASSERT_TRUE(load_text_game(tg, 100, why)) << why.move_number << " " << why.text;
    EXPECT_EQ(recorded_line(), c.main_line);
    EXPECT_EQ(game.white_name, "Anna");
    EXPECT_EQ(game.black_name, "Bruno");
}

INSTANTIATE_TEST_SUITE_P(
    Written, PdnStyles,
    ::testing::Values(
        PdnCase{"variation_then_main_line",
                TAGS + "1. 23-19 10-14 2. 19x10 5x14 3. 22-19 14x23 4. 27x20 (4. 28x19? 9-13) "
                       "12-15 *\n",
                MAIN_LINE},
        PdnCase{"nested_variations",
                TAGS + "1. 23-19 10-14 2. 19x10 5x14 3. 22-19 14x23 4. 27x20\n"
                       "(4. 28x19 9-13 (4... 12-16 5. 19-15 {a (bracket} 11x20) 5. 21-17)\n"
                       "(4. 26x19) 12-15 *\n",
                MAIN_LINE},
        PdnCase{"comments",
                TAGS + "{Opening: 4. 28x19 was tried} 1. 23-19 10-14 {a comment\n"
                       "over two lines} 2. 19x10 ; to the end of the line 9-13\n"
                       "5x14 3. 22-19 14x23 4. 27x20 12-15 *\n",
                MAIN_LINE},
        PdnCase{"nags",
                TAGS + "1. 23-19! 10-14?! 2. 19x10 $1 5x14 $18 3. 22-19 !? 14x23?? 4. 27x20!! "
                       "12-15 ? *\n",
                MAIN_LINE},
        PdnCase{"black_move_numbers",
                TAGS + "1. 23-19 1... 10-14 2. 19x10 2... 5x14 3.22-19 3...14x23 4. 27x20 "
                       "4... 12-15 *\n",
                MAIN_LINE},
        PdnCase{"bom_and_crlf",
                "\xEF\xBB\xBF[White \"Anna\"]\r\n[Black \"Bruno\"]\r\n\r\n1. 23-19 10-14 "
                "2. 19x10 5x14\r\n3. 22-19 14x23 4. 27x20 12-15 *\r\n",
                MAIN_LINE},
        PdnCase{"tag_names_in_any_case",
                "[WHITE \"Anna\"]\n[black \"Bruno\"]\n[gametype \"22,W,8,8,N2,1\"]\n"
                "[Fen \"W:W19,30:B15,7,1\"]\n\n1. 19x03 1-5 *\n",
                {"19x03", "01-05"}},
        PdnCase{"capture_with_every_square",
                TAGS + "[FEN \"W:W19,30:B15,7,1\"]\n\n1. 19x12x03 1-5 *\n",
                {"19x03", "01-05"}},
        PdnCase{"king_capture_path_with_every_square",
                TAGS + "[FEN \"W:WK3,30:B6,7,14,15,1\"]\n\n1. 03x12x19x10x03 1-5 *\n",
                {"03x03", "01-05"}},
        // Whatever follows a result token belongs to no game.
        PdnCase{"white_wins", TAGS + "1. 23-19 10-14 1-0 zz\n", {"23-19", "10-14"}},
        PdnCase{"black_wins", TAGS + "1. 23-19 10-14 0-1 zz\n", {"23-19", "10-14"}},
        PdnCase{"draw", TAGS + "1. 23-19 10-14 1/2-1/2 zz\n", {"23-19", "10-14"}},
        PdnCase{"unknown_result", TAGS + "1. 23-19 10-14 * zz\n", {"23-19", "10-14"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PdnFault {
    const char* name;
    std::string pdn;
    int game;
    TextError error;
    int move_number;
    const char* text;
};
class PdnFaults : public ::testing::TestWithParam<PdnFault> {};

// The game in hand stays as it was; the problem names the game, the move number and the
// move as written.
TEST_P(PdnFaults, GameStopsWithItsReason) {
    const PdnFault& c = GetParam();
    test::fresh_game();
    test::play_pseudo_random(6, 3);
    const GameState before = game;
    TextGame tg;
    TextProblem why;
    const bool ok = parse_text_game(c.pdn, c.game, tg, why) && load_text_game(tg, 100, why);
    EXPECT_FALSE(ok);
    EXPECT_EQ(why.error, c.error);
    EXPECT_EQ(why.game, c.game);
    EXPECT_EQ(why.move_number, c.move_number);
    EXPECT_EQ(why.text, c.text);
    EXPECT_EQ(game.last_ply, before.last_ply);
    EXPECT_EQ(game.list_lines, before.list_lines);
    EXPECT_EQ(0, std::memcmp(board + 1, before.game_record[before.current_ply].squares + 1, 32));
}

INSTANTIATE_TEST_SUITE_P(
    Refused, PdnFaults,
    ::testing::Values(
        PdnFault{"illegal_white_move",
                 TAGS + "1. 22-18 *\n\n" + TAGS +
                     "1. 23-19 10-14 2. 19x10 5x14 3. 22-19 14x23 4. 27x18 12-15 *\n",
                 1, TextError::illegal_move, 4, "27x18"},
        PdnFault{"illegal_black_move", TAGS + "1. 23-19 10-14 2. 19x10 2... 6x15 *\n", 0,
                 TextError::illegal_move, 2, "6x15"},
        PdnFault{"unreadable_move", TAGS + "1. 23-19 10-14 2. 19x10 5x 3. 22-19 *\n", 0,
                 TextError::unreadable_move, 2, "5x"},
        PdnFault{"square_off_the_board", TAGS + "1. 23-19 10-44 *\n", 0, TextError::unreadable_move,
                 1, "10-44"},
        PdnFault{"bad_fen", "[FEN \"X:W40\"]\n1. 22-18 *\n", 0, TextError::bad_fen, 0, "X:W40"},
        PdnFault{"other_game_type", "[GameType \"20\"]\n\n1. 32-28 *\n", 0,
                 TextError::other_game_type, 0, "20"},
        PdnFault{"missing_game", TAGS + "1. 23-19 *\n", 2, TextError::no_such_game, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The program's own text games keep their rule: a ply matching no legal move is skipped.
TEST(PdnOnly, OwnTextGamesStillSkipAnUnmatchedPly) {
    test::fresh_game();
    TextGame tg;
    TextProblem why;
    ASSERT_TRUE(parse_text_game("A-B\n1.23-19 10-14 2.27x18 19x10\n", 0, tg, why));
    ASSERT_TRUE(load_text_game(tg, 100, why));
    EXPECT_EQ(recorded_line(), (std::vector<std::string>{"23-19", "10-14", "19x10"}));
}

}  // namespace
}  // namespace qv
