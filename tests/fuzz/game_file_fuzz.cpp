// Game files (".dam"): arbitrary bytes are decoded; a file taken as a game becomes the game
// in hand, whose move list and position must then make sense and save again as a game.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "board/board.h"
#include "files/game_file.h"
#include "fuzz_check.h"
#include "game/game_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qv;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static auto img = std::make_unique<GameFileImage>();
    std::string why;
    if (!decode_game_file(bytes, *img, why)) {
        FUZZ_CHECK(!why.empty());
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
