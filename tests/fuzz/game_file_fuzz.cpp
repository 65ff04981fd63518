// Game files (".dam"): arbitrary bytes are decoded; a file taken as a game becomes the game
// in hand, whose move list and position must then make sense and save again as a game. A
// file refused when opened leaves the game in hand as it was.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "board/board.h"
#include "board/host.h"
#include "files/game_file.h"
#include "fuzz_check.h"
#include "game/game_record.h"

namespace {

using namespace qv;

struct QuietHost : Host {
    void show_error(Msg) override {}
};

// A folder of this process for the refused files, removed at exit.
struct ScratchDir {
    std::filesystem::path path;
    ScratchDir() {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::string pattern = (base / "quorvel_fuzz_XXXXXX").string();  // mkdtemp makes it unique
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

void refused_file_keeps_the_game(std::string_view bytes) {
    static ScratchDir scratch;
    static QuietHost quiet;
    if (scratch.path.empty()) return;
    const auto file = scratch.path / "refused.dam";
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
    set_host(&quiet);
    static auto before = std::make_unique<GameState>();
    *before = game;
    FUZZ_CHECK(!ouvre(file));
    FUZZ_CHECK(std::memcmp(game.game_record, before->game_record, sizeof game.game_record) == 0);
    FUZZ_CHECK(game.last_ply == before->last_ply && game.current_ply == before->current_ply);
    FUZZ_CHECK(game.list_lines == before->list_lines);
    set_host(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static auto img = std::make_unique<GameFileImage>();
    std::string why;
    if (!decode_game_file(bytes, *img, why)) {
        FUZZ_CHECK(!why.empty());
        refused_file_keeps_the_game(bytes);
        return 0;
    }
    FUZZ_CHECK(size == GAME_FILE_SIZE);
    FUZZ_CHECK(img->current_ply <= img->last_ply && img->side_to_move <= 1);
    apply_game_image(*img);
    after_game_read();
    FUZZ_CHECK(board[0] == OFF_BOARD);
    for (int s = 1; s <= 32; ++s) FUZZ_CHECK(board[s] <= BLACK_KING);
    FUZZ_CHECK(game.list_lines.size() == static_cast<size_t>((game.last_ply + 1) / 2));
    FUZZ_CHECK(game.white_name.size() <= 20 && game.black_name.size() <= 20);
    // What was read saves as a game file that reads back to the same plies.
    const std::string again = game_file_bytes();
    static auto back = std::make_unique<GameFileImage>();
    FUZZ_CHECK(decode_game_file(again, *back, why));
    FUZZ_CHECK(back->last_ply == img->last_ply && back->current_ply == img->current_ply);
    for (int p = 0; p <= back->last_ply && p <= MAX_RECORDED_PLY; ++p)
        for (int s = 1; s <= 32; ++s)
            FUZZ_CHECK(back->record[p].squares[s] == img->record[p].squares[s]);
    return 0;
}
