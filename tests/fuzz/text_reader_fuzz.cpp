// Text and PDN games: arbitrary bytes go to the game scanner and the reader; what is
// accepted is replayed, and a game that loads comes back whole through its own PDN.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/board.h"
#include "files/text_game.h"
#include "fuzz_check.h"
#include "game/game_record.h"

namespace {

using namespace qv;

void check_game_in_hand() {
    FUZZ_CHECK(game.current_ply == game.last_ply && game.last_ply <= MAX_IMPORT_PLIES);
    FUZZ_CHECK(game.list_lines.size() == static_cast<size_t>((game.last_ply + 1) / 2));
    FUZZ_CHECK(game.white_name.size() <= NAME_BYTES && game.black_name.size() <= NAME_BYTES);
    for (int s = 1; s <= 32; ++s) FUZZ_CHECK(board[s] <= BLACK_KING);
    FUZZ_CHECK(board[0] == OFF_BOARD);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto games = scan_text_games(text);
    FUZZ_CHECK(choice_lines(games).size() == games.size());
    for (int g = 0; g < static_cast<int>(games.size()) && g < 3; ++g) {
        TextGame tg;
        TextProblem why;
        if (!parse_text_game(text, g, tg, why)) {
            FUZZ_CHECK(why.error != TextError::none && why.game == g);
            continue;
        }
        FUZZ_CHECK(tg.plies.size() <= static_cast<size_t>(MAX_IMPORT_PLIES));
        for (const auto& [from, to] : tg.plies)
            FUZZ_CHECK(from >= 1 && from <= 32 && to >= 1 && to <= 32);
        if (!load_text_game(tg, 0, why)) {
            FUZZ_CHECK(why.error == TextError::illegal_move);
            continue;
        }
        check_game_in_hand();
        // The game read, written as PDN, reads back to the same number of plies.
        const int plies = game.last_ply;
        const std::string pdn = pdn_bytes("2026.01.01");
        TextGame again;
        FUZZ_CHECK(parse_text_game(pdn, 0, again, why));
        FUZZ_CHECK(load_text_game(again, 0, why));
        FUZZ_CHECK(game.last_ply == plies);
        check_game_in_hand();
    }
    return 0;
}
