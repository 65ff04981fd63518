#include "game/game_record.h"

#include <cstdio>
#include <cstring>

#include "board/board.h"
#include "game/clocks.h"

namespace qv {

GameState game;

std::string fit_name(std::string_view name) {
    std::string out;
    for (char c : name)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) out += c;
    if (out.size() <= NAME_BYTES) return out;
    size_t cut = NAME_BYTES;
    // Do not split a UTF-8 sequence: back up to the start of the cut character.
    while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
    out.resize(cut);
    return out;
}

std::string name_field(const char (&field)[20]) {
    return std::string(field, strnlen(field, sizeof field));
}

namespace {

void put_name(char (&field)[20], const std::string& name) {
    std::memset(field, 0, sizeof field);
    const std::string fitted = fit_name(name);
    std::memcpy(field, fitted.data(), fitted.size());
}

int line_of_ply(int p) {
    return p % 2 == 1 ? p / 2 : p / 2 - 1;
}

// Line k is replaced, or appended (the list never has a gap before it).
void set_line(int k, const std::string& text) {
    if (k < 0) return;
    if (k < static_cast<int>(game.list_lines.size()))
        game.list_lines[k] = text;
    else {
        game.list_lines.push_back(text);
        k = static_cast<int>(game.list_lines.size()) - 1;
    }
    game.list_selection = k;
}

}  // namespace

void store_ply() {
    PlyRecord& e = game.game_record[game.current_ply];
    for (int s = 1; s <= 32; ++s) e.squares[s] = board[s];
    e.capture_count = game.move_captures;
    e.from = game.move_from;
    e.to = game.move_to;
    e.white_clock = clocks.white_clock;
    e.black_clock = clocks.black_clock;
    put_name(e.white_name, game.white_name);
    put_name(e.black_name, game.black_name);
    e.computer_colour = game.computer_colour;
}

void load_ply() {
    const PlyRecord& e = game.game_record[game.current_ply];
    board[0] = OFF_BOARD;
    for (int s = 1; s <= 32; ++s) board[s] = e.squares[s];
    clocks.white_clock = e.white_clock;
    clocks.black_clock = e.black_clock;
    game.computer_colour = e.computer_colour;
    game.white_name = name_field(e.white_name);
    game.black_name = name_field(e.black_name);
}

int opening_side() {
    if (game.last_ply >= 1) {
        const uint8_t piece = game.game_record[0].squares[game.game_record[1].from];
        if (piece != EMPTY) return is_white(piece) ? WHITE : BLACK;
    }
    return game.side_to_move ^ (game.current_ply & 1);
}

std::string ply_move_text(int p) {
    const PlyRecord& e = game.game_record[p];
    return move_text(e.from, e.to, e.capture_count != 0);
}

RecordOutcome record_move(int from, int to, int captures) {
    if (game.current_ply >= MAX_RECORDED_PLY) return RecordOutcome::refused;
    const int p = game.current_ply + 1;
    if (game.current_ply < game.last_ply) {
        const size_t keep = static_cast<size_t>(line_of_ply(p) + 1);
        if (game.list_lines.size() > keep) game.list_lines.resize(keep);
    }
    game.current_ply = static_cast<uint8_t>(p);
    game.last_ply = p;
    game.move_from = static_cast<uint8_t>(from);
    game.move_to = static_cast<uint8_t>(to);
    game.move_captures = static_cast<uint8_t>(captures);
    store_ply();
    write_line();
    return p == MAX_RECORDED_PLY ? RecordOutcome::full : RecordOutcome::recorded;
}

void write_line() {
    const int p = game.current_ply;
    if (game.last_ply <= 1) {
        game.list_lines.clear();
        game.list_selection = -1;
    }
    const bool capture = game.move_captures != 0;
    if (p % 2 == 1) {
        set_line(p / 2, half_move_line(p / 2 + 1, game.move_from, game.move_to, capture));
    } else if (p >= 2) {
        const PlyRecord& w = game.game_record[p - 1];
        set_line(p / 2 - 1, full_move_line(p / 2, w.from, w.to, w.capture_count != 0,
                                           game.move_from, game.move_to, capture));
    }
}

void rebuild_list() {
    game.list_lines.clear();
    game.list_selection = -1;
    const int last = game.last_ply;
    for (int j = 2; j <= last; j += 2) {
        const PlyRecord& w = game.game_record[j - 1];
        const PlyRecord& b = game.game_record[j];
        game.list_lines.push_back(full_move_line(j / 2, w.from, w.to, w.capture_count != 0, b.from,
                                                 b.to, b.capture_count != 0));
    }
    if (last % 2 == 1) {
        const PlyRecord& w = game.game_record[last];
        char buf[16];
        std::snprintf(buf, sizeof buf, "%2d.%s%s%s", last / 2 + 1, label(w.from),
                      w.capture_count ? "x" : "-", label(w.to));
        game.list_lines.push_back(buf);
    }
    game.list_selection = static_cast<int>(game.list_lines.size()) - 1;
}

}  // namespace qv
