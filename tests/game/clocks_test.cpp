// Levels, time controls, the clock display, pause and the time-out test.
#include <gtest/gtest.h>

#include <optional>

#include "common/case_name.h"
#include "common/fen.h"
#include "game/play_helpers.h"

namespace qv {
namespace {

TEST(Levels, HandlersSetPairMinutesAndIndexes) {
    clocks = ClockState{};
    ASSERT_TRUE(select_level(0));  // "0 : Néophyte": depth search, 1 minute
    EXPECT_EQ(clocks.time_budget, 5);
    EXPECT_EQ(clocks.clock_limit, 58);
    ASSERT_TRUE(select_level(17));  // "7 : long, long"
    EXPECT_EQ(clocks.time_budget, 320000);
    EXPECT_EQ(clocks.clock_limit, 319998);
    EXPECT_EQ(clocks.nb_minutes, 500);
    EXPECT_EQ(clocks.control_index, 7);
    ASSERT_TRUE(select_level(8));
    EXPECT_EQ(clocks.clock_limit, 1798);
    EXPECT_EQ(clocks.control_index, 0);
    EXPECT_EQ(clocks.level_index, 8);
}

TEST(Levels, IndexesWithoutARowChangeNothing) {
    clocks = ClockState{};
    for (int i : {9, 10, 18, 19, 255}) EXPECT_FALSE(select_level(i)) << i;
    EXPECT_EQ(clocks.level_index, 5);
}

struct AutreCase {
    const char* text;
    bool accepted;
    int32_t budget, limit;
};
class Autre : public ::testing::TestWithParam<AutreCase> {};

TEST_P(Autre, PositiveMinutesOnly) {
    clocks = ClockState{};
    const AutreCase c = GetParam();
    EXPECT_EQ(autre(c.text), c.accepted);
    EXPECT_EQ(clocks.time_budget, c.budget);
    EXPECT_EQ(clocks.clock_limit, c.limit);
    EXPECT_EQ(clocks.level_index, c.accepted ? 18 : 5);
    EXPECT_EQ(clocks.control_index, c.accepted ? 8 : 0);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, Autre,
    ::testing::Values(AutreCase{"4", true, 220, 238}, AutreCase{"1", true, 55, 58},
                      AutreCase{"0", false, 160, 178}, AutreCase{"-3", false, 160, 178},
                      AutreCase{"abc", false, 160, 178}, AutreCase{"", false, 160, 178},
                      AutreCase{"4x", false, 160, 178}, AutreCase{"99999999999", false, 160, 178}),
    [](const auto& info) { return "text_" + qv::test::to_test_name(info.param.text); });

TEST(ClockDisplay, MinutesAndPaddedSeconds) {
    EXPECT_EQ(clock_text(65).minutes, "1");
    EXPECT_EQ(clock_text(65).seconds, "05");
    EXPECT_EQ(clock_text(0).seconds, "00");
    EXPECT_EQ(clock_text(3600).minutes, "60");
}

TEST(Clocks, TickShowsTurnTimeWithoutChangingTheClock) {
    test::fresh_game(1000);
    clocks.white_clock = 30;
    ajouter_temps(1012, false);
    EXPECT_EQ(clocks.white_shown, 42);
    EXPECT_EQ(clocks.white_clock, 30);
    ajouter_temps(1020, true);  // a search is running: no tick
    EXPECT_EQ(clocks.white_shown, 42);
}

TEST(Clocks, HumanMoveChargesTheMoverAndStartsTheOther) {
    test::fresh_game(1000);
    ajouter_temps(1009, false);
    test::play("23-19", 1010);
    EXPECT_EQ(clocks.white_clock, 9);
    EXPECT_EQ(clocks.black_turn_start, 1010);
    ajouter_temps(1015, false);
    EXPECT_EQ(clocks.black_shown, 5);
}

TEST(Clocks, PauseDoesNotChargeThePausedMinute) {
    test::fresh_game(1000);
    ajouter_temps(1010, false);
    toggle_pause(1010, false);  // pause after 10 s of White's turn
    EXPECT_FALSE(clocks.timer_running);
    ajouter_temps(1070, false);  // no tick while paused
    toggle_pause(1070, false);   // resume a minute later
    EXPECT_TRUE(clocks.timer_running);
    ajouter_temps(1075, false);
    EXPECT_EQ(clocks.white_shown, 15);
    EXPECT_EQ(clocks.black_shown, 0);
}

TEST(Clocks, ResetZeroesClocksAndEndsTheMatch) {
    test::fresh_game(1000);
    clocks.white_clock = 50;
    clocks.black_clock = 70;
    game.game_state = 1;
    reset_clocks_and_state(2000);
    EXPECT_EQ(clocks.white_clock, 0);
    EXPECT_EQ(clocks.black_clock, 0);
    EXPECT_EQ(clocks.white_turn_start, 2000);
    EXPECT_EQ(clocks.black_turn_start, 2000);
    EXPECT_EQ(game.game_state, 0);
}

struct ClockStopCase {
    const char* name;
    const char* fen;
    bool vs_computer;
    void (*happens)();  // at t = 1010
    bool click_restarts;
};
class ClockStops : public ::testing::TestWithParam<ClockStopCase> {};

// White's turn has run 10 s when the game ends or is put aside; a minute and a half later
// nobody has been charged more.
TEST_P(ClockStops, NobodyIsChargedAfterwards) {
    const ClockStopCase c = GetParam();
    test::fresh_game(1000);
    game.vs_computer = c.vs_computer;
    game.side_to_move = static_cast<uint8_t>(test::set_fen(c.fen));
    store_ply();
    ajouter_temps(1010, false);
    c.happens();
    ajouter_temps(1100, false);
    EXPECT_FALSE(clocks_charging());
    EXPECT_EQ(clocks.white_shown, clocks.white_clock);
    EXPECT_EQ(clocks.black_shown, clocks.black_clock);
    EXPECT_LE(clocks.white_clock + clocks.black_clock, 10);
    EXPECT_EQ(start_play(1200), c.click_restarts);
}
constexpr const char* TAKE_LAST = "W:W22:B18";  // 22x13 takes Black's last piece
INSTANTIATE_TEST_SUITE_P(
    Cases, ClockStops,
    ::testing::Values(
        ClockStopCase{"two_people_last_piece_taken", TAKE_LAST, false,
                      [] { test::play("22x13", 1010); }, false},
        ClockStopCase{"problem_solved_computer_cannot_move", TAKE_LAST, true,
                      [] {
                          test::play("22x13", 1010);
                          computer_cannot_move();
                      },
                      false},
        ClockStopCase{"computer_takes_the_last_piece", "B:W22:B18", true,
                      [] {
                          legal_moves(BLACK);
                          computer_move_played(move_lists[1][0], 0, 1010);
                      },
                      false},
        ClockStopCase{"person_resigns", START_FEN, true, [] { person_resigns(); }, false},
        ClockStopCase{"draw_accepted", START_FEN, true, [] { accept_computer_draw(); }, false},
        ClockStopCase{"take_back_after_the_end", START_FEN, true,
                      [] {
                          test::play("23-19", 1010);
                          person_resigns();
                          reprise(1050);
                      },
                      true},
        ClockStopCase{"position_set_up", START_FEN, true, [] { toggle_setup_mode(); }, true}),
    qv::test::RowName());

TEST(ClockStops, AMovePlayedAfterTheEndLetsPlayGoOn) {
    test::fresh_game(1000);
    person_resigns();
    test::play("23-19", 1010);
    EXPECT_TRUE(clocks_charging());
    ajouter_temps(1015, false);
    EXPECT_EQ(clocks.black_shown, 5);
}

struct TimeOutCase {
    const char* name;
    int32_t clock_x, clock_y;
    int rating_y, ply;
    std::optional<EndReason> expected;
};
class TimeOut : public ::testing::TestWithParam<TimeOutCase> {};

// "30 coups en 3 mn": clock limit 178.
TEST_P(TimeOut, LimitByPlyAndRating) {
    const TimeOutCase c = GetParam();
    EXPECT_EQ(time_out_outcome(c.clock_x, c.clock_y, c.rating_y, c.ply, 178), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, TimeOut,
    ::testing::Values(
        TimeOutCase{"computer_at_limit", 180, 0, 2000, 50, std::nullopt},
        TimeOutCase{"computer_over", 181, 0, 2000, 50, EndReason::computer_out_of_time},
        TimeOutCase{"computer_over_ply99", 181, 0, 2000, 99, EndReason::computer_out_of_time},
        TimeOutCase{"ply100_new_limit", 181, 0, 2000, 100, std::nullopt},
        TimeOutCase{"ply100_at_limit", 17800, 0, 2000, 100, std::nullopt},
        TimeOutCase{"ply199_over", 17801, 0, 2000, 199, EndReason::computer_out_of_time},
        TimeOutCase{"ply200_new_limit", 17801, 0, 2000, 200, std::nullopt},
        TimeOutCase{"weak_person_double", 0, 361, 1750, 50, std::nullopt},
        TimeOutCase{"weak_person_over", 0, 362, 1750, 50, EndReason::person_out_of_time},
        TimeOutCase{"rated_person_over", 0, 181, 1800, 50, EndReason::person_out_of_time},
        TimeOutCase{"weak_person_ply99", 0, 181, 1750, 99, std::nullopt}),
    qv::test::RowName());

TEST(TimeOut, OnlyInARatedMatch) {
    test::fresh_game(1000);
    select_level(11);
    clocks.black_clock = 500;
    game.side_to_move = BLACK;
    game.game_state = 0;
    EXPECT_EQ(check_time_out(), std::nullopt);
    game.game_state = 1;
    match.white_rating = 1750;
    EXPECT_EQ(check_time_out(), EndReason::computer_out_of_time);
}

}  // namespace
}  // namespace qv
