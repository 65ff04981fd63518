// Static evaluation of board, always from the root side's view (a man is worth 2000).
#pragma once

#include <cstdint>

namespace qv {

// Evaluation state prepared at the root and kept current by the search's move maker.
struct EvalState {
    uint8_t piece_count[5] =
        {};  // by code: [1] white men, [2] white kings, [3] black men, [4] black kings
    uint8_t root_side = 0;
    int8_t phase = 0;  // 0 opening, 1 middle game, 2 pre-final, 3 final
    bool variant1_active = false;
    bool variant2_active = false;
    int8_t active_man_table[33] = {};
    int8_t king_table[33] = {};
    int32_t positional_sum = 0;  // piece-square values, root side minus opponent
    int32_t tempo_balance = 0;   // rows advanced by the root side's men minus the opponent's
    int8_t own_zone[5] = {};     // men per wing zone (owner's view), root side
    int8_t their_zone[5] = {};   // the same for the opponent
    int8_t own_centre = 0;       // sum of centre weights of the root side's men
    int8_t their_centre = 0;
    uint8_t last_destination = 0;  // square where the last move made in the search ended
    uint8_t root_moved_piece = 0;  // code of the piece the root move being searched moves
};
extern EvalState eval_state;

// Once per search: counts, phase, man table, variants, root side, ply 1, all the sums.
void prepare_evaluation(int side);
// Recomputes the sums from board for `side` (king table, positional sum, tempo, zones,
// centres); phase and man table stay. Used by prepare_evaluation and static_score.
void compute_evaluation_sums(int side);
// Score of board for `side` (the root side in a search); alpha/beta feed the lazy cut.
// Reads the search ply (movegen.ply) for whose turn it is.
int16_t evaluate(int side, int16_t alpha, int16_t beta);
// The parts of one evaluation, from the view of the side evaluated (for quorvel-cli eval).
struct EvalBreakdown {
    int16_t score = 0;
    int material = 0;
    bool lazy_cut = false;  // the score is the material alone
    int positional_sum = 0;
    int tempo = 0;  // (coefficient + 5) x tempo balance
    int breakthrough = 0;
    int men_mobility = 0;
    int formation = 0;
    int king_fork = 0;
    int capture_threat = 0;
    int positional = 0;  // the clamped accumulator
    int men_ending = 0;
    int king_tactics = 0;
    bool scaled = false;  // drawish division by 4 applied
};
EvalBreakdown evaluate_with_breakdown(int side, int16_t alpha, int16_t beta);
// Few pieces, a man and two kings or more on each side, score not decided: divided by 4.
bool drawish(int total, const uint8_t (&piece_count)[5]);

// Score outside a search (after a move is entered or a position set up): ply 2, counts and
// sums redone, no root move.
int16_t static_score(int side);

// Incremental updates for the search's move maker (root side's pieces count positively):
// the piece `code` leaves or arrives on square `s` (a man: piece-square, advance, wing
// zone and centre; a king: king table). piece_count is the caller's affair. A move is
// eval_lift(piece, from), eval_lift(taken piece, square) for each capture, then
// eval_place(piece, to); a promotion places the king's code instead of the man's.
void eval_lift(uint8_t code, int s);
void eval_place(uint8_t code, int s);

}  // namespace qv
