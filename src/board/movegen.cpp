#include "board/movegen.h"

#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "board/board.h"
#include "board/host.h"

namespace qv {

MoveGenState movegen;

namespace {

// Working state of one capture generation (reset at its start).
struct CaptureWork {
    uint8_t start = 0;  // square of the piece being tried
    uint8_t enemy_man = 0, enemy_king = 0;
    uint8_t tried_piece[MAX_PLY + 1] = {};          // code of the piece being tried, per ply
    uint8_t kings_at[MAX_CAPTURE + 2] = {};         // kings taken up to each depth
    uint16_t king_depths_at[MAX_CAPTURE + 2] = {};  // depths of every king taken so far
    uint8_t landing_stack[MAX_CAPTURE + 2] = {};    // landing square after each jump
    uint8_t best_piece = 0, best_kings = 0;
    uint16_t best_king_depths = 0;
    bool record_paths = false;  // window searches: also fill capture_paths
    bool record_list = true;    // capture_path() records paths only
};
CaptureWork work;

Move* move_block = nullptr;
ClearKillersHook clear_killers_hook = nullptr;

inline Move* current_list() {
    return move_lists[movegen.ply];
}

// The depths at which kings were taken, one bit per depth, an earlier depth on a higher
// bit. Between sequences taking as many kings, the one that meets its kings earlier,
// compared king by king, has the greater value; equal values meet them at the same jumps.
inline uint16_t king_depth_bit(int depth) {
    return static_cast<uint16_t>(1u << (MAX_CAPTURE + 1 - depth));
}

void empty_list() {
    if (work.record_list) move_count[movegen.ply] = 0;
    if (work.record_paths) movegen.capture_paths.count = 0;
}

// Records the sequence of n pieces from work.start to `to` (taken_stack[1..n]).
void add_capture(int to, int n, uint8_t kings, uint16_t king_depths) {
    movegen.best_capture_count = static_cast<uint8_t>(n);
    work.best_piece = work.tried_piece[movegen.ply];
    work.best_kings = kings;
    work.best_king_depths = king_depths;
    if (work.record_list) {
        uint8_t& count = move_count[movegen.ply];
        if (count >= MAX_MOVES) return;  // cannot happen in a real game; never overflow
        Move& m = current_list()[count++];
        m.from = work.start;
        m.to = static_cast<uint8_t>(to);
        m.captures = static_cast<uint8_t>(n);
        std::memcpy(m.taken, &movegen.taken_stack[1], n);
        m.order_key = 0;
    }
    if (work.record_paths) {
        CapturePaths& cp = movegen.capture_paths;
        if (cp.count >= MAX_MOVES) return;
        int row = ++cp.count;
        for (int i = 1; i <= n; ++i) {
            cp.landing[row][i] = work.landing_stack[i];
            cp.taken[row][i] = movegen.taken_stack[i];
        }
    }
}

void man_search(int s, int n) {
    const bool white = work.tried_piece[movegen.ply] < 3;
    const int d0 = white ? 0 : 2;
    for (int d = d0; d < d0 + 2; ++d) {
        const int m = neighbour[d][s];
        if (board[m] != work.enemy_man) continue;
        const int l = neighbour[d][m];
        if (board[l] != EMPTY) continue;
        board[m] = TAKEN;
        board[s] = EMPTY;
        movegen.taken_stack[n] = static_cast<uint8_t>(m);
        work.landing_stack[n] = static_cast<uint8_t>(l);
        man_search(l, n + 1);
        board[m] = work.enemy_man;
        // The deeper search ran first, so a sequence that continues is already recorded
        // at full length and this prefix loses on count.
        const int best = movegen.best_capture_count;
        if (n < best) continue;
        if (n == best && work.tried_piece[movegen.ply] != work.best_piece) continue;
        if (n > best) empty_list();
        add_capture(l, n, 0, 0);
    }
}

void king_search(int s, int n, int arrival) {
    uint8_t* const stack = movegen.taken_stack;
    stack[n + 1] = 0;
    for (int d = 0; d < 4; ++d) {
        if (arrival >= 0 && d == 3 - arrival) continue;
        board[s] = EMPTY;
        const int m = neighbour[d][s];
        const uint8_t code = board[m];
        if (code == work.enemy_man || code == work.enemy_king) {
            const bool king = code == work.enemy_king;
            work.kings_at[n] = static_cast<uint8_t>(work.kings_at[n - 1] + king);
            work.king_depths_at[n] =
                static_cast<uint16_t>(work.king_depths_at[n - 1] | (king ? king_depth_bit(n) : 0));
            const int l = neighbour[d][m];
            if (board[l] == EMPTY) {
                board[m] = TAKEN;
                stack[n] = static_cast<uint8_t>(m);
                stack[n + 1] = static_cast<uint8_t>(l);
                work.landing_stack[n] = static_cast<uint8_t>(l);
                king_search(l, n + 1, d);
                board[l] = EMPTY;
                board[m] = code;
            }
        }
        // Decide once per depth about the sequence of n-1 pieces that ends where the
        // king stands (stack[n]); after a jump stack[n] holds the jumped square and the
        // decision rejects, the deeper search having raised the best count.
        if (stack[n] == 0) continue;
        const int k = n - 1;
        if (k < 1) continue;
        const int best = movegen.best_capture_count;
        const uint8_t tried = work.tried_piece[movegen.ply];
        bool retain = false, empty = false;
        if (k > best) {
            retain = empty = true;
        } else if (k == best) {
            if (tried > work.best_piece) {
                retain = empty = true;  // a king beats a man
            } else if (tried == work.best_piece) {
                if (work.kings_at[k] > work.best_kings) {
                    retain = empty = true;
                } else if (work.kings_at[k] == work.best_kings) {
                    if (work.king_depths_at[k] > work.best_king_depths)
                        retain = empty = true;  // meets its kings earlier
                    else if (work.king_depths_at[k] == work.best_king_depths)
                        retain = true;
                }
            }
        }
        if (!retain) continue;
        if (empty) empty_list();
        add_capture(stack[n], k, work.kings_at[k], work.king_depths_at[k]);
        stack[n] = 0;
    }
}

void set_enemy_for_code(uint8_t code) {
    if (code >= 3) {
        work.enemy_man = WHITE_MAN;
        work.enemy_king = WHITE_KING;
    } else {
        work.enemy_man = BLACK_MAN;
        work.enemy_king = BLACK_KING;
    }
}

void reset_best() {
    movegen.best_capture_count = 0;
    work.best_piece = work.best_kings = 0;
    work.best_king_depths = 0;
    work.kings_at[0] = 0;
    work.king_depths_at[0] = 0;
    movegen.taken_stack[1] = 0;
}

// Runs the man or king capture search for the piece on `square` and puts it back.
void search_piece(int square) {
    const uint8_t code = board[square];
    work.tried_piece[movegen.ply] = code;
    work.start = static_cast<uint8_t>(square);
    if (is_king(code))
        king_search(square, 1, -1);
    else
        man_search(square, 1);
    board[square] = code;
}

void add_plain(Move* list, uint8_t& count, int from, int to) {
    Move& m = list[count++];
    m.from = static_cast<uint8_t>(from);
    m.to = static_cast<uint8_t>(to);
    m.captures = 0;
    m.order_key = 0;
}

// Plain moves of the piece on `from` in direction order.
void plain_moves_of(int from, Move* list, uint8_t& count) {
    const uint8_t code = board[from];
    const int d0 = code == BLACK_MAN ? 2 : 0;  // men move forward only
    const int d1 = is_king(code) || code == BLACK_MAN ? 4 : 2;
    for (int d = d0; d < d1; ++d) {
        const int t = neighbour[d][from];
        if (board[t] == EMPTY) add_plain(list, count, from, t);
    }
}

}  // namespace

void reset_lists() {
    if (!move_block) {
        move_block = new (std::nothrow) Move[(MAX_PLY + 1) * MAX_MOVES];
        if (!move_block) {
            host().report_fatal(Msg::OUT_OF_MEMORY);
            std::exit(1);
        }
        for (int p = 1; p <= MAX_PLY; ++p) move_lists[p] = move_block + p * MAX_MOVES;
    }
    std::memset(move_count, 0, sizeof move_count);
    std::memset(movegen.taken_stack, 0, sizeof movegen.taken_stack);
}

namespace {

// The board's squares 1..32 as four words of eight bytes, square 1 + 8k in the lowest
// byte of word k.
struct BoardWords {
    uint64_t word[4];
};
BoardWords board_words() {
    static_assert(std::endian::native == std::endian::little);
    BoardWords b;
    std::memcpy(b.word, &board[1], sizeof b.word);
    return b;
}

// Bit s - 1 is set for each square s in 1..32 whose code lies in LO..HI, eight squares
// per 64-bit step. Codes on squares 1..32 are below 16, so adding 0x80 - LO to a byte
// never carries into the next one and leaves its top bit set exactly when code >= LO.
template <uint8_t LO, uint8_t HI>
uint32_t squares_holding(const BoardWords& b) {
    constexpr uint64_t ONES = 0x0101010101010101ULL;
    uint32_t mask = 0;
    for (int part = 0; part < 4; ++part) {
        const uint64_t bytes = b.word[part];
        const uint64_t at_least_lo = bytes + ONES * (0x80 - LO);
        const uint64_t above_hi = bytes + ONES * (0x7F - HI);
        const uint64_t top = at_least_lo & ~above_hi & (ONES * 0x80);
        // Gather the eight top bits into one byte, square order kept.
        const uint64_t gathered = ((top >> 7) * 0x0102040810204080ULL) >> 56;
        mask |= static_cast<uint32_t>(gathered) << (8 * part);
    }
    return mask;
}

// Jumps on square sets. One diagonal step changes the bit index by an amount that depends
// on the parity of the row; two steps in the same direction by a fixed amount, 7 or 9.
struct JumpShape {
    int even_step, odd_step, jump;  // bit offsets of the jumped and the landing square
};
constexpr JumpShape JUMP_SHAPES[4] = {{-4, -5, -9}, {-3, -4, -7}, {4, 3, 7}, {5, 4, 9}};
constexpr uint32_t EVEN_ROWS = 0x0F0F0F0F;  // rows 0, 2, 4, 6

// Squares from which a jump in direction d stays on the board.
constexpr std::array<uint32_t, 4> make_jump_sources() {
    std::array<uint32_t, 4> t{};
    for (int d = 0; d < 4; ++d)
        for (int s = 1; s <= 32; ++s)
            if (neighbour[d][neighbour[d][s]] != 0) t[d] |= uint32_t{1} << (s - 1);
    return t;
}
constexpr auto JUMP_SOURCES = make_jump_sources();

constexpr bool shapes_agree_with_neighbours() {
    for (int d = 0; d < 4; ++d)
        for (int s = 1; s <= 32; ++s) {
            const int m = neighbour[d][s];
            if (m == 0 || neighbour[d][m] == 0) continue;
            const int step =
                (EVEN_ROWS >> (s - 1)) & 1 ? JUMP_SHAPES[d].even_step : JUMP_SHAPES[d].odd_step;
            if (m - s != step || neighbour[d][m] - s != JUMP_SHAPES[d].jump) return false;
        }
    return true;
}
static_assert(shapes_agree_with_neighbours());

// Bit b of the result is bit b + offset of `set`.
constexpr uint32_t at_offset(uint32_t set, int offset) {
    return offset < 0 ? set << -offset : set >> offset;
}

// The pieces of `pieces` that can jump an enemy of `enemies` in direction d.
template <int D>
uint32_t jumpers(uint32_t pieces, uint32_t enemies, uint32_t empty) {
    constexpr JumpShape J = JUMP_SHAPES[D];
    const uint32_t enemy_next = (EVEN_ROWS & at_offset(enemies, J.even_step)) |
                                (~EVEN_ROWS & at_offset(enemies, J.odd_step));
    return pieces & JUMP_SOURCES[D] & enemy_next & at_offset(empty, J.jump);
}

// The side's pieces that have a capture: men forward over men, kings every way over both.
template <int SIDE>
uint32_t capturing_pieces() {
    constexpr uint8_t OWN_MAN = SIDE == WHITE ? WHITE_MAN : BLACK_MAN;
    constexpr uint8_t ENEMY_MAN = SIDE == WHITE ? BLACK_MAN : WHITE_MAN;
    constexpr int MAN_D0 = SIDE == WHITE ? 0 : 2;  // men move forward only
    const BoardWords b = board_words();
    const uint32_t men = squares_holding<OWN_MAN, OWN_MAN>(b);
    const uint32_t kings = squares_holding<OWN_MAN + 1, OWN_MAN + 1>(b);
    const uint32_t enemy_men = squares_holding<ENEMY_MAN, ENEMY_MAN>(b);
    const uint32_t enemies = squares_holding<ENEMY_MAN, ENEMY_MAN + 1>(b);
    const uint32_t empty = squares_holding<EMPTY, EMPTY>(b);
    return jumpers<MAN_D0>(men, enemy_men, empty) | jumpers<MAN_D0 + 1>(men, enemy_men, empty) |
           jumpers<0>(kings, enemies, empty) | jumpers<1>(kings, enemies, empty) |
           jumpers<2>(kings, enemies, empty) | jumpers<3>(kings, enemies, empty);
}

// The next square of `set` in scan order (White 32 down to 1, Black 1 up to 32), taken out.
template <int SIDE>
int next_in_scan_order(uint32_t& set) {
    const int bit = SIDE == WHITE ? 31 - std::countl_zero(set) : std::countr_zero(set);
    set ^= uint32_t{1} << bit;
    return bit + 1;
}

// Captures when there are any: the capture searches of the pieces that can jump, in scan
// order. Otherwise the plain moves, piece by piece in scan order, each piece's in direction
// order. Counts live in locals: byte stores alias everything, so globals would be reloaded.
template <int SIDE>
int generate_for(Move* const list, const int p) {
    constexpr uint8_t OWN_MAN = SIDE == WHITE ? WHITE_MAN : BLACK_MAN;
    constexpr uint8_t OWN_KING = OWN_MAN + 1;
    constexpr int MAN_D0 = SIDE == WHITE ? 0 : 2;  // men move forward only
    int count = 0;
    uint32_t jumping = capturing_pieces<SIDE>();
    const bool captures = jumping != 0;
    if (captures) {
        while (jumping != 0) {
            const int s = next_in_scan_order<SIDE>(jumping);
            move_count[p] = static_cast<uint8_t>(count);
            search_piece(s);
            count = move_count[p];
        }
    } else {
        for (uint32_t own = squares_holding<OWN_MAN, OWN_KING>(board_words()); own != 0;) {
            const int s = next_in_scan_order<SIDE>(own);
            const bool king = board[s] == OWN_KING;
            const int d0 = king ? 0 : MAN_D0;
            const int d1 = king ? 4 : MAN_D0 + 2;
            for (int d = d0; d < d1; ++d) {
                const uint8_t t = neighbour[d][s];
                if (board[t] != EMPTY) continue;
                Move& m = list[count++];
                m.from = static_cast<uint8_t>(s);
                m.to = t;
                m.captures = 0;
                m.order_key = 0;
            }
        }
    }
    move_count[p] = static_cast<uint8_t>(count);
    if (movegen.ordering_hook) movegen.ordering_hook(list, count, captures);
    return count;
}

}  // namespace

namespace {

// The number of moves generate() would list, without listing plain moves: the common case
// (no capture anywhere) only counts empty neighbours. Any jump hands over to generate().
template <int SIDE>
int count_for(int side) {
    constexpr uint8_t OWN_MAN = SIDE == WHITE ? WHITE_MAN : BLACK_MAN;
    constexpr uint8_t OWN_KING = OWN_MAN + 1;
    constexpr uint8_t ENEMY_MAN = SIDE == WHITE ? BLACK_MAN : WHITE_MAN;
    constexpr uint8_t ENEMY_KING = ENEMY_MAN + 1;
    constexpr int MAN_D0 = SIDE == WHITE ? 0 : 2;
    int count = 0;
    for (int s = 1; s <= 32; ++s) {
        const uint8_t code = board[s];
        if (code != OWN_MAN && code != OWN_KING) continue;
        const bool king = code == OWN_KING;
        const int d0 = king ? 0 : MAN_D0;
        const int d1 = king ? 4 : MAN_D0 + 2;
        for (int d = d0; d < d1; ++d) {
            const uint8_t t = neighbour[d][s];
            const uint8_t c = board[t];
            if (c == EMPTY) {
                ++count;
            } else if ((c == ENEMY_MAN || (king && c == ENEMY_KING)) &&
                       board[neighbour[d][t]] == EMPTY) {
                return generate(side);
            }
        }
    }
    return count;
}

}  // namespace

bool has_capture(int side) {
    return side == WHITE ? capturing_pieces<WHITE>() != 0 : capturing_pieces<BLACK>() != 0;
}

int count_moves(int side) {
    return side == WHITE ? count_for<WHITE>(side) : count_for<BLACK>(side);
}

int generate(int side) {
    if (!move_block) reset_lists();
    const int p = movegen.ply;
    reset_best();
    work.record_paths = false;
    work.record_list = true;
    set_enemy_for_code(side == BLACK ? BLACK_MAN : WHITE_MAN);
    return side == WHITE ? generate_for<WHITE>(move_lists[p], p)
                         : generate_for<BLACK>(move_lists[p], p);
}

void set_clear_killers_hook(ClearKillersHook hook) {
    clear_killers_hook = hook;
}

int legal_moves(int side) {
    movegen.ply = 1;
    reset_lists();
    if (clear_killers_hook) clear_killers_hook();
    return generate(side);
}

int piece_moves(int square, int side) {
    (void)side;  // the enemy follows from the piece's own code
    if (!move_block) reset_lists();
    movegen.ply = 1;
    reset_best();
    std::memset(movegen.taken_stack, 0, sizeof movegen.taken_stack);
    movegen.capture_paths.count = 0;
    move_count[1] = 0;
    const uint8_t code = board[square];
    if (code == EMPTY || code > BLACK_KING) return 0;
    set_enemy_for_code(code);
    work.record_paths = true;
    work.record_list = true;
    search_piece(square);
    work.record_paths = false;
    uint8_t& count = move_count[1];
    if (count == 0) {
        plain_moves_of(square, move_lists[1], count);
        for (int k = 0; k < count; ++k) {
            movegen.capture_paths.landing[k + 1][1] = move_lists[1][k].to;
        }
        movegen.capture_paths.count = count;
    }
    return count;
}

void capture_path(int square, const Move& move) {
    if (!move_block) reset_lists();
    const int8_t saved_ply = movegen.ply;
    const uint8_t saved_best = movegen.best_capture_count;
    movegen.ply = 1;
    reset_best();
    std::memset(movegen.taken_stack, 0, sizeof movegen.taken_stack);
    movegen.capture_paths.count = 0;
    const uint8_t code = board[square];
    if (code != EMPTY && code <= BLACK_KING) {
        set_enemy_for_code(code);
        work.record_paths = true;
        work.record_list = false;
        search_piece(square);
        work.record_paths = false;
        work.record_list = true;
    }
    CapturePaths& cp = movegen.capture_paths;
    for (int row = 1; row <= cp.count; ++row) {
        bool same = true;
        for (int i = 1; i <= move.captures && same; ++i)
            same = cp.taken[row][i] == move.taken[i - 1];
        if (!same) continue;
        std::memcpy(cp.landing[0], cp.landing[row], sizeof cp.landing[0]);
        std::memcpy(cp.taken[0], cp.taken[row], sizeof cp.taken[0]);
        break;
    }
    movegen.ply = saved_ply;
    movegen.best_capture_count = saved_best;
}

void landing_squares(const Move& move, uint8_t out[MAX_CAPTURE + 1]) {
    int cur = move.from;
    for (int i = 0; i < move.captures && i < MAX_CAPTURE; ++i) {
        const int t = move.taken[i];
        int land = 0;
        for (int d = 0; d < 4; ++d) {
            if (neighbour[d][cur] == t) {
                land = neighbour[d][t];
                break;
            }
        }
        out[i + 1] = static_cast<uint8_t>(land);
        cur = land;
    }
}

std::string move_path(const Move& move) {
    std::string text = label(move.from);
    if (move.captures == 0) {
        text += '-';
        text += label(move.to);
        return text;
    }
    uint8_t landing[MAX_CAPTURE + 1] = {};
    landing_squares(move, landing);
    for (int j = 1; j <= move.captures; ++j) {
        text += 'x';
        text += label(landing[j]);
    }
    return text;
}

void sort_moves(Move* list, int n) {
    // Insertion sort, stable: lists are short and often nearly sorted.
    for (int i = 1; i < n; ++i) {
        Move m = list[i];
        int j = i - 1;
        while (j >= 0 && list[j].order_key < m.order_key) {
            list[j + 1] = list[j];
            --j;
        }
        list[j + 1] = m;
    }
}

void sort_moves(int n) {
    sort_moves(move_lists[movegen.ply], n);
}

void play_move(const Move& move) {
    uint8_t piece = board[move.from];
    board[move.from] = EMPTY;
    for (int i = 0; i < move.captures; ++i) board[move.taken[i]] = EMPTY;
    if (piece == WHITE_MAN && move.to <= 4)
        piece = WHITE_KING;
    else if (piece == BLACK_MAN && move.to >= 29)
        piece = BLACK_KING;
    board[move.to] = piece;
    board[0] = OFF_BOARD;
}

}  // namespace qv
