// Legal moves under the Italian capture rules, into one list per search ply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// A move. Not written to any file, but its 20-byte layout is what the tables expect.
struct Move {
    uint8_t from = 0;
    uint8_t to = 0;
    uint8_t captures = 0;    // pieces taken; 0 for a plain move
    uint8_t taken[15] = {};  // taken[0..captures-1]: squares jumped, in order
    int16_t order_key = 0;   // lists are sorted by descending key
};
static_assert(sizeof(Move) == 20);
static_assert(offsetof(Move, from) == 0 && offsetof(Move, to) == 1);
static_assert(offsetof(Move, captures) == 2 && offsetof(Move, taken) == 3);
static_assert(offsetof(Move, order_key) == 18);

inline constexpr int MAX_PLY = 34;      // lists 1..34
inline constexpr int MAX_MOVES = 70;    // per list
inline constexpr int MAX_CAPTURE = 15;  // squares in a capture path

// Capture paths of one piece, for the window: row 0 is the path chosen for display,
// rows 1..count the recorded sequences (row k belongs to move k-1 of the ply-1 list).
struct CapturePaths {
    int count = 0;
    uint8_t landing[MAX_MOVES + 1][MAX_CAPTURE + 1] = {};  // [row][1..captures]
    uint8_t taken[MAX_MOVES + 1][MAX_CAPTURE + 1] = {};    // [row][1..captures]
};

// Called at the end of each generation so that the search can set keys and sort; it is
// given the ply's list, its length and whether it holds captures. None until the search
// installs its own.
using OrderingHook = void (*)(Move* list, int count, bool captures);

struct MoveGenState {
    Move* move_lists[MAX_PLY + 1] = {};  // entries 1..34, in one block obtained once
    uint8_t move_count[MAX_PLY + 1] = {};
    int8_t ply = 1;                  // the ply whose list generate() fills
    uint8_t best_capture_count = 0;  // pieces every listed move takes (0: plain moves)
    uint8_t taken_stack[MAX_CAPTURE + 2] = {};
    CapturePaths capture_paths;
    OrderingHook ordering_hook = nullptr;
};
extern MoveGenState movegen;

inline constexpr auto& move_lists = movegen.move_lists;
inline constexpr auto& move_count = movegen.move_count;

// Fills move_lists[ply] with the legal moves of `side` on board; returns their number.
int generate(int side);
// Whether generate(side) would list captures; nothing is listed and no state changes.
bool has_capture(int side);
// What generate(side) would return; the list is filled only when there are captures.
// For counting leaves (perft): plain moves are counted without being written.
int count_moves(int side);
// Zeroes the counts and taken_stack; the first call obtains the list block
// ("Allocation mémoire" and exit status 1 if it cannot).
void reset_lists();
// Window entry: ply 1, fresh lists, the search's killer tables cleared, then generate.
int legal_moves(int side);
// Hook that legal_moves calls to clear the search's killer and history tables.
using ClearKillersHook = void (*)();
void set_clear_killers_hook(ClearKillersHook hook);

// The moves of the one piece on `square` into the ply-1 list, recording capture paths.
int piece_moves(int square, int side);
// Landing squares of capture `move` of the piece on `square` into capture_paths row 0.
void capture_path(int square, const Move& move);
// Landing squares of a capture worked out from its taken squares: out[1..captures].
// (Each jump is to a neighbour, so the taken square fixes the direction.)
void landing_squares(const Move& move, uint8_t out[MAX_CAPTURE + 1]);

// The full path in notation labels: "23-19", or "31x22x13" with every landing square.
std::string move_path(const Move& move);

// 1 when from and to are equal (taken squares are not compared).
inline int same_move(const Move& a, const Move& b) {
    return a.from == b.from && a.to == b.to;
}
// Sorts the first n moves of the current ply's list by descending order_key.
void sort_moves(int n);
void sort_moves(Move* list, int n);

// Plays `move` on board: the piece moves, taken pieces vanish, a man on its far row is
// crowned. No incremental state; the search has its own make-move.
void play_move(const Move& move);

}  // namespace qv
