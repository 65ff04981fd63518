#include "search/book_edit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "board/board.h"
#include "board/movegen.h"
#include "search/book.h"

namespace qv {

namespace {

// Replays moves on board with the generator's last list, then puts back the board and
// everything the generator keeps, so that a search or a move being entered, suspended
// while the window runs, finds them as they were.
class Replay {
  public:
    Replay() {
        if (!move_lists[1]) reset_lists();
        std::memcpy(saved_board_, board, sizeof board);
        saved_state_ = movegen;
        std::memcpy(saved_list_, move_lists[PLY], sizeof saved_list_);
        movegen.ordering_hook = nullptr;
        movegen.ply = PLY;
        set_start_position();
    }
    ~Replay() {
        std::memcpy(move_lists[PLY], saved_list_, sizeof saved_list_);
        movegen = saved_state_;
        std::memcpy(board, saved_board_, sizeof board);
    }
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // Plays the legal move of `side` from `from` to `to` (internal squares); false when
    // there is none.
    bool play(int side, int from, int to) {
        const int n = generate(side);
        for (int i = 0; i < n; ++i) {
            const Move& m = move_lists[PLY][i];
            if (m.from == from && m.to == to) {
                play_move(m);
                return true;
            }
        }
        return false;
    }

  private:
    static constexpr int PLY = MAX_PLY;
    uint8_t saved_board_[33];
    MoveGenState saved_state_;
    Move saved_list_[MAX_MOVES];
};

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

BookLineCheck check_book_line(std::string_view text) {
    BookLineCheck out;
    Replay replay;
    size_t i = 0;
    for (;;) {
        while (i < text.size() && is_blank(text[i])) ++i;
        if (i >= text.size()) break;
        // One move: up to the next blank that follows its second number.
        const size_t start = i;
        int numbers[2] = {0, 0};
        bool ok = true;
        for (int k = 0; k < 2 && ok; ++k) {
            if (k == 1) {
                ok = i < text.size() && (text[i] == '-' || text[i] == 'x' || text[i] == 'X');
                ++i;
                while (ok && i < text.size() && is_blank(text[i])) ++i;
            }
            int digits = 0;
            while (ok && i < text.size() && is_digit(text[i]) && digits < 3) {
                numbers[k] = 10 * numbers[k] + (text[i++] - '0');
                ++digits;
            }
            ok = ok && digits >= 1 && digits <= 2 && numbers[k] >= 1 && numbers[k] <= 32;
        }
        ok = ok && (i >= text.size() || is_blank(text[i]));
        ++out.plies;
        if (!ok) {
            size_t end = i;
            while (end < text.size() && !is_blank(text[end])) ++end;
            out.fault = BookLineFault::syntax;
            out.ply = out.plies;
            out.move = std::string(text.substr(start, end - start));
            return out;
        }
        const int side = (out.plies - 1) % 2 == 0 ? WHITE : BLACK;
        if (!replay.play(side, square_of_label(numbers[0]), square_of_label(numbers[1]))) {
            out.fault = BookLineFault::illegal;
            out.ply = out.plies;
            out.move = std::string(text.substr(start, i - start));
            return out;
        }
        char move[16];
        std::snprintf(move, sizeof move, "%2d-%2d ", numbers[0], numbers[1]);
        out.canonical += move;
    }
    if (out.plies == 0) out.fault = BookLineFault::empty;
    return out;
}

std::string book_line_of_game(std::span<const GameMove> line) {
    std::string out;
    for (size_t k = 1; k < line.size() && k <= 42 && line[k].from != 0; ++k) {
        char move[16];
        std::snprintf(move, sizeof move, "%2d-%2d ", label_number(line[k].from),
                      label_number(line[k].to));
        out += move;
    }
    return out;
}

int insert_book_line(int side, const std::string& line) {
    auto& list = book.lists[side];
    const auto at = std::lower_bound(list.begin(), list.end(), line);
    const auto index = at - list.begin();
    if (at == list.end() || *at != line) list.insert(at, line);
    return static_cast<int>(index);
}

bool delete_book_line(int side, int index) {
    auto& list = book.lists[side];
    if (index < 0 || index >= static_cast<int>(list.size())) return false;
    list.erase(list.begin() + index);
    return true;
}

bool game_follows_start_position(const SearchInputs& in) {
    uint8_t target[33];
    std::memcpy(target, board, sizeof target);
    Replay replay;
    for (int k = 1; k <= in.game_ply; ++k) {
        const int side = (k - 1) % 2 == 0 ? WHITE : BLACK;
        if (!replay.play(side, in.line[k].from, in.line[k].to)) return false;
    }
    return std::memcmp(board + 1, target + 1, 32) == 0;
}

}  // namespace qv
