// The search driver: preparation, time allotment, library moves and iterative deepening.
#include "search/driver.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/host.h"
#include "board/now.h"
#include "eval/evaluate.h"
#include "eval/perfect_tables.h"
#include "search/book.h"
#include "search/book_edit.h"
#include "search/node_copy.h"
#include "search/search.h"
#include "search/tt.h"

namespace qv {

namespace {

constexpr int32_t NO_LIMIT = 3200000;           // seconds: a search without a time limit
constexpr int16_t ASPIRATION_WIDTH = 3000;      // half the window around the last score
constexpr int FIRST_RESEED_LIMIT = 35;          // killers reseeded from the table, deepest ply
constexpr int MIN_TIMED_DEPTH = 5;              // the clock stops no search before this depth
constexpr int32_t LAST_FIXED_DEPTH_BUDGET = 5;  // budgets 1..5 are fixed depths 2..6

// Window bounds stay inside the widest window (a bound beyond it would wrap in 16 bits).
int16_t bound(int v) {
    return static_cast<int16_t>(v < -INF_SCORE ? -INF_SCORE : v > INF_SCORE ? INF_SCORE : v);
}

void clear_root_ordering() {
    for (int i = 0; i < MAX_MOVES; ++i) {
        search.root_from[i] = search.root_to[i] = 0;
        search.root_score[i] = 0;
    }
}

void clear_pv() {
    for (auto& row : search.pv_table)
        for (auto& m : row) m = Move{};
}

// The move of a line in progress: "from sep to".
std::string pv_move(const Move& m) {
    std::string s = label(m.from);
    s += m.captures ? " x " : " - ";
    s += label(m.to);
    return s;
}

}  // namespace

void install_search_hooks() {
    set_clear_killers_hook([] {
        clear_killers();
        clear_best_moves();
    });
}

void pause() {
    search.stop_requested = 1;
}

Allotment allot_time(int32_t budget, int32_t clock_limit, int32_t move_start, int g,
                     bool analysis) {
    Allotment a;
    const int32_t b = budget, u = move_start, l = clock_limit;
    if (analysis) {
        a.allotted = b / 30;
    } else {
        if (g < 60) {
            a.allotted = (b - u) / (60 - g);
        } else {
            const int32_t q = g / 30;
            a.allotted = ((q + 1) * b / 2 - u) / ((q + 1) * 30 - g);
        }
        a.allotted = a.allotted * 9 / 10;
        if (a.allotted < 1 && b != 30) a.allotted = 1;
        if (b / 90 > a.allotted && b / 90 + u < l) a.allotted = b / 90;
    }
    if (b / 10 < a.allotted) a.allotted = b / 10;
    a.hard_limit = 5 * a.allotted;
    a.clock_cap = g < 60 ? l : (g + 1) * l / 60;
    return a;
}

void show_progress(int16_t score, int shown_depth) {
    SearchProgress p;
    if (!search.pondering) {
        search.live_clock = now() - search.clock_base;
        host().refresh_clock(search.root_side, search.live_clock);
    }
    p.depth = shown_depth;
    p.nodes = search.node_count;
    if (!search.pondering) {
        p.timed = true;
        p.seconds = search.live_clock - search.move_start;
    }
    p.score = score / 2;
    p.move_number = (search.game_ply + 2) / 2;
    uint8_t v = 0;
    if (probe_perfect(board, search.root_side, v)) {
        const PerfectValue d = decode_value(v);
        p.table = d.outcome == Outcome::win    ? SearchProgress::Table::win
                  : d.outcome == Outcome::loss ? SearchProgress::Table::loss
                                               : SearchProgress::Table::draw;
        p.table_plies = d.plies;
    }
    const auto& line = search.pv_table[1];
    for (int q = 1; q <= 32 && q < PV_SIZE && line[q].from != 0; q += 2) {
        std::string row = pv_move(line[q]);
        if (q + 1 < PV_SIZE && line[q + 1].from != 0) row += " , " + pv_move(line[q + 1]);
        p.variation.push_back(row);
    }
    host().show_progress(p);
}

namespace {

// The clocks, keys, tables and evaluation sums for a new search, and the root's moves.
// NO_MOVE or SINGLE_MOVE when the search need not run; otherwise nothing, with the count
// of root moves in `moves`.
std::optional<uint8_t> prepare_search(int side, SearchInputs& in, int& moves) {
    const int g = in.game_ply;
    board[0] = OFF_BOARD;
    reset_lists();
    const int32_t side_clock = side == BLACK ? in.black_clock : in.white_clock;
    if (!search.pondering) {
        search.clock_base = now() - side_clock;
        search.move_start = side_clock;
    }
    compute_keys();
    clear_killers();
    clear_best_moves();
    clear_root_ordering();

    const Allotment a =
        allot_time(in.time_budget, in.clock_limit, search.move_start, g, search.analysis_mode);
    search.allotted = a.allotted;
    search.hard_limit = a.hard_limit;
    search.clock_cap = a.clock_cap;
    if (search.pondering) search.allotted = search.hard_limit = NO_LIMIT;
    if (in.fixed_depth > 0 || in.no_time_limit)
        search.allotted = search.hard_limit = search.clock_cap = NO_LIMIT;
    search.live_clock = search.move_start;

    search.best_root_index = search.interrupted_best = 0;
    clear_pv();
    search.node_count = 0;
    prepare_evaluation(side);
    const auto& count = eval_state.piece_count;
    in.move_start = search.move_start;
    if (count[WHITE_MAN] + count[WHITE_KING] == 0 || count[BLACK_MAN] + count[BLACK_KING] == 0)
        return NO_MOVE;

    for (auto& c : move_count) c = 0;
    for (auto& c : search.capture_plies) c = 0;
    search.root_side = side;
    search.stop_requested = 0;
    movegen.ply = 1;
    search.quiet_plies = 0;
    search.aspiration_failures = 0;
    compute_evaluation_sums(side);
    search.material_gain = 0;
    search.promotion_extension = 0;
    search.root_reduction = 0;
    search.pv_ordering = false;
    search.root_static = evaluate(static_cast<int16_t>(side), -INF_SCORE, INF_SCORE);

    moves = generate(side);
    if (moves == 0) return NO_MOVE;
    if (moves == 1) {
        // The last position of an analysed game is searched even with one move.
        const bool last_analysed = search.analysis_mode && g == in.analysis_end_ply;
        if (!last_analysed) {
            if (search.analysis_mode) search.last_score = SINGLE_MOVE_SCORE;
            if (!search.pondering) return SINGLE_MOVE;
        }
    }
    return std::nullopt;
}

// A move from the opening lists, or -1. A board that the game's moves do not reach from the
// start position (a set-up position) never takes a move from the lists, whose lines start
// there.
int library_move(int side, const SearchInputs& in, int moves) {
    const auto& count = eval_state.piece_count;
    const bool full_men = count[WHITE_MAN] == 12 && count[BLACK_MAN] == 12;
    if (!search.library_enabled || !book_window(in.game_ply, full_men) ||
        !game_follows_start_position(in))
        return -1;
    return pick_book_move(side, in, moves);
}

// The window of the next iteration after score s of the one with window [alpha, beta]:
// narrow around s after a score inside it, widened on the failing side after a score
// outside it (the depth is then searched again), and wide open when the repeated search
// fails too.
struct Window {
    int16_t alpha = -INF_SCORE;
    int16_t beta = INF_SCORE;
    bool retry = false;  // this iteration repeats a depth whose score fell outside
};

void next_window(Window& w, int16_t s) {
    if (w.retry && (s <= w.alpha || s >= w.beta)) {
        search.aspiration_failures = 1;
        w = Window{};
    } else if (w.alpha < s && s < w.beta) {
        search.aspiration_failures = 0;
        w.retry = false;
        if (s > -PVS_LIMIT) w.alpha = bound(s - ASPIRATION_WIDTH);
        if (s < PVS_LIMIT) w.beta = bound(s + ASPIRATION_WIDTH);
    } else if (s <= w.alpha) {
        --search.iteration_depth;
        search.aspiration_failures =
            s <= -DECIDED ? 0 : static_cast<uint8_t>(search.aspiration_failures + 1);
        w.retry = true;
        w.alpha = -INF_SCORE, w.beta = bound(s + ASPIRATION_WIDTH);
    } else {
        --search.iteration_depth;
        search.aspiration_failures =
            s >= DECIDED ? 0 : static_cast<uint8_t>(search.aspiration_failures + 1);
        w.retry = true;
        w.alpha = bound(s - ASPIRATION_WIDTH), w.beta = INF_SCORE;
    }
}

// Whether the search ends after an iteration that scored s, with the move to play.
std::optional<uint8_t> stop_after_iteration(int16_t s, const SearchInputs& in) {
    if (!search.pondering) search.live_clock = now() - search.clock_base;
    // A depth being searched again after a failed window is not cut short by the clock.
    const bool not_retrying = search.aspiration_failures != 1;
    const int depth = search.iteration_depth;
    if (!search.pondering && search.live_clock - search.move_start > search.allotted &&
        not_retrying && depth > MIN_TIMED_DEPTH)
        return search.best_root_index;
    if (search.stop_requested) return search.search_abandoned ? uint8_t{0} : search.best_root_index;
    if (!search.pondering && in.time_budget >= 1 && in.time_budget <= LAST_FIXED_DEPTH_BUDGET &&
        depth == in.time_budget + 1)
        return search.best_root_index;
    if (depth == in.fixed_depth) return search.best_root_index;
    if (!search.pondering && s > DECIDED && not_retrying) return search.best_root_index;
    if (search.analysis_mode && s < -DECIDED && not_retrying) return search.best_root_index;
    return std::nullopt;
}

// Iterative deepening with an aspiration window from the prepared root.
uint8_t iterate(const SearchInputs& in) {
    NodeCopy root;
    root.save();
    const int root_captures = movegen.best_capture_count;
    host().clear_root_moves();
    search.played_move_score = static_cast<int16_t>(-search.last_score);

    Window window;
    int reseed_limit = FIRST_RESEED_LIMIT;
    for (search.iteration_depth = 1; search.iteration_depth <= MAX_DEPTH;
         ++search.iteration_depth) {
        root.restore();
        search.root_reduction = 0;
        search.poll_count = 0;
        search.material_gain = 0;
        search.interrupted_best = 0;
        search.root_last_value = search.last_score;

        int16_t s = search_max(window.alpha, window.beta, 1);
        search.pv_ordering = true;
        root.restore();
        movegen.best_capture_count = static_cast<uint8_t>(root_captures);
        next_window(window, s);

        if (search.stop_requested) {
            search.best_root_index = search.interrupted_best;
            s = search.search_abandoned ? 0 : search.last_score;
        }
        search.last_score = s;
        if (search.pondering) show_progress(s, search.iteration_depth);

        seed_killers(s, reseed_limit);
        reseed_limit = std::max(search.iteration_depth, reseed_limit - 4);
        host().process_events();

        if (const auto played = stop_after_iteration(s, in)) return *played;
    }
    return search.best_root_index;
}

}  // namespace

uint8_t choose_move(int side, SearchInputs& in) {
    install_search_hooks();
    // The search orders its lists; other callers of the generator get plain generation order.
    const OrderingHook previous_hook = movegen.ordering_hook;
    movegen.ordering_hook = search_ordering_hook;
    search.inputs = &in;
    search.game_ply = in.game_ply;

    auto finish = [&](uint8_t result) {
        if (!search.pondering) in.move_start = search.live_clock;
        search.inputs = nullptr;
        movegen.ordering_hook = previous_hook;
        return result;
    };
    int moves = 0;
    if (const auto early = prepare_search(side, in, moves)) return finish(*early);
    const int pick = library_move(side, in, moves);
    if (pick >= 0) return finish(static_cast<uint8_t>(pick));
    return finish(iterate(in));
}

}  // namespace qv
