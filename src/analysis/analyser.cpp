// The analysis loop: the game in hand searched position by position, from its last ply
// back to its first, through the search driver in analysis mode.
#include <cstdlib>
#include <cstring>

#include "analysis/analysis.h"
#include "board/now.h"
#include "eval/perfect_tables.h"
#include "game/clocks.h"
#include "search/driver.h"

namespace qv {

AnalysisState analysis;

namespace {

constexpr int16_t LOSS = -32000;

SearchInputs inputs;  // large: kept out of the stack

// The move of the game from the position at ply p (record entry p + 1).
GameMove move_from(int p) {
    const PlyRecord& e = game.game_record[p + 1];
    return {e.from, e.to, e.capture_count};
}

bool is_played(const GameMove& a, const Move& b) {
    return a.from == b.from && a.to == b.to;
}

// The side that moves from ply p: the colour of the piece the game moved from there.
int mover_at(int p) {
    if (p < game.last_ply) {
        const uint8_t piece = game.game_record[p].squares[game.game_record[p + 1].from];
        if (piece != EMPTY) return is_black(piece) ? BLACK : WHITE;
    }
    return analysis_side_at(p);
}

void show_ply(int p, AnalysisView* view) {
    game.current_ply = static_cast<uint8_t>(p);
    load_ply();
    std::memcpy(shown_board, board, sizeof board);
    if (view) view->position_shown();
}

void prepare_inputs(const AnalysisSettings& s, int end_ply) {
    inputs = SearchInputs{};
    inputs.time_budget = s.learning_session && s.time_budget < 500 ? 500 : s.time_budget;
    inputs.clock_limit = s.clock_limit;
    inputs.fixed_depth = s.fixed_depth;
    inputs.no_time_limit = s.no_time_limit;
    inputs.analysis_end_ply = end_ply;
    for (int p = 1; p <= game.last_ply && p < 256; ++p) {
        const PlyRecord& e = game.game_record[p];
        inputs.line[p] = {e.from, e.to, e.capture_count};
    }
}

uint8_t search_position(int side, int p, AnalysisView* view) {
    if (view) view->phase_started(p);
    inputs.game_ply = p;
    inputs.white_clock = clocks.white_clock;
    inputs.black_clock = clocks.black_clock;
    search.pondering = 0;
    const uint8_t r = choose_move(side, inputs);
    search.search_abandoned = 0;
    return r;
}

}  // namespace

bool is_marked(int best_raw, int played_value) {
    return std::abs(best_raw + played_value) > 100 && std::abs(best_raw - played_value) < 60000;
}

AnalysisLine make_analysis_line(int p, int v, const Move& best) {
    AnalysisLine line;
    line.ply = p;
    line.move_number = p / 2 + 1;
    line.mover = p % 2 ? BLACK : WHITE;
    line.played = move_from(p);
    line.played_score = -v / 2;
    line.best = {best.from, best.to, best.captures};
    line.best_score = search.last_score / 2;
    line.marked = is_marked(search.last_score, v);
    if (p < game.last_ply)
        line.table_verdict = table_verdict(game.game_record[p].squares, mover_at(p),
                                           game.game_record[p + 1].squares);
    // The best line as the search left it in row 1, when it starts with the best move.
    const auto& pv = search.pv_table[1];
    if (pv[1].from == best.from && pv[1].to == best.to) {
        for (int k = 0; k < 2 && pv[2 + k].from != 0; ++k) {
            line.reply[k] = {pv[2 + k].from, pv[2 + k].to, pv[2 + k].captures};
            line.continuation = k + 1;
        }
    }
    return line;
}

int analysis_side_at(int ply) {
    const int distance = analysis.analysis_end_ply - ply;
    return distance % 2 == 0 ? analysis.analysis_side : 1 - analysis.analysis_side;
}

int analysis_line_ply(int line_index) {
    const int ply = analysis.analysis_ply + line_index;
    if (line_index < 0 || ply > analysis.analysis_end_ply || ply > game.last_ply) return -1;
    return ply;
}

void restore_analysed_ply(int ply) {
    show_ply(ply, nullptr);
    game.side_to_move = static_cast<uint8_t>(analysis_side_at(ply));
}

void fin_analyse() {
    search.analysis_mode = 0;
    search.stop_requested = 1;
}

bool Analyser(const AnalysisSettings& settings, AnalysisView* view) {
    int g = game.current_ply;
    if (g <= 0 || analysis.running) return false;

    // Start: a running search ends; no rated game, no thinking on the other's time.
    search.stop_requested = 1;
    search.search_abandoned = 0;
    search.pondering = 0;
    game.game_state = FREE_GAME;
    analysis.analysis_side = game.side_to_move;
    analysis.lines.clear();
    for (auto& s : analysis.score_by_ply) s = 0;
    analysis.running = true;
    show_ply(g, nullptr);

    // The game ended by taking the last piece: the analysis starts before that capture,
    // and the capture is valued as the win it is.
    const int lines_end = g;  // positions below this ply have a move of the game
    bool last_piece = false;
    int final_value = 0;
    const PieceTotals totals = count_pieces();
    if (totals.white == 0 || totals.black == 0) {
        const int to_move = game.side_to_move;
        const bool mover_empty = to_move == WHITE ? totals.white == 0 : totals.black == 0;
        final_value = mover_empty ? LOSS : -LOSS;
        search.last_score = static_cast<int16_t>(final_value);
        analysis.analysis_side = static_cast<uint8_t>(1 - to_move);
        last_piece = true;
        --g;
        show_ply(g, view);
    }
    game.side_to_move = analysis.analysis_side;

    // Analysis mode.
    search.analysis_mode = 1;
    analysis.analysis_first_ply = analysis.analysis_end_ply = analysis.analysis_ply = g;
    prepare_inputs(settings, g);
    if (view) view->analysis_started();

    // The final position once; without a legal move it is lost for its side.
    if (search_position(analysis.analysis_side, g, view) == NO_MOVE && !last_piece)
        search.last_score = LOSS;

    // Every position, last to first.
    for (int p = g; p >= 0 && search.analysis_mode; --p) {
        reset_clocks_and_state(now());
        const int side = mover_at(p);
        int prev = search.last_score;
        analysis.analysis_ply = p;
        const uint8_t r = search_position(side, p, view);
        Move best{};
        if (r == SINGLE_MOVE) {
            search.last_score = static_cast<int16_t>(-prev);
            best = move_lists[1][0];
        } else if (r == NO_MOVE) {
            if (p == g && !last_piece) search.last_score = LOSS;
        } else {
            best = move_lists[1][r];
        }
        if (p == g) prev = last_piece ? final_value : 0;
        if (p < lines_end) {
            if (is_played(move_from(p), best)) prev = -search.last_score;
            const AnalysisLine line = make_analysis_line(p, prev, best);
            analysis.lines.insert(analysis.lines.begin(), line);
            if (view) view->line_written(line);
        }
        analysis.score_by_ply[p] = search.last_score;
        if (game.current_ply > 0) show_ply(game.current_ply - 1, view);
    }

    // Back to the game's position at the ply reached, with its side to move.
    search.analysis_mode = 0;
    analysis.running = false;
    restore_analysed_ply(game.current_ply);
    if (view) view->position_shown();
    return true;
}

}  // namespace qv
