#include "ui/entry.h"

#include <cstring>

#include "board/board.h"
#include "board/movegen.h"
#include "board/now.h"

namespace qv::ui {

EntryState entry;

bool click_on_dark_square(int x, int y) {
    if (x < 20 || y < 20) return false;
    const int col = (x - 20) / 60;
    const int row = (y - 20) / 60;
    if (col > 7 || row > 7) return false;
    const int screen_column = 7 - col;
    return (screen_column - row % 2) % 2 == 0;
}

int square_of_click(int x, int y) {
    if (x < 20 || y < 20) return 0;
    const int col = (x - 20) / 60;
    const int row = (y - 20) / 60;
    if (col > 7 || row > 7) return 0;
    int s = col / 2 + 4 * row + 1;
    if (board_state.flipped) s = 33 - s;
    return s >= 1 && s <= 32 ? s : 0;
}

void cancel_entry() {
    entry.in_hand = 0;
    entry.entry_len = 0;
    std::memset(entry.entry_marks, 0, sizeof entry.entry_marks);
}

namespace {

void clear_marks(BoardView& view) {
    std::memset(entry.entry_marks, 0, sizeof entry.entry_marks);
    view.redraw_empty_squares();
}

uint8_t crowned(uint8_t piece, int to) {
    if (piece == WHITE_MAN && to <= 4) return WHITE_KING;
    if (piece == BLACK_MAN && to >= 29) return BLACK_KING;
    return piece;
}

// Rows of capture_paths whose first entry_len landing squares match the entered ones.
int candidates(int rows[MAX_MOVES]) {
    const CapturePaths& cp = movegen.capture_paths;
    int n = 0;
    for (int k = 1; k <= cp.count; ++k) {
        bool same = true;
        for (int d = 1; d <= entry.entry_len && same; ++d)
            same = cp.landing[k][d] == entry.entry_path[d];
        if (same) rows[n++] = k;
    }
    return n;
}

EnteredMove make_capture(int c, BoardView& view) {
    const int from = entry.entry_path[0];
    const uint8_t piece = static_cast<uint8_t>(entry.in_hand);
    board[from] = EMPTY;
    view.draw_square(from, EMPTY);
    const CapturePaths& cp = movegen.capture_paths;
    int row = 0;
    for (int k = 1; k <= cp.count && row == 0; ++k) {
        bool same = true;
        for (int d = 1; d <= c && same; ++d) same = cp.landing[k][d] == entry.entry_path[d];
        if (same) row = k;
    }
    const int to = entry.entry_path[c];
    if (row != 0)
        for (int d = 1; d <= c; ++d) board[cp.taken[row][d]] = EMPTY;
    if (c > 1 && entry.decompose_captures) {
        // Jump by jump: each intermediate landing shown for half a second.
        int64_t step_start = now_ms();
        for (int d = 1; d < c; ++d) {
            const int at = entry.entry_path[d];
            step_start = now_ms();
            view.draw_square(at, piece);
            view.wait_ms(500);
            view.draw_square(at, EMPTY);
        }
        const int64_t rest = 1000 - (now_ms() - step_start);
        if (rest > 0) view.wait_ms(static_cast<int>(rest));
    }
    if (row != 0)
        for (int d = 1; d <= c; ++d) view.draw_square(cp.taken[row][d], EMPTY);
    board[to] = crowned(piece, to);
    view.draw_square(to, board[to]);
    return {static_cast<uint8_t>(from), static_cast<uint8_t>(to), static_cast<uint8_t>(c)};
}

EnteredMove make_plain(int to, BoardView& view) {
    const int from = entry.entry_path[0];
    board[to] = crowned(static_cast<uint8_t>(entry.in_hand), to);
    board[from] = EMPTY;
    view.draw_square(from, EMPTY);
    view.draw_square(to, board[to]);
    return {static_cast<uint8_t>(from), static_cast<uint8_t>(to), 0};
}

void finish(BoardView& view) {
    clear_marks(view);
    entry.in_hand = 0;
    entry.entry_len = 0;
    std::memcpy(shown_board, board, sizeof board);
}

// Examines the next landing squares; returns whether the move is complete.
bool capture_step(int s, uint8_t clicked_mark, int c, BoardView& view) {
    const CapturePaths& cp = movegen.capture_paths;
    if (clicked_mark == MARK_NEXT) {
        ++entry.entry_len;
        if (entry.entry_len < c && clicked_mark != MARK_FINAL) clear_marks(view);
        entry.entry_path[entry.entry_len] = static_cast<uint8_t>(s);
    }
    int rows[MAX_MOVES];
    const int n = candidates(rows);
    if (n == 0) return false;
    if (clicked_mark == MARK_FINAL) {
        // The final-square shortcut: the candidate ending here gives the landing squares.
        for (int i = 0; i < n; ++i) {
            if (cp.landing[rows[i]][c] != s) continue;
            for (int d = 1; d <= c; ++d) entry.entry_path[d] = cp.landing[rows[i]][d];
            entry.entry_len = static_cast<uint8_t>(c);
            return true;
        }
        return false;
    }
    for (int depth = entry.entry_len + 1; depth <= c; ++depth) {
        const int first = cp.landing[rows[0]][depth];
        bool agree = true;
        for (int i = 0; i < n; ++i) {
            const int sq = cp.landing[rows[i]][depth];
            entry.entry_marks[sq] = MARK_NEXT;
            if (sq != first) agree = false;
        }
        if (!agree) {
            entry.entry_ambiguous = 1;
            break;
        }
        ++entry.entry_len;
        entry.entry_path[entry.entry_len] = static_cast<uint8_t>(first);
        if (depth != c) entry.entry_marks[first] = 0;
    }
    if (entry.entry_ambiguous) {
        for (int sq = 1; sq <= 32; ++sq)
            if (entry.entry_marks[sq] == MARK_NEXT) view.frame_square(sq, FRAME_BLUE);
        bool shared_final = false;
        for (int i = 0; i < n && !shared_final; ++i)
            for (int j = i + 1; j < n; ++j)
                if (cp.landing[rows[i]][c] == cp.landing[rows[j]][c]) shared_final = true;
        if (!shared_final) {
            for (int i = 0; i < n; ++i) {
                const int fin = cp.landing[rows[i]][c];
                entry.entry_marks[fin] = MARK_FINAL;
                view.frame_square(fin, FRAME_FUCHSIA);
            }
        }
    }
    return entry.entry_len >= c && entry.entry_marks[entry.entry_path[c]] != 0;
}

}  // namespace

bool entry_click(int s, int side, BoardView& view, EnteredMove& made) {
    entry.clicked_square = static_cast<uint8_t>(s);
    board[0] = OFF_BOARD;
    uint8_t clicked_mark = entry.entry_marks[s];

    // Putting back: the start square again, unmarked.
    if (entry.in_hand != 0 && s == entry.entry_path[0] && clicked_mark == 0) {
        entry.in_hand = 0;
        entry.entry_len = 0;
        clear_marks(view);
        view.draw_square(s, board[s]);
        return false;
    }

    bool picked_now = false;
    if (entry.in_hand != 0) {
        // The piece's moves again: a search on the person's time reuses the lists.
        piece_moves(entry.entry_path[0], side);
    } else {
        const int n = legal_moves(side);
        if (movegen.best_capture_count > 0) view.show_capture_labels(true);
        bool starts = false;
        for (int i = 0; i < n && !starts; ++i) starts = move_lists[1][i].from == s;
        if (!starts) return false;
        piece_moves(s, side);
        std::memset(entry.entry_path, 0, sizeof entry.entry_path);
        std::memset(entry.entry_marks, 0, sizeof entry.entry_marks);
        view.frame_square(s, FRAME_RED);
        entry.entry_ambiguous = 0;
        entry.entry_len = 0;
        entry.entry_path[0] = static_cast<uint8_t>(s);
        entry.start_square = static_cast<uint8_t>(s);
        entry.in_hand = board[s];
        picked_now = true;
        clicked_mark = 0;
    }

    const int c = movegen.best_capture_count;
    if (c > 0) {
        if (entry.entry_len > c) return false;
        if (!capture_step(s, clicked_mark, c, view)) return false;
        made = make_capture(c, view);
        finish(view);
        return true;
    }

    // Plain moves: the piece's destinations are the ply-1 list just computed.
    if (picked_now) {
        const int n = move_count[1];
        for (int i = 0; i < n; ++i) entry.entry_marks[move_lists[1][i].to] = MARK_NEXT;
        if (n == 1) {
            made = make_plain(move_lists[1][0].to, view);
            finish(view);
            return true;
        }
        for (int i = 0; i < n; ++i) view.frame_square(move_lists[1][i].to, FRAME_FUCHSIA);
        return false;
    }
    if (clicked_mark == 0) return false;
    made = make_plain(s, view);
    finish(view);
    return true;
}

}  // namespace qv::ui
