// The move list and navigation through the game record.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/case_name.h"
#include "game/play_helpers.h"

namespace qv {
namespace {

using test::fresh_game;
using test::play;

std::vector<uint8_t> position() {
    return std::vector<uint8_t>(board + 1, board + 33);
}

TEST(MoveList, LinesAfterWhiteAndBlackMoves) {
    fresh_game();
    play("23-19");
    ASSERT_EQ(game.list_lines, std::vector<std::string>{" 1.23-19 "});
    play("10-14");
    EXPECT_EQ(game.list_lines, std::vector<std::string>{" 1.23-19 10-14"});
    play("19x10");
    EXPECT_EQ(game.list_lines, (std::vector<std::string>{" 1.23-19 10-14", " 2.19x10 "}));
    EXPECT_EQ(game.list_selection, 1);
    EXPECT_EQ(game.current_ply, 3);
    EXPECT_EQ(game.last_ply, 3);
    EXPECT_EQ(game.game_record[3].capture_count, 1);
}

TEST(MoveList, RebuildMatchesWrittenLinesAndDropsTrailingBlank) {
    fresh_game();
    test::play_pseudo_random(13, 7);
    std::vector<std::string> written = game.list_lines;
    rebuild_list();
    ASSERT_EQ(game.list_lines.size(), written.size());
    for (size_t i = 0; i + 1 < written.size(); ++i) EXPECT_EQ(game.list_lines[i], written[i]);
    // An odd last ply: the rebuilt half line has no trailing blank.
    EXPECT_EQ(game.list_lines.back() + " ", written.back());
}

TEST(Navigation, TakeBackTwoAndPlayOnCutsTheList) {
    fresh_game();
    for (const char* m : {"23-19", "10-14", "19x10", "06x13", "22-18"}) play(m);
    ASSERT_EQ(game.list_lines.size(), 3u);
    reprise(2000);
    reprise(2000);
    EXPECT_EQ(game.current_ply, 3);
    EXPECT_EQ(game.side_to_move, BLACK);
    play("05x14");
    EXPECT_EQ(game.last_ply, 4);
    EXPECT_EQ(game.list_lines, (std::vector<std::string>{" 1.23-19 10-14", " 2.19x10 05x14"}));
    const auto before = position();
    avancer(2100);  // already at the end
    EXPECT_EQ(game.current_ply, 4);
    EXPECT_EQ(position(), before);
}

TEST(Navigation, RepriseThenAvancerRestoresPositionClocksAndSide) {
    fresh_game();
    play("23-19", 1010);
    play("10-14", 1030);
    const auto pos = position();
    const int32_t wc = clocks.white_clock, bc = clocks.black_clock;
    const uint8_t side = game.side_to_move;
    reprise(2000);
    EXPECT_NE(position(), pos);
    avancer(2001);
    EXPECT_EQ(position(), pos);
    EXPECT_EQ(clocks.white_clock, wc);
    EXPECT_EQ(clocks.black_clock, bc);
    EXPECT_EQ(game.side_to_move, side);
    EXPECT_EQ(clocks.white_turn_start, 2001);
}

TEST(Navigation, RepriseAtPlyZeroChangesNothing) {
    fresh_game();
    game.computer_to_move = 1;
    reprise(2000);
    EXPECT_EQ(game.current_ply, 0);
    EXPECT_EQ(game.side_to_move, WHITE);
    EXPECT_EQ(game.computer_to_move, 0);
}

TEST(Navigation, DebutThenFinRestoresSideAfterLastMoveWhenBlackStarted) {
    fresh_game();
    // A set-up position with Black to move first.
    Couleur_joue();
    ASSERT_EQ(game.side_to_move, BLACK);
    play("10-14");
    play("23-19");
    play("14x23");
    ASSERT_EQ(game.side_after_last_move, WHITE);
    const auto end = position();
    revenir_debut(2000);
    EXPECT_EQ(game.current_ply, 0);
    EXPECT_EQ(game.side_to_move, BLACK) << "the set-up position, as it was";
    Aller_fin(2001);
    EXPECT_EQ(game.current_ply, 3);
    EXPECT_EQ(game.side_to_move, WHITE);
    EXPECT_EQ(position(), end);
}

struct ListLineCase {
    int ply_shown;
    int line;
    int expected_ply;
};
class GoToListLine : public ::testing::TestWithParam<ListLineCase> {};

TEST_P(GoToListLine, KeepsTheSideToMove) {
    fresh_game();
    test::play_pseudo_random(8, 3);
    ASSERT_EQ(game.last_ply, 8);
    game.current_ply = static_cast<uint8_t>(GetParam().ply_shown);
    ASSERT_TRUE(revenir_n(GetParam().line));
    EXPECT_EQ(game.current_ply, GetParam().expected_ply);
    EXPECT_EQ(0, std::memcmp(board + 1, game.game_record[GetParam().expected_ply].squares + 1, 32));
}
INSTANTIATE_TEST_SUITE_P(Lines, GoToListLine,
                         ::testing::Values(ListLineCase{7, 2, 5}, ListLineCase{8, 2, 4},
                                           ListLineCase{1, 0, 1}, ListLineCase{0, 3, 6}),
                         [](const auto& i) {
                             return "ply" + std::to_string(i.param.ply_shown) + "_line" +
                                    std::to_string(i.param.line);
                         });

TEST(Navigation, GoingToAMissingLineIsIgnored) {
    fresh_game();
    play("23-19");
    EXPECT_FALSE(revenir_n(1));
    EXPECT_FALSE(revenir_n(-1));
    EXPECT_EQ(game.current_ply, 1);
}

TEST(Navigation, NamesOnScreenSurviveNavigation) {
    fresh_game();
    play("23-19");
    play("10-14");
    set_names("Anna", "Bruno");
    revenir_debut(2000);
    EXPECT_EQ(game.white_name, "Anna");
    EXPECT_EQ(game.black_name, "Bruno");
    EXPECT_STREQ(game.game_record[0].white_name, "Anna");
}

TEST(Players, SwapTwiceRestoresComputerColour) {
    fresh_game();
    game.computer_colour = 1;
    inverser_joueurs();
    EXPECT_EQ(game.computer_colour, 0);
    EXPECT_EQ(game.computer_to_move, 1);
    inverser_joueurs();
    EXPECT_EQ(game.computer_colour, 1);
}

// Plays the king of the side to move between its two squares.
TurnEnd shuttle() {
    const bool white = game.side_to_move == WHITE;
    const int a = white ? 1 : 32, b = white ? 5 : 28;
    const int from = board[a] != EMPTY ? a : b;
    const int to = from == a ? b : a;
    const int n = legal_moves(game.side_to_move);
    for (int i = 0; i < n; ++i) {
        const Move m = move_lists[1][i];
        if (m.from == from && m.to == to) {
            play_move(m);
            return after_person_move(m.from, m.to, m.captures, 1000);
        }
    }
    ADD_FAILURE() << "no shuttle move";
    return {};
}

TEST(Record, FullRecordEndsAsDrawWithoutTouchingSettingsEntries) {
    fresh_game();
    // Two kings shuttling far apart never run out of moves.
    clear_board();
    board[1] = WHITE_KING;
    board[32] = BLACK_KING;
    std::memcpy(shown_board, board, sizeof board);
    store_ply();
    TurnEnd end;
    int moves = 0;
    while (moves < 300 && !end.ended) end = shuttle(), ++moves;
    EXPECT_EQ(moves, MAX_RECORDED_PLY) << "the move that fills the record ends the game";
    EXPECT_EQ(end.report.message, Msg::DRAW);
    EXPECT_EQ(end.report.result, 1);
    EXPECT_EQ(game.game_result, 1);
    EXPECT_EQ(game.last_ply, MAX_RECORDED_PLY);
    EXPECT_EQ(game.game_record[253].from, 0);
    EXPECT_EQ(game.game_record[254].from, 0);
    // One more move is refused and the position stays that of ply 252.
    const auto pos = position();
    const uint8_t side = game.side_to_move;
    end = shuttle();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(game.last_ply, MAX_RECORDED_PLY);
    EXPECT_EQ(position(), pos);
    EXPECT_EQ(game.side_to_move, side);
}

TEST(Names, LongNamesAreCutAtACharacterBoundary) {
    EXPECT_EQ(fit_name("Abcdefghijklmnopqrstuvwxyz"), "Abcdefghijklmnopqrs");
    // 18 ASCII bytes then a two-byte character: it does not fit whole, so it goes.
    EXPECT_EQ(fit_name("abcdefghijklmnopqr\xC3\xA9z"), "abcdefghijklmnopqr");
    EXPECT_EQ(fit_name("line\r\nbreak"), "linebreak");
}

}  // namespace
}  // namespace qv
