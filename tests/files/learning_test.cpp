// Learning from a game: which games are learnt, and a learnt score steering the search.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "board/data_dir.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "files/learning.h"
#include "files/temp_dir.h"
#include "game/game_record.h"
#include "search/position_table.h"
#include "search/search_test_util.h"
#include "search/tt.h"

namespace qv {
namespace {

// A record of `plies` plies that stands on `fen` at every ply; the last move arrives on
// `arrival` (a label), so the side of the piece there has just moved.
void record_of(const char* fen, int plies, int arrival) {
    Position p;
    std::string error;
    ASSERT_TRUE(parse_fen(fen, p, error)) << error;
    game = GameState{};
    for (int k = 0; k <= plies; ++k) {
        std::memcpy(game.game_record[k].squares, p.squares, sizeof p.squares);
        game.game_record[k].squares[0] = OFF_BOARD;
    }
    game.game_record[plies].to = static_cast<uint8_t>(square_of_label(arrival));
    game.game_record[plies].from = static_cast<uint8_t>(square_of_label(arrival));
    game.last_ply = plies;
    game.current_ply = 0;
}

struct LearnCase {
    const char* name;
    const char* fen;
    int plies;
    bool learnt;
};

class Learnable : public ::testing::TestWithParam<LearnCase> {};

TEST_P(Learnable, BalanceAndLength) {
    const LearnCase& c = GetParam();
    record_of(c.fen, c.plies, 21);
    const LearnTarget t = learning_target(0);
    EXPECT_EQ(game.current_ply, c.plies);
    EXPECT_EQ(t.learnable, c.learnt);
}

INSTANTIATE_TEST_SUITE_P(
    Games, Learnable,
    ::testing::Values(LearnCase{"TwentyPlies", "W:W21,22,23:B9,10,11", 20, false},
                      LearnCase{"TwentyOnePlies", "W:W21,22,23:B9,10,11", 21, true},
                      LearnCase{"ManDown", "W:W21,22,23:B9,10", 40, false},
                      LearnCase{"AManCrowned", "W:W21,22,K23:B9,10,11", 40, true},
                      LearnCase{"KingsForAMan", "W:W21,22:B9,K10,K11", 40, true},
                      LearnCase{"ThreeKingsUp", "W:W21,K22,K23,K24:B9,10,11", 40, false}),
    [](const auto& info) { return std::string(info.param.name); });

class LearnedScore : public test::TempDirTest {};

// A score learnt for the position after White's first root move makes the search take
// that move at once with that score; before learning, the search finds nothing like it.
TEST_F(LearnedScore, IsFoundByTheSearchWithTheSameSideToMove) {
    constexpr const char* ROOT = "W:W21,22,23:B9,10,11";
    constexpr int LEARNT = -20000;  // Black's view: White wins
    SearchInputs in;
    in.fixed_depth = 4;
    start_engine();
    search.library_enabled = 0;
    int side = test::set_fen(ROOT);
    const uint8_t before = choose_move(side, in);
    ASSERT_LT(before, move_count[1]);
    EXPECT_LT(search.last_score, 5000);

    // The position after the last root move, White's man arriving: Black to move.
    side = test::set_fen(ROOT);
    const int n = legal_moves(side);
    ASSERT_GE(n, 2);
    const Move m = move_lists[1][n - 1];
    Position after;
    std::string error;
    ASSERT_TRUE(parse_fen(ROOT, after, error));
    after.squares[m.to] = after.squares[m.from];
    after.squares[m.from] = EMPTY;
    game = GameState{};
    for (int k = 0; k <= 22; ++k) std::memcpy(game.game_record[k].squares, after.squares, 33);
    game.game_record[22].from = m.from;
    game.game_record[22].to = m.to;
    game.last_ply = 22;
    const LearnTarget target = learning_target(0);
    ASSERT_TRUE(target.learnable);
    ASSERT_TRUE(learn_position(target, LEARNT, dir / "learnt.dal"));
    EXPECT_EQ(std::filesystem::file_size(dir / "learnt.dal"), POSITION_TABLE_BYTES);

    side = test::set_fen(ROOT);
    const uint8_t chosen = choose_move(side, in);
    ASSERT_LT(chosen, move_count[1]);
    EXPECT_EQ(move_lists[1][chosen].from, m.from);
    EXPECT_EQ(move_lists[1][chosen].to, m.to);
    EXPECT_EQ(search.last_score, -LEARNT);

    // The same squares with White to move are another position.
    EXPECT_EQ(probe_position(target.index_key + 1, target.lock_key), nullptr);

    // A table-size change keeps what was learnt, and keys a game learnt now as the next
    // run, with the keys of the file, will.
    set_table_size(200, 2);
    side = test::set_fen(ROOT);
    const uint8_t after_size_change = choose_move(side, in);
    ASSERT_LT(after_size_change, move_count[1]);
    EXPECT_EQ(move_lists[1][after_size_change].to, m.to);
    EXPECT_EQ(search.last_score, -LEARNT);
    EXPECT_EQ(learning_target(0).index_key, target.index_key);
    set_table_size(100, 2);
    ASSERT_TRUE(load_position_table(data_path("ital.dat").string()));
}

}  // namespace
}  // namespace qv
