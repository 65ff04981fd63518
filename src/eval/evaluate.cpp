#include "eval/evaluate.h"

#include <algorithm>
#include <cstdlib>

#include "board/board.h"
#include "board/movegen.h"
#include "eval/eval_tables.h"
#include "eval/knowledge.h"
#include "eval/params.h"

namespace qv {

EvalState eval_state;

namespace {

constexpr int MAN_VALUE = 2000;
// A king by phase (opening, middle game, pre-final, final): it gains as the board empties.
constexpr int KING_VALUE_BY_PHASE[4] = {2360, 2390, 2410, 2430};
constexpr int LONE_KING_BONUS = 30;  // the only king on the board
constexpr int LAZY_MARGIN = 185;
// Centre and wing balance while many pieces stand, clamped to +-CENTRE_CLAMP.
constexpr int CENTRE_WEIGHT = 15;
constexpr int WING_BALANCE_WEIGHT = 8;
constexpr int CENTRE_CLAMP = 45;
constexpr int ZONE_PRESSURE_WEIGHT = 15;  // a wing outnumbered by the facing enemy wing
constexpr int POSITIONAL_CLAMP = 170;
constexpr int FINAL_MAN_MOVE_BONUS = 30;  // a root move by a man in the final phase
constexpr int KINGS_ONLY_WEIGHT = 1000;   // per king of advantage, shared by all kings
constexpr int DRAWISH_DIVISOR = 4;
// Corner kings: a king on its own double-corner square 4 / 29, worse when an enemy man
// blocks it in, and a king on the enemy's.
constexpr int CORNER_KING_PENALTY = 20;
constexpr int CORNER_KING_SHUT_IN = 30;
constexpr int ENEMY_CORNER_KING_PENALTY = 10;
constexpr int KING_MAJORITY_WEIGHT = 50;
constexpr int CAPTURE_THREAT_VALUE = 100;

bool holds_variant(const int8_t (&white)[7], const int8_t (&black)[7]) {
    int count = 0;
    for (int i = 0; i < 7; ++i) {
        // Squares outside 1..32 (an edited set may hold anything) never count.
        if (white[i] >= 1 && white[i] <= 32 && board[white[i]] == WHITE_MAN) ++count;
        if (black[i] >= 1 && black[i] <= 32 && board[black[i]] == BLACK_MAN) ++count;
    }
    return count > 8;
}

int phase_of(int count) {
    if (count > params.opening_threshold) return 0;
    if (count > params.middle_threshold) return 1;
    if (count > params.prefinal_threshold) return 2;
    return 3;
}

bool owned_by_root(uint8_t code) {
    return (eval_state.root_side == WHITE) == is_white(code);
}

// Adds (sign +1) or takes out (sign -1) the entries of `code` on square s.
void account(uint8_t code, int s, int sign) {
    auto& st = eval_state;
    const int own = owned_by_root(code) ? 1 : -1;
    if (is_king(code)) {
        st.positional_sum += sign * own * st.king_table[s];
        return;
    }
    const int e = owner_entry(code, s);
    st.positional_sum += sign * own * st.active_man_table[e];
    st.tempo_balance += sign * own * advance_table[e];
    int8_t* zone = own > 0 ? st.own_zone : st.their_zone;
    int8_t& centre = own > 0 ? st.own_centre : st.their_centre;
    zone[wing_zone[e]] = static_cast<int8_t>(zone[wing_zone[e]] + sign);
    centre = static_cast<int8_t>(centre + sign * centre_weight[s]);
}

int tempo_coefficient(int men) {
    const auto& st = eval_state;
    const int8_t* c = params.tempo_coef;
    const int stage = phase_of(men);
    if (stage >= 2) return c[stage == 2 ? PREFINAL : FINAL];
    if (st.variant1_active) return c[stage == 0 ? OPENING_VARIANT1 : MIDDLE_VARIANT1];
    if (st.variant2_active) return c[stage == 0 ? OPENING_VARIANT2 : MIDDLE_VARIANT2];
    return c[stage == 0 ? OPENING_DEFAULT : MIDDLE_DEFAULT];
}

// Corner kings, from White's view.
int corner_kings() {
    int v = 0;
    if (board[4] == WHITE_KING) {
        v -= CORNER_KING_PENALTY;
        if (board[3] == BLACK_MAN && board[12] == EMPTY) v -= CORNER_KING_SHUT_IN;
    }
    if (board[29] == BLACK_KING) {
        v += CORNER_KING_PENALTY;
        if (board[30] == WHITE_MAN && board[21] == EMPTY) v += CORNER_KING_SHUT_IN;
    }
    if (board[29] == WHITE_KING) v -= ENEMY_CORNER_KING_PENALTY;
    if (board[4] == BLACK_KING) v += ENEMY_CORNER_KING_PENALTY;
    return v;
}

// The side with more kings than men, as many pieces and more kings: White's view.
int king_majority(int wm, int wk, int bm, int bk) {
    int v = 0;
    const int kings = wk + bk;
    if (wm < wk && wm + wk >= bm + bk && wk > bk) v += (wk - bk) * KING_MAJORITY_WEIGHT / kings;
    if (bm < bk && bm + bk >= wm + wk && bk > wk) v -= (bk - wk) * KING_MAJORITY_WEIGHT / kings;
    return v;
}

// A piece that just arrived next to an enemy piece of its kind with an open square behind.
int capture_threat(int ply) {
    const int t = eval_state.last_destination;
    const uint8_t piece = board[t];
    if (piece == EMPTY) return 0;
    for (int d = 0; d < 4; ++d) {
        const int ahead = neighbour[d][t], behind = neighbour[3 - d][t];
        if (board[ahead] == EMPTY && std::abs(board[behind] - piece) == 2 && behind != 0)
            return ply % 2 == 0 ? CAPTURE_THREAT_VALUE : -CAPTURE_THREAT_VALUE;
    }
    return 0;
}

}  // namespace

void compute_evaluation_sums(int side) {
    auto& st = eval_state;
    st.root_side = static_cast<uint8_t>(side);
    const auto& n = st.piece_count;
    const bool king_ending = n[WHITE_MAN] >= 2 && n[WHITE_MAN] <= 4 && n[WHITE_KING] >= 2 &&
                             n[BLACK_MAN] <= 4 && n[BLACK_KING] >= 1;
    for (int s = 0; s <= 32; ++s) st.king_table[s] = king_ending ? endgame_king_table[s] : 1;
    st.king_table[0] = 0;
    st.positional_sum = 0;
    st.tempo_balance = 0;
    std::fill(std::begin(st.own_zone), std::end(st.own_zone), int8_t{0});
    std::fill(std::begin(st.their_zone), std::end(st.their_zone), int8_t{0});
    st.own_centre = st.their_centre = 0;
    for (int s = 1; s <= 32; ++s)
        if (board[s] != EMPTY) account(board[s], s, +1);
}

void prepare_evaluation(int side) {
    auto& st = eval_state;
    std::fill(std::begin(st.piece_count), std::end(st.piece_count), uint8_t{0});
    for (int s = 1; s <= 32; ++s)
        if (board[s] >= WHITE_MAN && board[s] <= BLACK_KING) ++st.piece_count[board[s]];
    const auto& n = st.piece_count;
    st.phase = static_cast<int8_t>(phase_of(n[WHITE_MAN] + n[BLACK_MAN]));
    // The table follows the variant flags of the previous preparation.
    int table = FINAL;
    if (st.phase == 2) {
        table = PREFINAL;
    } else if (st.phase < 2) {
        const bool opening = st.phase == 0;
        table = st.variant1_active   ? (opening ? OPENING_VARIANT1 : MIDDLE_VARIANT1)
                : st.variant2_active ? (opening ? OPENING_VARIANT2 : MIDDLE_VARIANT2)
                                     : (opening ? OPENING_DEFAULT : MIDDLE_DEFAULT);
    }
    std::copy(std::begin(params.man_tables[table]), std::end(params.man_tables[table]),
              std::begin(st.active_man_table));
    if (st.phase < 2) {
        st.variant1_active =
            holds_variant(params.variant1_white_squares, params.variant1_black_squares);
        st.variant2_active = !st.variant1_active && holds_variant(params.variant2_white_squares,
                                                                  params.variant2_black_squares);
    }
    st.root_side = static_cast<uint8_t>(side);
    movegen.ply = 1;
    compute_evaluation_sums(side);
}

bool drawish(int total, const uint8_t (&n)[5]) {
    const int pieces = n[WHITE_MAN] + n[WHITE_KING] + n[BLACK_MAN] + n[BLACK_KING];
    return total >= -30999 && total < 31000 && pieces <= 7 && n[WHITE_MAN] >= 1 &&
           n[BLACK_MAN] >= 1 && n[WHITE_KING] >= 2 && n[BLACK_KING] >= 2;
}

EvalBreakdown evaluate_with_breakdown(int side, int16_t alpha, int16_t beta) {
    const auto& st = eval_state;
    const auto& n = st.piece_count;
    const int wm = n[WHITE_MAN], wk = n[WHITE_KING], bm = n[BLACK_MAN], bk = n[BLACK_KING];
    const int men = wm + bm, kings = wk + bk, pieces = men + kings;
    const int ply = movegen.ply;
    const int sign = side == BLACK ? -1 : 1;
    EvalBreakdown r;

    // Material; a king gains value as the board empties.
    int king_value = KING_VALUE_BY_PHASE[phase_of(pieces)];
    if (kings == 1) king_value += LONE_KING_BONUS;
    int16_t material = static_cast<int16_t>(MAN_VALUE * (wm - bm) + king_value * (wk - bk));
    if (side == BLACK) material = static_cast<int16_t>(-material);
    r.material = material;

    // Lazy cut: material alone is far outside the window.
    if ((ply % 2 != 0 && material <= alpha - LAZY_MARGIN) ||
        (ply % 2 == 0 && material >= beta + LAZY_MARGIN)) {
        r.lazy_cut = true;
        r.score = material;
        return r;
    }

    // Men about to crown. The men and empty squares as sets serve all the pattern terms.
    const Occupancy occupancy = occupancy_of_board();
    const int b = breakthrough_term(side, occupancy);
    r.breakthrough = b;

    // Positional terms, clamped together.
    int p = st.positional_sum;
    r.positional_sum = p;
    p += sign * corner_kings();
    if (kings > 0) p += sign * king_majority(wm, wk, bm, bk);
    r.tempo = (tempo_coefficient(men) + 5) * st.tempo_balance;
    p += r.tempo;
    if (pieces > params.prefinal_threshold) {
        p += CENTRE_WEIGHT * (st.own_centre - st.their_centre) +
             WING_BALANCE_WEIGHT * (std::abs(st.their_zone[1] - st.their_zone[2]) -
                                    std::abs(st.own_zone[1] - st.own_zone[2]));
        p = std::clamp(p, -CENTRE_CLAMP, CENTRE_CLAMP);
    }
    if (pieces > params.opening_threshold) {
        const int8_t* own = st.own_zone;
        const int8_t* their = st.their_zone;
        if (own[1] < their[4]) p += ZONE_PRESSURE_WEIGHT * (own[1] - their[4]);
        if (own[2] < their[3]) p += ZONE_PRESSURE_WEIGHT * (own[2] - their[3]);
        if (own[4] > their[1]) p += ZONE_PRESSURE_WEIGHT * (own[4] - their[1]);
        if (own[3] > their[2]) p += ZONE_PRESSURE_WEIGHT * (own[3] - their[2]);
    }
    if (kings > 0 && men > 0) {
        r.king_fork = king_fork_term(side, occupancy);
        p += r.king_fork;
    }
    int e = 0;
    if (kings == 0) e = men_ending_patterns(side, occupancy);
    r.men_ending = e;
    if (e == 0) {
        if (st.phase < 3) {
            r.formation = formation_term(side, occupancy);
            p += r.formation;
        }
        if (b > -9 && b < 9) {
            r.men_mobility = men_mobility_term(side, occupancy);
            p += r.men_mobility;
        }
    }
    if (ply > 2) {
        r.capture_threat = capture_threat(ply);
        p += r.capture_threat;
    }
    p = std::clamp(p, -POSITIONAL_CLAMP, POSITIONAL_CLAMP);
    r.positional = p;

    // Knowledge outside the clamp; in the final phase a root move by a man gains.
    int total = p + b + e;
    if (st.phase == 3) {
        if (st.root_moved_piece == BLACK_MAN)
            total += side == BLACK ? FINAL_MAN_MOVE_BONUS : -FINAL_MAN_MOVE_BONUS;
        if (st.root_moved_piece == WHITE_MAN)
            total += side == WHITE ? FINAL_MAN_MOVE_BONUS : -FINAL_MAN_MOVE_BONUS;
    }
    // Material, king tactics, and in a kings-only ending the king advantage.
    total += material;
    if (kings > 0) {
        r.king_tactics = king_tactics_term(side, occupancy);
        total += r.king_tactics;
    }
    if (men == 0 && kings > 0) total += sign * (wk - bk) * KINGS_ONLY_WEIGHT / kings;

    // Few pieces, men and at least two kings on each side: drawish.
    if (drawish(total, n)) {
        total /= DRAWISH_DIVISOR;  // toward zero
        r.scaled = true;
    }
    r.score = static_cast<int16_t>(std::clamp(total, -32767, 32767));
    return r;
}

int16_t evaluate(int side, int16_t alpha, int16_t beta) {
    return evaluate_with_breakdown(side, alpha, beta).score;
}

int16_t static_score(int side) {
    auto& st = eval_state;
    // Outside a search the counts may be stale and there is no root move.
    std::fill(std::begin(st.piece_count), std::end(st.piece_count), uint8_t{0});
    for (int s = 1; s <= 32; ++s)
        if (board[s] >= WHITE_MAN && board[s] <= BLACK_KING) ++st.piece_count[board[s]];
    st.root_moved_piece = 0;
    movegen.ply = 2;
    compute_evaluation_sums(side);
    return evaluate(side, -32000, 32000);
}

void eval_lift(uint8_t code, int s) {
    account(code, s, -1);
}

void eval_place(uint8_t code, int s) {
    account(code, s, +1);
}

}  // namespace qv
