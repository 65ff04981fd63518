// Writing games as text: the program's own format, PDN, and "Bestmove.txt".
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "board/board.h"
#include "board/file_io.h"
#include "board/host.h"
#include "files/text_game.h"
#include "game/game_record.h"

namespace qv {

namespace {

bool write_or_report(const std::filesystem::path& path, std::string_view data) {
    if (write_file_atomic(path, data)) return true;
    host().show_error(Msg::CANNOT_OPEN_FILE);
    return false;
}

bool starts_from_start_position() {
    for (int s = 1; s <= 32; ++s) {
        const uint8_t want = s <= 12 ? BLACK_MAN : s >= 21 ? WHITE_MAN : EMPTY;
        if (game.game_record[0].squares[s] != want) return false;
    }
    return opening_side() == WHITE;
}

std::string pdn_quote(const std::string& s) {
    std::string out;
    for (char c : s) out += c == '"' ? '\'' : c == '\\' ? '/' : c;
    return out;
}

std::string today() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y.%m.%d", &tm);
    return buf;
}

}  // namespace

std::string text_game_bytes() {
    std::string out = game.white_name + "-" + game.black_name;
    switch (game.game_result) {
        case WHITE_WON:
            out += "  2-0";
            break;
        case DRAWN:
            out += "  1-1";
            break;
        case BLACK_WON:
            out += "  0-2";
            break;
        default:
            out += " ";
            break;
    }
    out += "\r\nQuorvel144\r\n";
    const size_t pairs = std::min<size_t>(game.current_ply / 2, game.list_lines.size());
    for (size_t i = 0; i < pairs; ++i) {
        out += game.list_lines[i];
        out += "  ";
        if (i % 4 == 3 || i + 1 == pairs) out += "\r\n";
    }
    return out;
}

bool write_text_game(const std::filesystem::path& path) {
    return write_or_report(path, text_game_bytes());
}

std::string pdn_bytes(std::string_view date, const PdnAnnotation& annotate) {
    const char* result = game.game_result == WHITE_WON   ? "1-0"
                         : game.game_result == BLACK_WON ? "0-1"
                         : game.game_result == DRAWN     ? "1/2-1/2"
                                                         : "*";
    std::string out;
    out += "[Event \"Quorvel\"]\r\n";
    out += "[Date \"" + (date.empty() ? today() : std::string(date)) + "\"]\r\n";
    out += "[White \"" + pdn_quote(game.white_name) + "\"]\r\n";
    out += "[Black \"" + pdn_quote(game.black_name) + "\"]\r\n";
    out += std::string("[Result \"") + result + "\"]\r\n";
    out += "[GameType \"22\"]\r\n";
    const int first = opening_side();
    if (!starts_from_start_position())
        out += "[FEN \"" + write_fen(game.game_record[0].squares, first) + "\"]\r\n";
    out += "\r\n";

    std::string line;
    auto add = [&](const std::string& word) {
        if (!line.empty() && line.size() + 1 + word.size() > 78) {
            out += line + "\r\n";
            line.clear();
        }
        if (!line.empty()) line += ' ';
        line += word;
    };
    bool interrupted = false;  // a comment or variation came between White's move and Black's
    for (int p = 1; p <= game.last_ply; ++p) {
        const int index = p - 1 + first;  // half moves counted from White's first
        const PlyRecord& e = game.game_record[p];
        if (index % 2 == 0)
            add(std::to_string(index / 2 + 1) + ".");
        else if (p == 1 || interrupted)
            add(std::to_string(index / 2 + 1) + "...");
        add(std::to_string(label_number(e.from)) + (e.capture_count ? "x" : "-") +
            std::to_string(label_number(e.to)));
        interrupted = false;
        if (annotate) {
            for (const std::string& word : annotate(p, index)) {
                add(word);
                interrupted = true;
            }
        }
    }
    add(result);
    out += line + "\r\n";
    return out;
}

bool write_pdn(const std::filesystem::path& path, std::string_view date) {
    return write_or_report(path, pdn_bytes(date));
}

Printout printout() {
    Printout p;
    p.heading = game.white_name + "-" + game.black_name;
    constexpr size_t PER_ROW = 6;
    const auto& lines = game.list_lines;
    for (size_t i = 0; i < lines.size(); i += PER_ROW) {
        std::string row;
        for (size_t j = i; j < std::min(lines.size(), i + PER_ROW); ++j)
            row += lines[j] + (j == i ? " " : "  ");
        p.rows.push_back(row);
    }
    p.diagram = !starts_from_start_position();
    std::memcpy(p.start, game.game_record[0].squares, sizeof p.start);
    p.start[0] = OFF_BOARD;
    p.first_side = opening_side();
    return p;
}

std::string game_document_name() {
    std::string name = game.white_name + "-" + game.black_name;
    for (char& c : name)
        if (std::strchr("/\\:*?\"<>|", c) || static_cast<unsigned char>(c) < 0x20) c = '_';
    return name;
}

bool write_bestmove(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    return write_or_report(path, join_lines_crlf(lines));
}

}  // namespace qv
