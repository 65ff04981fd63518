#include "board/fen.h"

#include <cctype>
#include <cstring>

#include "board/board.h"

namespace qv {

namespace {

bool fail(std::string& error, std::string text) {
    error = std::move(text);
    return false;
}

// Reads a decimal number at text[i]; advances i.
bool read_number(std::string_view text, size_t& i, int& value) {
    size_t start = i;
    value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && i - start < 3)
        value = value * 10 + (text[i++] - '0');
    return i > start;
}

}  // namespace

bool parse_fen(std::string_view text, Position& out, std::string& error) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    if (text.empty()) return fail(error, "empty FEN");

    Position p;
    std::memset(p.squares, EMPTY, sizeof p.squares);
    p.squares[0] = OFF_BOARD;
    const char turn = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (turn != 'W' && turn != 'B')
        return fail(error, "FEN must start with the side to move, W or B");
    p.side_to_move = turn == 'W' ? WHITE : BLACK;

    size_t i = 1;
    bool seen[2] = {false, false};
    while (i < text.size()) {
        if (text[i] != ':') return fail(error, "expected ':' at position " + std::to_string(i + 1));
        ++i;
        if (i >= text.size()) break;
        const char colour = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        if (colour != 'W' && colour != 'B')
            return fail(error, "expected W or B after ':' at position " + std::to_string(i + 1));
        const int side = colour == 'W' ? WHITE : BLACK;
        if (seen[side])
            return fail(error, std::string("the ") + (side ? "black" : "white") +
                                   " pieces are listed twice");
        seen[side] = true;
        ++i;
        while (i < text.size() && text[i] != ':') {
            bool king = false;
            if (text[i] == 'K' || text[i] == 'k') {
                king = true;
                ++i;
            }
            int first = 0;
            if (!read_number(text, i, first))
                return fail(error, "expected a square number at position " + std::to_string(i + 1));
            int last = first;
            if (i < text.size() && text[i] == '-') {
                ++i;
                if (!read_number(text, i, last))
                    return fail(error,
                                "expected the end of a range at position " + std::to_string(i + 1));
            }
            if (first < 1 || first > 32 || last < 1 || last > 32 || last < first)
                return fail(error, "square " +
                                       std::to_string(first < 1 || first > 32 ? first : last) +
                                       " is not between 1 and 32");
            for (int n = first; n <= last; ++n) {
                const int s = square_of_label(n);
                if (p.squares[s] != EMPTY)
                    return fail(error, "square " + std::to_string(n) + " is given twice");
                p.squares[s] = side == WHITE ? (king ? WHITE_KING : WHITE_MAN)
                                             : (king ? BLACK_KING : BLACK_MAN);
            }
            if (i < text.size() && text[i] == ',') {
                ++i;
                if (i >= text.size() || text[i] == ':')
                    return fail(error, "a ',' is not followed by a square");
            } else if (i < text.size() && text[i] != ':') {
                return fail(error, std::string("unexpected '") + text[i] + "' at position " +
                                       std::to_string(i + 1));
            }
        }
    }
    out = p;
    return true;
}

std::string write_fen(const uint8_t squares[33], int side_to_move) {
    std::string s = side_to_move == WHITE ? "W" : "B";
    for (int side = 0; side < 2; ++side) {
        s += side == WHITE ? ":W" : ":B";
        bool first = true;
        for (int n = 1; n <= 32; ++n) {
            const uint8_t c = squares[square_of_label(n)];
            const bool mine = side == WHITE ? is_white(c) : is_black(c);
            if (!mine) continue;
            if (!first) s += ',';
            first = false;
            if (is_king(c)) s += 'K';
            s += std::to_string(n);
        }
    }
    return s;
}

Position current_position(int side_to_move) {
    Position p;
    std::memcpy(p.squares, board, sizeof p.squares);
    p.squares[0] = OFF_BOARD;
    p.side_to_move = side_to_move;
    return p;
}

void set_position(const Position& p) {
    std::memcpy(board, p.squares, sizeof p.squares);
    board[0] = OFF_BOARD;
    std::memcpy(shown_board, board, sizeof p.squares);
}

}  // namespace qv
