#include "files/game_file.h"

#include <cstring>
#include <memory>

#include "board/board.h"
#include "board/file_io.h"
#include "board/host.h"
#include "game/clocks.h"

namespace qv {

namespace {

int32_t get_i32(std::string_view b, size_t at) {
    int32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

uint8_t control_of_level(int level_index) {
    if (level_index >= 11 && level_index <= 17) return static_cast<uint8_t>(level_index - 10);
    return level_index == 18 ? 8 : 0;
}

}  // namespace

std::string game_file_bytes() {
    // The settings overwrite the fields of the two last entries, in memory as in the file.
    PlyRecord& e253 = game.game_record[253];
    PlyRecord& e254 = game.game_record[254];
    e254.white_clock = clocks.time_budget;
    e254.black_clock = clocks.clock_limit;
    e253.white_clock = clocks.nb_minutes;
    e254.to = clocks.level_index;
    e254.from = game.language;
    e253.black_clock = game.table_size_setting;
    game.game_record[0].squares[0] = OFF_BOARD;

    std::string b(GAME_FILE_SIZE, '\0');
    std::memcpy(b.data(), game.game_record, RECORD_BYTES);
    b[0] = static_cast<char>(game.last_ply);
    b[RECORD_BYTES] = static_cast<char>(game.current_ply);
    b[RECORD_BYTES + 1] = static_cast<char>(game.side_to_move);
    return b;
}

bool decode_game_file(std::string_view bytes, GameFileImage& out, std::string& why) {
    if (bytes.size() != GAME_FILE_SIZE) {
        why = "a game file is " + std::to_string(GAME_FILE_SIZE) + " bytes, this one " +
              std::to_string(bytes.size());
        return false;
    }
    GameFileImage img;
    std::memcpy(img.record, bytes.data(), RECORD_BYTES);
    img.last_ply = static_cast<uint8_t>(bytes[0]);
    img.current_ply = static_cast<uint8_t>(bytes[RECORD_BYTES]);
    img.side_to_move = static_cast<uint8_t>(bytes[RECORD_BYTES + 1]);
    if (img.last_ply > 254) {
        why = "more than 254 plies";
        return false;
    }
    if (img.current_ply > img.last_ply) {
        why = "the current ply " + std::to_string(img.current_ply) + " is beyond the last ply " +
              std::to_string(img.last_ply);
        return false;
    }
    if (img.side_to_move > 1) {
        why = "the side to move is neither 0 nor 1";
        return false;
    }
    for (int p = 0; p <= img.last_ply; ++p) {
        const PlyRecord& e = img.record[p];
        for (int s = 1; s <= 32; ++s)
            if (e.squares[s] > BLACK_KING) {
                why = "ply " + std::to_string(p) + ": piece code " + std::to_string(e.squares[s]);
                return false;
            }
        // Moves are squares (entries 253 and 254 carry the language and level there, which
        // must then still read as squares).
        if (e.from > 32 || e.to > 32 || (p <= MAX_RECORDED_PLY && e.computer_colour > 1)) {
            why = "ply " + std::to_string(p) + ": not a move";
            return false;
        }
    }
    img.record[0].squares[0] = OFF_BOARD;
    img.minutes = get_i32(bytes, OFFSET_MINUTES);
    img.table_size = get_i32(bytes, OFFSET_TABLE_SIZE);
    img.language = static_cast<uint8_t>(bytes[OFFSET_LANGUAGE]);
    img.level_index = static_cast<uint8_t>(bytes[OFFSET_LEVEL_INDEX]);
    img.time_budget = get_i32(bytes, OFFSET_TIME_BUDGET);
    img.clock_limit = get_i32(bytes, OFFSET_CLOCK_LIMIT);
    if (img.time_budget == 0 || img.clock_limit == 0) {
        img.time_budget = 160;
        img.clock_limit = 178;
        img.minutes = 3;
        img.level_index = 5;
        img.language = 1;
    }
    out = img;
    return true;
}

bool write_game_file(const std::filesystem::path& path) {
    if (!write_file_atomic(path, game_file_bytes())) {
        host().show_error(Msg::CANNOT_OPEN_FILE);
        return false;
    }
    return true;
}

bool read_game_file(const std::filesystem::path& path) {
    std::string bytes;
    GameFileImage img;
    std::string why;
    if (!read_file_prefix(path, GAME_FILE_SIZE + 1, bytes) || !decode_game_file(bytes, img, why)) {
        host().show_error(Msg::CANNOT_OPEN_FILE);
        return false;
    }
    apply_game_image(img);
    return true;
}

void apply_game_image(const GameFileImage& img) {
    std::memcpy(game.game_record, img.record, RECORD_BYTES);
    game.last_ply = img.last_ply;
    game.current_ply = img.current_ply;
    game.side_to_move = img.side_to_move;
    game.side_after_last_move =
        static_cast<uint8_t>(img.side_to_move ^ ((img.last_ply - img.current_ply) & 1));
    clocks.time_budget = img.time_budget;
    clocks.clock_limit = img.clock_limit;
    clocks.nb_minutes = img.minutes;
    clocks.level_index = img.level_index;
    clocks.control_index = control_of_level(img.level_index);
    if (img.language <= 5) game.language = img.language;
    game.table_size_setting = static_cast<int16_t>(img.table_size);
}

void after_game_read() {
    hold_clocks();  // nobody is charged while the game read is looked at
    load_ply();
    std::memcpy(shown_board, board, sizeof board);
    rebuild_list();
    game.skip_ponder = 1;
}

bool read_game_keeping_settings(const std::filesystem::path& path) {
    const uint8_t language = game.language;
    const int16_t table_size = game.table_size_setting;
    game.stop_requested = true;
    if (!read_game_file(path)) return false;
    game.language = language;
    game.table_size_setting = table_size;
    return true;
}

bool ouvre(const std::filesystem::path& path) {
    if (!read_game_keeping_settings(path)) return false;
    after_game_read();
    return true;
}

bool read_resume_settings(const std::filesystem::path& path) {
    std::string bytes;
    std::string why;
    auto img = std::make_unique<GameFileImage>();
    if (!read_file_prefix(path, GAME_FILE_SIZE + 1, bytes) || !decode_game_file(bytes, *img, why))
        return false;
    clocks.time_budget = img->time_budget;
    clocks.clock_limit = img->clock_limit;
    clocks.nb_minutes = img->minutes;
    clocks.level_index = img->level_index;
    clocks.control_index = control_of_level(img->level_index);
    if (img->language <= 5) game.language = img->language;
    return true;
}

bool resume_game(const std::filesystem::path& path) {
    const uint8_t language = game.language;
    game.stop_requested = true;
    if (!read_game_file(path)) return false;
    game.language = language;
    if (game.table_size_setting == 0) game.table_size_setting = 100;
    after_game_read();
    return true;
}

namespace {
void take_minutes(std::string_view minutes_text) {
    int32_t n = 0;
    clocks.nb_minutes = parse_whole_number(minutes_text, n) ? n : 0;
}
}  // namespace

bool save(const std::filesystem::path& path, std::string_view minutes_text) {
    std::memcpy(board, shown_board, sizeof board);
    board[0] = OFF_BOARD;
    take_minutes(minutes_text);
    return write_game_file(path);
}

bool quitter(const std::filesystem::path& dir, std::string_view minutes_text) {
    game.stop_requested = true;
    take_minutes(minutes_text);
    std::memcpy(board, shown_board, sizeof board);
    board[0] = OFF_BOARD;
    return write_game_file(dir / RESUME_FILE);
}

}  // namespace qv
