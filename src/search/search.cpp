// Alpha-beta over the one board: search_max for the root side's nodes, search_min for its
// opponent's. Every score is from the root side's view.
#include "search/search.h"

#include <cstdio>

#include "board/board.h"
#include "board/host.h"
#include "board/now.h"
#include "eval/egdb.h"
#include "eval/evaluate.h"
#include "eval/perfect_tables.h"
#include "search/driver.h"
#include "search/node_copy.h"
#include "search/position_table.h"
#include "search/tt.h"

namespace qv {

SearchState search;

namespace {

constexpr int POLL_INTERVAL = 5000;  // nodes between looks at the clock and the events
constexpr int HORIZON_PLY = 33;      // a node this deep is valued statically
// Root moves: one whose order key trails the best by more than the margin is searched one
// ply shallower, and every move two plies shallower once the best has gained this much.
constexpr int ROOT_REDUCTION_MARGIN = 200;
constexpr int ROOT_GAIN_FOR_DEEPER_REDUCTION = 150;
// Root order keys for the next iteration: a new best first (later ones higher), a tie
// next, then the rest; before any score, everything just under the window.
constexpr int ROOT_KEY_NEW_BEST = 200;
constexpr int ROOT_KEY_TIE = -200;
constexpr int ROOT_KEY_WORSE = -300;
constexpr int ROOT_KEY_UNSEARCHED = -500;

int total_pieces() {
    const auto& n = eval_state.piece_count;
    return n[1] + n[2] + n[3] + n[4];
}

int16_t static_value(int16_t alpha, int16_t beta) {
    return evaluate(search.root_side, alpha, beta);
}

// Node entry tests shared by both kinds of node (endgame tables, kings against men, the
// position table): each returns true with `value` set when the node is decided.
bool endgame_probe(int p, int16_t& value) {
    if (!tables_loaded) {
        load_endgame_tables();
        tables_loaded = true;
    }
    return probe_endgame(search.root_side, p, value);
}

// The nineteen tables first (four pieces or fewer), then the perfect-play tables.
bool table_probe(int p, int pieces, int16_t& value) {
    if (pieces < 5 && endgame_probe(p, value)) return true;
    return probe_perfect_score(search.root_side, p, value);
}

bool kings_against_men(int16_t& value) {
    const auto& n = eval_state.piece_count;
    const bool white_root = search.root_side == WHITE;
    if (n[WHITE_KING] >= 1 && n[BLACK_KING] == 0 && n[BLACK_MAN] < 7 &&
        recognise_kings_against_men(n[BLACK_MAN], false)) {
        value = white_root ? KINGS_WIN : -KINGS_WIN;
        return true;
    }
    if (n[BLACK_KING] >= 1 && n[WHITE_KING] == 0 && n[WHITE_MAN] < 7 &&
        recognise_kings_against_men(n[WHITE_MAN], true)) {
        value = white_root ? -KINGS_WIN : KINGS_WIN;
        return true;
    }
    return false;
}

bool position_score(int side_to_move, int16_t& value) {
    const uint32_t index = hash_state.position_key + (side_to_move == WHITE ? 1 : 0);
    const PositionEntry* e = probe_position(index, hash_state.lock_key);
    if (!e || e->score == 0) return false;
    value = e->score;
    return true;
}

// What the table says about this node, whose side to move is `mover`: true with `value`
// when an entry decides it; otherwise an entry's bound may narrow the window and its move
// becomes the hash move. Entries stored in a search from the other root side are read
// turned over (score negated, lower and upper bounds swapped).
bool table_cutoff(int p, int mover, int16_t& alpha, int16_t& beta, int16_t& value) {
    search.hash_from = search.hash_to = 0;
    const TtEntry* e = tt_probe(p);
    if (!e) return false;
    const TtKind k = decode_kind(e->kind);
    const int entry_mover = k.node == TtNode::max ? k.root : 1 - k.root;
    if (entry_mover != mover) return false;
    const bool turned = k.root != search.root_side;
    const int16_t sc = turned ? static_cast<int16_t>(-e->score) : e->score;
    TtBound bound = k.bound;
    if (turned && bound == TtBound::lower)
        bound = TtBound::upper;
    else if (turned && bound == TtBound::upper)
        bound = TtBound::lower;
    switch (bound) {
        case TtBound::exact:
        case TtBound::decided:
            value = sc;
            return true;
        case TtBound::lower:
            if (sc >= beta) {
                value = sc;
                return true;
            }
            alpha = sc;
            break;
        case TtBound::upper:
            if (sc <= alpha) {
                value = sc;
                return true;
            }
            beta = sc;
            break;
    }
    search.hash_from = e->from;
    search.hash_to = e->to;
    return false;
}

// Beyond the horizon a node without a capture is a leaf, valued statically.
bool past_horizon(int p) {
    return p - search.capture_plies[p - 1] - search.root_reduction - search.promotion_extension >
           search.iteration_depth;
}

bool is_advance(const Move& m) {
    if (eval_state.phase == 0) return false;
    const uint8_t code = board[m.from];
    return (code == BLACK_MAN && m.to > 20) || (code == WHITE_MAN && m.to < 13);
}

bool analysed_game_move(const Move& m) {
    const SearchInputs* in = search.inputs;
    if (!search.analysis_mode || !in || search.game_ply >= in->analysis_end_ply) return false;
    const GameMove& played = in->line[search.game_ply + 1];
    return m.from == played.from && m.to == played.to;
}

void root_line(int i, const Move& m, bool captures, int16_t value, bool under_search) {
    char text[40];
    std::snprintf(text, sizeof text, under_search ? "%s%c%s : %5d ?<---" : "%s%c%s : %5d",
                  label(m.from), captures ? 'x' : '-', label(m.to), value / 2);
    host().set_root_move(i, text);
}

// Root reduction for root move m given the running best.
void set_root_reduction(const Move& m, int best) {
    const int key = m.order_key;
    if (key < INF_SCORE && key > -INF_SCORE && best >= -INF_SCORE && best <= INF_SCORE) {
        search.root_reduction = key >= best - ROOT_REDUCTION_MARGIN ? 0 : -1;
        if (best > search.root_static + ROOT_GAIN_FOR_DEEPER_REDUCTION &&
            best > search.last_score + ROOT_GAIN_FOR_DEEPER_REDUCTION &&
            best > ROOT_REDUCTION_MARGIN)
            search.root_reduction = -2;
    }
}

void poll() {
    if (++search.poll_count <= POLL_INTERVAL) return;
    search.poll_count = 0;
    if (!search.pondering) {
        search.live_clock = now() - search.clock_base;
        if (search.live_clock - search.move_start > search.hard_limit ||
            search.live_clock > search.clock_cap)
            search.stop_requested = 1;
        host().refresh_clock(search.root_side, search.live_clock);
    }
    host().process_events();
}

void record_root_moves(const Move* list, int n, int16_t alpha) {
    for (int i = 0; i < MAX_MOVES; ++i) {
        search.root_from[i] = i < n ? list[i].from : 0;
        search.root_to[i] = i < n ? list[i].to : 0;
        search.root_score[i] =
            alpha <= -DECIDED ? -INF_SCORE : static_cast<int16_t>(alpha + ROOT_KEY_UNSEARCHED);
    }
}

}  // namespace

Prune forced_line(int pieces, int quiet_plies, int g, int e, int depth, bool advancing) {
    if (pieces < 7 || quiet_plies < 2) return Prune::none;
    if (g < 0 && !advancing && quiet_plies > depth / 2) return Prune::value_move;
    if (e > depth - 4) {
        if (g < -3) return Prune::end_node;
        if (g == -3 || (g == -2 && e > depth - 2) || (g == -1 && e > depth - 1))
            return Prune::value_move;
    }
    return Prune::none;
}

bool repeats_game(const Move& m, const SearchInputs& in, int g) {
    if (g < 6) return false;
    const GameMove* line = in.line;
    const GameMove& back4 = line[g - 3];
    if (m.from != back4.from || m.to != back4.to) return false;
    return line[g].from == line[g - 4].from && line[g].captures == line[g - 4].captures &&
           line[g - 1].from == line[g - 5].from && line[g - 1].captures == line[g - 5].captures;
}

int16_t search_max(int16_t alpha, int16_t beta, int8_t p) {
    int best = -INF_SCORE;
    const int16_t entry_alpha = alpha;
    const int r = search.root_side;
    ++search.node_count;
    poll();

    int16_t value;
    const int pieces = total_pieces();
    if (pieces <= PERFECT_MAX_PIECES && p > 1 && table_probe(p, pieces, value)) return value;
    if (p > 2 && pieces > 3 && kings_against_men(value)) return value;
    const bool in_table = max_in_table_range(p);
    if (p > 3 && in_table) {
        if (table_cutoff(p, r, alpha, beta, value)) return value;
    }
    if (p > 1 && position_score(r, value)) return value;
    if (p >= HORIZON_PLY) {
        movegen.ply = p;
        return static_value(alpha, beta);
    }

    movegen.ply = p;
    const bool beyond_horizon = past_horizon(p);
    // A leaf needs no list, only the knowledge that it has no capture (the root records
    // its list first).
    if (beyond_horizon && p > 1 && !has_capture(r)) return static_value(alpha, beta);
    const int n = generate(r);
    Move* list = move_lists[p];
    const bool captures = movegen.best_capture_count > 0;
    if (p == 1) record_root_moves(list, n, alpha);
    if (!captures && beyond_horizon) return static_value(alpha, beta);
    if (n == 0) return static_cast<int16_t>(p - INF_SCORE);
    search.capture_plies[p] = static_cast<uint8_t>(search.capture_plies[p - 1] + captures);
    NodeCopy copy;
    copy.save();
    uint8_t best_from = 0, best_to = 0;
    const bool child_probes = p + 1 > 2 && min_in_table_range(p + 1);
    prefetch_child(list[0], child_probes);

    for (int i = 0; i < n; ++i) {
        const Move& m = list[i];
        if (i + 1 < n) prefetch_child(list[i + 1], child_probes);
        if (p == 1 && !search.stop_requested) {
            root_line(i, m, captures, search.root_last_value, true);
            set_root_reduction(m, best);
        }
        movegen.ply = p;
        if (search.stop_requested) return search.search_abandoned ? 0 : static_value(alpha, beta);
        if (p == 1) eval_state.root_moved_piece = board[m.from];
        search.quiet_plies = captures ? 0 : static_cast<uint8_t>(search.quiet_plies + 1);
        search.promotion_extension = search.promotion_extension == 2 ? 1 : 0;
        const bool marker = is_advance(m);
        search.max_advance = marker;
        make_search_move(i);

        const int e = p - search.capture_plies[p] - search.root_reduction - (marker ? 1 : 0) -
                      search.promotion_extension;
        const Prune prune =
            forced_line(total_pieces(), search.quiet_plies, search.material_gain, e,
                        search.iteration_depth, search.max_advance || search.min_advance);
        if (prune == Prune::end_node) return static_value(alpha, beta);
        if (prune == Prune::value_move) {
            const int16_t v = static_value(alpha, beta);
            if (i == n - 1) return static_cast<int16_t>(v > best ? v : best);
            if (v > best) best = v;
            copy.restore();
            continue;
        }
        const auto& c = eval_state.piece_count;
        if (c[r == WHITE ? BLACK_MAN : WHITE_MAN] + c[r == WHITE ? BLACK_KING : WHITE_KING] == 0) {
            if (p == 1) {
                copy.restore();
                copy_pv(m, 1);
                search.best_root_index = search.interrupted_best = static_cast<uint8_t>(i);
            }
            return static_cast<int16_t>(INF_SCORE - p);
        }

        int16_t s;
        if (p == 1 && analysed_game_move(m)) {
            s = search.played_move_score;
        } else if (i == 0) {
            s = search_min(alpha, beta, static_cast<int8_t>(p + 1));
        } else {
            s = search_min(alpha, static_cast<int16_t>(alpha + 1), static_cast<int8_t>(p + 1));
            if (alpha < s && s < beta && -PVS_LIMIT < s && s < PVS_LIMIT)
                s = search_min(static_cast<int16_t>(s - 1), beta, static_cast<int8_t>(p + 1));
        }
        search.pv_ordering = false;

        if (p == 1) {
            if (-DECIDED < s && s < DECIDED && search.inputs &&
                repeats_game(m, *search.inputs, search.game_ply))
                s = 0;
            search.root_score[i] = static_cast<int16_t>(s > best    ? s + 2 * i + ROOT_KEY_NEW_BEST
                                                        : s == best ? s + ROOT_KEY_TIE
                                                                    : s + ROOT_KEY_WORSE);
        }
        copy.restore();

        if (s > best && !search.stop_requested) {
            best = s;
            best_from = m.from;
            best_to = m.to;
            copy_pv(m, p);
            if (p == 1) search.best_root_index = search.interrupted_best = static_cast<uint8_t>(i);
        }
        if (p == 1 && !search.stop_requested) {
            if (!search.pondering)
                show_progress(static_cast<int16_t>(best),
                              search.iteration_depth + (i == n - 1 ? 1 : 0));
            root_line(i, m, captures, s, false);
            search.root_last_value = s;
        }
        if (s > alpha) {
            if (p == 1) search.best_root_index = static_cast<uint8_t>(i);
            if (s >= beta && !search.stop_requested && s > -DECIDED) {
                if (n >= 2 && !captures) update_killers(m, s, p);
                if (p != 1 && in_table && p > 3)
                    tt_store(
                        s, p,
                        tt_kind(TtNode::max, s > DECIDED ? TtBound::decided : TtBound::lower, r),
                        m.from, m.to);
                return s;
            }
            alpha = s;
            if (n > 1) note_best_move(m, s, p);
        }
        if (p + 1 < PV_SIZE) search.pv_table[p + 1][p + 1].from = 0;
    }

    if (in_table && p > 3 && !search.stop_requested &&
        p < search.capture_plies[p - 1] + search.iteration_depth + search.root_reduction) {
        // A win for the side to move is decided when exact, a loss when the value is bounded by it.
        const TtBound bound = best > entry_alpha
                                  ? (best > DECIDED ? TtBound::decided : TtBound::exact)
                                  : (best < -DECIDED ? TtBound::decided : TtBound::upper);
        tt_store(static_cast<int16_t>(best), p, tt_kind(TtNode::max, bound, r), best_from, best_to);
    }
    if (p == 1) movegen.best_capture_count = copy.list_captures;
    return static_cast<int16_t>(best);
}

int16_t search_min(int16_t alpha, int16_t beta, int8_t p) {
    int best = INF_SCORE;
    const int16_t entry_beta = beta;
    const int r = search.root_side;
    const int side = 1 - r;
    ++search.node_count;

    int16_t value;
    const int pieces = total_pieces();
    if (pieces <= PERFECT_MAX_PIECES && table_probe(p, pieces, value)) return value;
    if (p > 2 && pieces > 3 && kings_against_men(value)) return value;
    const bool in_table = min_in_table_range(p);
    if (p > 2 && in_table) {
        if (table_cutoff(p, side, alpha, beta, value)) return value;
    }
    if (position_score(side, value)) return static_cast<int16_t>(-value);
    if (p >= HORIZON_PLY) {
        movegen.ply = p;
        return static_value(alpha, beta);
    }

    movegen.ply = p;
    if (past_horizon(p) && !has_capture(side)) return static_value(alpha, beta);
    const int n = generate(side);
    Move* list = move_lists[p];
    const bool captures = movegen.best_capture_count > 0;
    if (n == 0) return static_cast<int16_t>(INF_SCORE - p);
    search.capture_plies[p] = static_cast<uint8_t>(search.capture_plies[p - 1] + captures);
    NodeCopy copy;
    copy.save();
    uint8_t best_from = 0, best_to = 0;
    const bool child_probes = p + 1 > 3 && max_in_table_range(p + 1);
    prefetch_child(list[0], child_probes);

    for (int i = 0; i < n; ++i) {
        const Move& m = list[i];
        if (i + 1 < n) prefetch_child(list[i + 1], child_probes);
        movegen.ply = p;
        if (search.stop_requested) return search.search_abandoned ? 0 : static_value(alpha, beta);
        search.quiet_plies = captures ? 0 : static_cast<uint8_t>(search.quiet_plies + 1);
        search.promotion_extension = search.promotion_extension == 2 ? 1 : 0;
        const bool marker = is_advance(m);
        search.min_advance = marker;
        make_search_move(i);

        const int e = p - search.capture_plies[p] - search.root_reduction - (marker ? 1 : 0) -
                      search.promotion_extension;
        const Prune prune =
            forced_line(total_pieces(), search.quiet_plies, -search.material_gain, e,
                        search.iteration_depth, search.max_advance || search.min_advance);
        if (prune == Prune::end_node) return static_value(alpha, beta);
        if (prune == Prune::value_move) {
            const int16_t v = static_value(alpha, beta);
            if (i == n - 1) return static_cast<int16_t>(v < best ? v : best);
            if (v < best) best = v;
            copy.restore();
            continue;
        }
        const auto& c = eval_state.piece_count;
        if (c[r == WHITE ? WHITE_MAN : BLACK_MAN] + c[r == WHITE ? WHITE_KING : BLACK_KING] == 0)
            return static_cast<int16_t>(p - INF_SCORE);

        int16_t s;
        if (i == 0) {
            s = search_max(alpha, beta, static_cast<int8_t>(p + 1));
        } else {
            s = search_max(static_cast<int16_t>(beta - 1), beta, static_cast<int8_t>(p + 1));
            if (alpha < s && s < beta && -PVS_LIMIT < s && s < PVS_LIMIT)
                s = search_max(alpha, static_cast<int16_t>(s + 1), static_cast<int8_t>(p + 1));
        }
        search.pv_ordering = false;
        copy.restore();

        if (s < best) {
            best = s;
            best_from = m.from;
            best_to = m.to;
            copy_pv(m, p);
        }
        if (s < beta) {
            beta = s;
            if (s <= alpha && s < DECIDED && !search.stop_requested) {
                if (n >= 2 && !captures) update_killers(m, s, p);
                if (in_table && p > 3)
                    tt_store(
                        s, p,
                        tt_kind(TtNode::min, s < -DECIDED ? TtBound::decided : TtBound::upper, r),
                        m.from, m.to);
                return s;
            }
            if (n > 1) note_best_move(m, s, p);
        }
        if (p + 1 < PV_SIZE) search.pv_table[p + 1][p + 1].from = 0;
    }

    if (in_table && p > 2 && !search.stop_requested &&
        p < search.capture_plies[p - 1] + search.iteration_depth + search.root_reduction) {
        // A win for the side to move is decided when exact, a loss when the value is bounded by it.
        const TtBound bound = best < entry_beta
                                  ? (best < -DECIDED ? TtBound::decided : TtBound::exact)
                                  : (best > DECIDED ? TtBound::decided : TtBound::lower);
        tt_store(static_cast<int16_t>(best), p, tt_kind(TtNode::min, bound, r), best_from, best_to);
    }
    return static_cast<int16_t>(best);
}

}  // namespace qv
