// Feeds arbitrary bytes to the text/PDN reader and replays what it accepts; traps when the
// game in hand comes out inconsistent.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/board.h"
#include "files/text_game.h"
#include "game/game_record.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qv;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto games = scan_text_games(text);
    check(choice_lines(games).size() == games.size());
    for (int g = 0; g < static_cast<int>(games.size()) && g < 4; ++g) {
        TextGame tg;
        TextProblem why;
        if (!parse_text_game(text, g, tg, why)) continue;
        check(tg.plies.size() <= static_cast<size_t>(MAX_IMPORT_PLIES));
        for (const auto& [from, to] : tg.plies)
            check(from >= 1 && from <= 32 && to >= 1 && to <= 32);
        if (!load_text_game(tg, 0, why)) {
            check(why.error == TextError::illegal_move);
            continue;
        }
        check(game.current_ply == game.last_ply && game.last_ply <= MAX_IMPORT_PLIES);
        check(game.list_lines.size() == static_cast<size_t>((game.last_ply + 1) / 2));
        check(game.white_name.size() <= 19 && game.black_name.size() <= 19);
        for (int s = 1; s <= 32; ++s) check(board[s] <= BLACK_KING);
        check(board[0] == OFF_BOARD);
    }
    return 0;
}
