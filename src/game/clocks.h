// Clocks of both sides, levels and time controls, pause, reset and the time-out test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/game_codes.h"

namespace qv {

// Whether the side to move is being charged.
enum class ClockRun : uint8_t {
    waiting,  // not yet: the person's next click on the board starts play
    running,  // the side to move is charged
    stopped,  // the game is over: only a move played, navigation or a new game go on
};

struct ClockState {
    int32_t white_clock = 0;  // seconds used by White in this game
    int32_t black_clock = 0;
    int32_t white_turn_start = 0;  // now() when that side's turn began
    int32_t black_turn_start = 0;
    int32_t white_shown = 0;  // last value shown by the tick during a human turn
    int32_t black_shown = 0;
    int32_t time_budget = 160;
    int32_t clock_limit = 178;
    int32_t nb_minutes = 3;     // the Nbminutes field
    uint8_t level_index = 5;    // 0..8 levels, 11..17 time controls, 18 "Autre"
    uint8_t control_index = 0;  // 0 named level, 1..7 time controls, 8 "Autre"
    bool timer_running = true;  // Timer1; "Pause" ticked when false
    ClockRun run = ClockRun::waiting;
};
extern ClockState clocks;

struct LevelRow {
    const char* item;  // the menu item (its caption is the window's, per language)
    int32_t time_budget;
    int32_t clock_limit;
    int32_t minutes;
    uint8_t level_index;
    uint8_t control_index;
};
// The nine named levels then the seven time controls, in menu order.
extern const LevelRow LEVELS[16];
// The row of a level index (0..8, 11..17), or nullptr (9, 10, 18 "Autre", above).
const LevelRow* level_row(int level_index);

// A level or time-control handler: sets the pair, the minutes and both indexes.
// False (nothing changed) for an index without a fixed row.
bool select_level(int level_index);
// "Autre" confirmed with the text of Nbminutes: N > 0 gives N x 55,
// N x 60 - 2. False (nothing changed) when the text is not a positive whole number or
// the pair would not fit.
bool autre(std::string_view minutes_text);

// A whole decimal number as the edit fields hold it; false if the text is not one.
bool parse_whole_number(std::string_view text, int32_t& value);

// Display split: minutes and two-digit seconds (65 -> "1", "05").
struct ClockText {
    std::string minutes;
    std::string seconds;
};
ClockText clock_text(int32_t seconds);

// A click on the board in play: a waiting clock starts (and "Pause" is lifted); true when
// it starts now. A game that is over stays stopped.
bool start_play(int32_t t);
// Nobody is charged until play begins again (set-up, a lesson or game read); the turn
// under way is charged first.
void hold_clocks();
// The game is over: the turn under way is charged, then nobody is, whatever is clicked.
void stop_clocks();
// The side to move is charged now (play under way, not paused).
bool clocks_charging();

// Both clocks 0, both turn starts t (a new game, "Horloges à zéro" without game_state).
void reset_clocks(int32_t t);
// "Horloges à zéro": reset_clocks, and the game is no longer a rated match.
void reset_clocks_and_state(int32_t t);
// "Pause": stops the tick, folding the side to move's running turn into its clock; again:
// both turn starts become t and the tick runs (the paused time is not charged).
void toggle_pause(int32_t t, bool search_running);
// The one-second tick: the side to move's shown value (unless a search runs).
void ajouter_temps(int32_t t, bool search_running);
// End of a human move by `mover`: its clock takes the shown value; the other side starts.
void end_human_move(int mover, int32_t t);
// The side now to move starts its turn at t.
void start_turn(int side, int32_t t);
// During the computer's search: the side to move's clock (unless pondering).
void set_search_clock(int32_t value, bool pondering);

// Time-out outcome for the computer X to move and the person Y, at ply g: none, X over its
// limit (computer_out_of_time) or Y over it (person_out_of_time; Y's clock is halved when
// Y is rated below 1800).
std::optional<EndReason> time_out_outcome(int32_t clock_x, int32_t clock_y, int rating_y, int ply,
                                          int32_t clock_limit);
// The limit at ply g: clock_limit + 2 below ply 100, then (g / 100) x clock_limit x 100.
int64_t time_limit(int ply, int32_t clock_limit);
// check_time_out for the game in hand: only while a rated match runs (not once its end is
// reported).
std::optional<EndReason> check_time_out();

}  // namespace qv
