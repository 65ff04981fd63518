#include "game/clocks.h"

#include <cstdio>
#include <limits>

#include "game/game_record.h"
#include "game/players.h"
#include "search/levels.h"

namespace qv {

ClockState clocks;

namespace {
// A row with the time pair of the search's named level `named`.
constexpr LevelRow with_pair_of(int named, const char* item, int32_t minutes, uint8_t index,
                                uint8_t control) {
    return {
        item,   NAMED_LEVELS[named].time_budget, NAMED_LEVELS[named].clock_limit, minutes, index,
        control};
}
}  // namespace

// The nine named levels are the search's; the first four time controls share the pairs of
// levels 5 to 8.
const LevelRow LEVELS[16] = {
    with_pair_of(0, "Dbutant1", 1, 0, 0),           with_pair_of(1, "Niveau01", 1, 1, 0),
    with_pair_of(2, "Niveau02", 1, 2, 0),           with_pair_of(3, "Niveau03", 1, 3, 0),
    with_pair_of(4, "Niveau04", 1, 4, 0),           with_pair_of(5, "Niveau05", 3, 5, 0),
    with_pair_of(6, "Niveau06", 5, 6, 0),           with_pair_of(7, "Niveau07", 10, 7, 0),
    with_pair_of(8, "Niveau081", 30, 8, 0),         with_pair_of(5, "N150coupsen3mn1", 3, 11, 1),
    with_pair_of(6, "N250coupsen5mn1", 5, 12, 2),   with_pair_of(7, "N350coupsen10mn1", 10, 13, 3),
    with_pair_of(8, "N450coupsen30mn1", 30, 14, 4), {"N550coupsen1h1", 3360, 3598, 60, 15, 5},
    {"N650coupsen2h1", 6700, 7198, 120, 16, 6},     {"N7longlong1", 320000, 319998, 500, 17, 7},
};

const LevelRow* level_row(int level_index) {
    for (const LevelRow& r : LEVELS)
        if (r.level_index == level_index) return &r;
    return nullptr;
}

bool select_level(int level_index) {
    const LevelRow* r = level_row(level_index);
    if (!r) return false;
    clocks.time_budget = r->time_budget;
    clocks.clock_limit = r->clock_limit;
    clocks.nb_minutes = r->minutes;
    clocks.control_index = r->control_index;
    clocks.level_index = r->level_index;
    return true;
}

bool parse_whole_number(std::string_view text, int32_t& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) return false;
    int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (negative) v = -v;
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool autre(std::string_view minutes_text) {
    int32_t n = 0;
    if (!parse_whole_number(minutes_text, n) || n <= 0) return false;
    if (n > std::numeric_limits<int32_t>::max() / 60) return false;
    clocks.time_budget = n * 55;
    clocks.clock_limit = n * 60 - 2;
    clocks.nb_minutes = n;
    clocks.control_index = 8;
    clocks.level_index = 18;
    return true;
}

ClockText clock_text(int32_t seconds) {
    char m[16], s[8];
    std::snprintf(m, sizeof m, "%d", seconds / 60);
    std::snprintf(s, sizeof s, "%02d", seconds % 60);
    return {m, s};
}

namespace {
// The side to move's turn so far goes into its clock (the value last shown).
void charge_turn_so_far() {
    if (clocks.run != ClockRun::running) return;
    int32_t& clock = game.side_to_move == 0 ? clocks.white_clock : clocks.black_clock;
    const int32_t shown = game.side_to_move == 0 ? clocks.white_shown : clocks.black_shown;
    if (shown > clock) clock = shown;
    clocks.white_shown = clocks.white_clock;
    clocks.black_shown = clocks.black_clock;
}
}  // namespace

bool start_play(int32_t t) {
    if (clocks.run != ClockRun::waiting) return false;
    clocks.run = ClockRun::running;
    clocks.white_turn_start = clocks.black_turn_start = t;
    clocks.white_shown = clocks.white_clock;
    clocks.black_shown = clocks.black_clock;
    clocks.timer_running = true;
    return true;
}

void hold_clocks() {
    charge_turn_so_far();
    clocks.run = ClockRun::waiting;
}

void stop_clocks() {
    charge_turn_so_far();
    clocks.run = ClockRun::stopped;
}

bool clocks_charging() {
    return clocks.run == ClockRun::running && clocks.timer_running;
}

void reset_clocks(int32_t t) {
    clocks.white_clock = clocks.black_clock = 0;
    clocks.white_shown = clocks.black_shown = 0;
    clocks.white_turn_start = clocks.black_turn_start = t;
}

void reset_clocks_and_state(int32_t t) {
    reset_clocks(t);
    game.game_state = FREE_GAME;
}

void toggle_pause(int32_t t, bool search_running) {
    if (clocks.timer_running) {
        // The turn so far is charged now, so that the clock neither jumps back on resuming
        // nor counts the pause.
        if (!search_running && clocks.run == ClockRun::running) {
            ajouter_temps(t, false);
            if (game.side_to_move == 0)
                clocks.white_clock = clocks.white_shown;
            else
                clocks.black_clock = clocks.black_shown;
        }
        clocks.timer_running = false;
    } else {
        clocks.white_turn_start = clocks.black_turn_start = t;
        clocks.timer_running = true;
    }
}

void ajouter_temps(int32_t t, bool search_running) {
    if (search_running || !clocks_charging()) return;
    if (game.side_to_move == 0)
        clocks.white_shown = t - clocks.white_turn_start + clocks.white_clock;
    else
        clocks.black_shown = t - clocks.black_turn_start + clocks.black_clock;
}

void end_human_move(int mover, int32_t t) {
    const bool charged = clocks_charging();
    if (mover == 0) {
        if (charged) clocks.white_clock = clocks.white_shown;
        clocks.black_turn_start = t;
        clocks.black_shown = clocks.black_clock;
    } else {
        if (charged) clocks.black_clock = clocks.black_shown;
        clocks.white_turn_start = t;
        clocks.white_shown = clocks.white_clock;
    }
}

void start_turn(int side, int32_t t) {
    if (side == 0) {
        clocks.white_turn_start = t;
        clocks.white_shown = clocks.white_clock;
    } else {
        clocks.black_turn_start = t;
        clocks.black_shown = clocks.black_clock;
    }
}

void set_search_clock(int32_t value, bool pondering) {
    if (pondering) return;
    if (game.side_to_move == 0)
        clocks.white_clock = value;
    else
        clocks.black_clock = value;
}

int64_t time_limit(int ply, int32_t clock_limit) {
    if (ply < 100) return static_cast<int64_t>(clock_limit) + 2;
    return static_cast<int64_t>(ply / 100) * clock_limit * 100;
}

std::optional<EndReason> time_out_outcome(int32_t clock_x, int32_t clock_y, int rating_y, int ply,
                                          int32_t clock_limit) {
    const int64_t limit = time_limit(ply, clock_limit);
    if (clock_x > limit) return EndReason::computer_out_of_time;
    const int32_t y = rating_y < 1800 ? clock_y / 2 : clock_y;
    if (y > limit) return EndReason::person_out_of_time;
    return std::nullopt;
}

std::optional<EndReason> check_time_out() {
    // Once its end is reported the game goes on unrated, without a clock to lose on.
    if (game.game_state != RATED_MATCH) return std::nullopt;
    const int x = game.side_to_move;
    const int32_t clock_x = x == 0 ? clocks.white_clock : clocks.black_clock;
    const int32_t clock_y = x == 0 ? clocks.black_clock : clocks.white_clock;
    const int rating_y = x == 0 ? match.black_rating : match.white_rating;
    return time_out_outcome(clock_x, clock_y, rating_y, game.current_ply, clocks.clock_limit);
}

}  // namespace qv
