// Checks the men-ending rows against play. For each White row (its mirror is mechanical) it
// builds random legal men-only positions that first-match the row, with a few extra men of
// both colours off the row's squares, no capture for the side to move (the search evaluates
// only such positions) and, with White to move, none pending for Black (it wins material,
// which no row judges). Extra white men stand three rows or more from the crown. An exact
// search then asks whether White gets a king: one of the row's men crowned, or any man
// crowned without White having lost material on the way (a runner taken for nothing is
// stopped). Black stops it by taking, blocking, or outlasting the horizon: the runner's own
// road plus two quiet White moves. Black's moves and all captures are free, so sacrifices
// and their replies are always played out.
//
//   quorvel-men-endings-check [positions-per-row] [seed] [row [trace]]
//   quorvel-men-endings-check --position "W6,17 X2,9 N"
//
// Prints one line per row (matched positions, counterexamples) and the first counterexamples
// of each wrong row as FEN. The exit status is 1 when any row has a counterexample.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "eval/knowledge.h"
#include "eval/pattern.h"

namespace qv {
namespace {

constexpr int SLACK = 2;       // White quiet moves granted beyond the runner's road
constexpr int MAX_LEVEL = 34;  // one move list per level of the search

uint32_t bit(int s) {
    return uint32_t{1} << (s - 1);
}

// tag[s]: the man on s started on one of the row's white squares. start_lead: White's lead
// in pieces in the position checked.
uint8_t tag[33];
int start_lead = 0;

int white_lead() {
    int lead = 0;
    for (int s = 1; s <= 32; ++s) lead += is_white(board[s]) ? 1 : is_black(board[s]) ? -1 : 0;
    return lead;
}

// Plays `m` on board and moves the tags with the pieces.
void play_tagged(const Move& m) {
    const uint8_t moved = tag[m.from];
    for (int i = 0; i < m.captures; ++i) tag[m.taken[i]] = 0;
    tag[m.from] = 0;
    play_move(m);
    tag[m.to] = moved;
}

// After a White move that crowned the man on `to`: one of the row's men crowned, or any man
// crowned without White having lost material on the way (a row's man taken for nothing
// does not count; taken in an even exchange, the king that follows does).
bool king_counts(int to) {
    return tag[to] || white_lead() >= start_lead;
}

// One move of either side searched: the verdict after it.
bool crowned(int side, int quiet, int level);
bool after_move(int side, const Move& m, int next_quiet, int level) {
    play_tagged(m);
    return side == WHITE && board[m.to] == WHITE_KING ? king_counts(m.to)
                                                      : crowned(1 - side, next_quiet, level + 1);
}

// True when White gets a king that counts within `quiet` quiet moves of its own, `side` to
// move.
bool crowned(int side, int quiet, int level) {
    if (level > MAX_LEVEL) return false;
    movegen.ply = static_cast<int8_t>(level);
    const int n = generate(side);
    if (n == 0) return side == BLACK;  // a side without a move has lost
    const bool capture = movegen.best_capture_count > 0;
    if (side == WHITE && !capture && quiet == 0) return false;
    std::vector<Move> moves(move_lists[level], move_lists[level] + n);
    if (side == WHITE) {
        // The row's men first, the most advanced first: the road is usually the answer.
        auto rank = [](const Move& m) { return tag[m.from] ? 64 - m.to : -m.to; };
        std::sort(moves.begin(), moves.end(),
                  [&](const Move& a, const Move& b) { return rank(a) > rank(b); });
    }
    const int next_quiet = side == WHITE && !capture ? quiet - 1 : quiet;
    for (const Move& m : moves) {
        uint8_t saved_board[33], saved_tag[33];
        std::copy(board, board + 33, saved_board);
        std::copy(tag, tag + 33, saved_tag);
        const bool ok = after_move(side, m, next_quiet, level);
        std::copy(saved_board, saved_board + 33, board);
        std::copy(saved_tag, saved_tag + 33, tag);
        if (side == WHITE && ok) return true;
        if (side == BLACK && !ok) return false;
    }
    return side == BLACK;
}

// Prints Black's refutation: at Black's nodes the first move after which White fails, at
// White's nodes every move with Black's answer one level deeper.
void explain(int side, int quiet, int level, int indent) {
    if (indent > 6) return;
    movegen.ply = static_cast<int8_t>(level);
    const int n = generate(side);
    std::vector<Move> moves(move_lists[level], move_lists[level] + n);
    const bool capture = movegen.best_capture_count > 0;
    const int next_quiet = side == WHITE && !capture ? quiet - 1 : quiet;
    for (const Move& m : moves) {
        uint8_t saved_board[33], saved_tag[33];
        std::copy(board, board + 33, saved_board);
        std::copy(tag, tag + 33, saved_tag);
        const bool ok = after_move(side, m, next_quiet, level);
        std::copy(saved_board, saved_board + 33, board);
        std::copy(saved_tag, saved_tag + 33, tag);
        if (side == BLACK && !ok) {
            std::printf("%*s%d-%d\n", indent * 2, "", m.from, m.to);
            play_tagged(m);
            explain(WHITE, next_quiet, level + 1, indent + 1);
            std::copy(saved_board, saved_board + 33, board);
            std::copy(saved_tag, saved_tag + 33, tag);
            return;
        }
        if (side == WHITE) {
            std::printf("%*s%d-%d%s\n", indent * 2, "", m.from, m.to, ok ? " wins" : "");
            if (ok) continue;
            play_tagged(m);
            explain(BLACK, next_quiet, level + 1, indent + 1);
            std::copy(saved_board, saved_board + 33, board);
            std::copy(saved_tag, saved_tag + 33, tag);
        }
    }
}

// Fills the row's squares and a few extras at random; false when the result does not
// first-match the row (an excluded combination, or an earlier row) or is not quiet.
bool random_position(const Pattern& p, int index, std::mt19937& rng) {
    clear_board();
    std::fill(tag, tag + 33, 0);
    std::uniform_int_distribution<int> coin(0, 2);
    const uint32_t fixed = p.white | p.black | p.empty | p.occupied | p.not_white | p.not_black;
    for (int s = 1; s <= 32; ++s) {
        const uint32_t b = bit(s);
        uint8_t piece = EMPTY;
        if (p.white & b) {
            piece = WHITE_MAN;
            tag[s] = 1;
        } else if (p.black & b) {
            piece = BLACK_MAN;
        } else if (p.occupied & b) {
            piece = (p.not_white & b) || ((p.not_black & b) == 0 && coin(rng) == 0) ? BLACK_MAN
                                                                                    : WHITE_MAN;
        } else if (p.not_white & b) {
            piece = coin(rng) == 0 ? BLACK_MAN : EMPTY;
        } else if (p.not_black & b) {
            piece = coin(rng) == 0 ? WHITE_MAN : EMPTY;
        } else if ((p.excl_white | p.excl_black | p.excl_empty) & b) {
            const int c = coin(rng);
            piece = c == 0 ? WHITE_MAN : c == 1 ? BLACK_MAN : EMPTY;
        }
        if ((piece == WHITE_MAN && s <= 4) || (piece == BLACK_MAN && s >= 29)) return false;
        board[s] = piece;
    }
    // Extras: up to three white men (on 13..32) and up to four black men on the free squares.
    std::uniform_int_distribution<int> whites(0, 3), blacks(0, 4), square(1, 32);
    const int want[2] = {whites(rng), blacks(rng)};
    for (int side = 0; side < 2; ++side) {
        for (int placed = 0, tries = 0; placed < want[side] && tries < 50; ++tries) {
            const int s = square(rng);
            if ((fixed | p.excl_white | p.excl_black | p.excl_empty) & bit(s)) continue;
            if (board[s] != EMPTY) continue;
            if (side == WHITE ? s <= 12 : s >= 29) continue;
            board[s] = side == WHITE ? WHITE_MAN : BLACK_MAN;
            ++placed;
        }
    }
    const bool t = p.turn != Turn::BLACK_TO_MOVE;
    if (first_men_ending(occupancy_of_board(), t) != index) return false;
    start_lead = white_lead();
    // The search evaluates only positions where the side to move has no capture. A white
    // capture pending when Black is to move is part of Black's defence (a man that must take
    // leaves its post); a black capture pending when White is to move wins material, which
    // no row judges.
    movegen.ply = 1;
    generate(t ? WHITE : BLACK);
    if (movegen.best_capture_count) return false;
    if (!t) return true;
    generate(BLACK);
    return movegen.best_capture_count == 0;
}

// Quiet moves the row's nearest white man needs to be crowned, with the slack.
int horizon(const Pattern& p) {
    int row = 7;
    for (int s = 1; s <= 32; ++s)
        if (p.white & bit(s)) row = std::min(row, square_row(s));
    return row + SLACK;
}

// The position in internal square numbers, "W8,14 X3,4 N" (N: Black to move).
std::string squares_text(const uint8_t* squares, bool white_to_move) {
    std::string w = "W", x = "X";
    for (int s = 1; s <= 32; ++s) {
        std::string& t = is_white(squares[s]) ? w : x;
        if (squares[s] == EMPTY) continue;
        if (t.size() > 1) t += ',';
        t += std::to_string(s);
    }
    return w + " " + x + (white_to_move ? " T" : " N");
}

// One position given as "W6,17 X2,9 N" (T: White to move), the white man nearest the crown
// taken as the row's man: whether White gets a king, and Black's refutation when it does not.
int check_position(const std::string& text) {
    clear_board();
    std::fill(tag, tag + 33, 0);
    bool t = true;
    uint8_t piece = EMPTY;
    int row = 7;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == 'W' || c == 'X') {
            piece = c == 'W' ? WHITE_MAN : BLACK_MAN;
            ++i;
        } else if (c == 'T' || c == 'N') {
            t = c == 'T';
            ++i;
        } else if (c >= '0' && c <= '9') {
            size_t used = 0;
            const int s = std::stoi(text.substr(i), &used);
            i += used;
            if (s < 1 || s > 32 || piece == EMPTY) return 2;
            board[s] = piece;
            if (piece == WHITE_MAN && square_row(s) < row) {
                // The man nearest the crown is the runner.
                std::fill(tag, tag + 33, 0);
                tag[s] = 1;
                row = square_row(s);
            }
        } else {
            ++i;
        }
    }
    start_lead = white_lead();
    const bool ok = crowned(t ? WHITE : BLACK, row + SLACK, 1);
    std::printf("%s: %s\n", squares_text(board, t).c_str(), ok ? "crowned" : "stopped");
    if (!ok) explain(t ? WHITE : BLACK, row + SLACK, 1, 1);
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace qv

int main(int argc, char** argv) {
    using namespace qv;
    if (argc > 2 && std::string(argv[1]) == "--position") {
        reset_lists();
        return check_position(argv[2]);
    }
    const int per_row = argc > 1 ? std::atoi(argv[1]) : 2000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    const int only = argc > 3 ? std::atoi(argv[3]) : -1;
    reset_lists();
    const auto rules = men_ending_rules();
    int wrong_rows = 0;
    long total_checked = 0, total_bad = 0;
    for (size_t i = 0; i < rules.size(); i += 2) {
        if (only >= 0 && static_cast<int>(i) != only) continue;
        const Pattern& p = rules[i];
        std::mt19937 rng(seed * 1000003u + static_cast<unsigned>(i));
        const bool t = p.turn != Turn::BLACK_TO_MOVE;
        int checked = 0, bad = 0;
        std::vector<std::string> examples;
        for (long attempt = 0; checked < per_row && attempt < 200L * per_row; ++attempt) {
            if (!random_position(p, static_cast<int>(i), rng)) continue;
            ++checked;
            uint8_t start[33];
            std::copy(board, board + 33, start);
            if (!crowned(t ? WHITE : BLACK, horizon(p), 1)) {
                if (argc > 4 && bad < 2) {
                    std::printf("%s\n", squares_text(start, t).c_str());
                    explain(t ? WHITE : BLACK, horizon(p), 1, 1);
                }
                ++bad;
                if (examples.size() < 4)
                    examples.push_back(squares_text(start, t) + "   " +
                                       write_fen(start, t ? WHITE : BLACK));
            }
            std::copy(start, start + 33, board);
        }
        std::printf("row %3zu %-36s value %4d  positions %5d  counterexamples %5d\n", i, p.text,
                    p.value, checked, bad);
        for (const auto& e : examples) std::printf("          %s\n", e.c_str());
        total_checked += checked;
        total_bad += bad;
        if (bad) ++wrong_rows;
    }
    std::printf("rows with counterexamples: %d; positions %ld, counterexamples %ld\n", wrong_rows,
                total_checked, total_bad);
    return wrong_rows ? 1 : 0;
}
