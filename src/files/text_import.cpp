// Replaying a game read from text through the legal-move generator.
#include <cstring>

#include "board/board.h"
#include "board/movegen.h"
#include "files/text_game.h"
#include "game/game_record.h"
#include "game/session.h"

namespace qv {

void load_text_game(const TextGame& tg, int32_t t) {
    remplir(t);
    if (tg.has_fen) {
        set_position(tg.start);
        game.side_to_move = static_cast<uint8_t>(tg.start.side_to_move);
        game.side_after_last_move = game.side_to_move;
    }
    game.white_name = fit_name(tg.white);
    game.black_name = fit_name(tg.black);
    store_ply();
    int count = 0;
    for (const auto& [from, to] : tg.plies) {
        if (++count > MAX_IMPORT_PLIES) break;
        const int n = legal_moves(game.side_to_move);
        const Move* list = move_lists[1];
        for (int i = 0; i < n; ++i) {
            if (list[i].from != from || list[i].to != to) continue;
            const Move m = list[i];
            play_move(m);
            game.side_to_move = static_cast<uint8_t>(1 - game.side_to_move);
            game.side_after_last_move = game.side_to_move;
            if (record_move(m.from, m.to, m.captures) == RecordOutcome::refused) {
                load_ply();
                game.side_to_move = static_cast<uint8_t>(1 - game.side_to_move);
                game.side_after_last_move = game.side_to_move;
            }
            break;
        }
    }
    std::memcpy(shown_board, board, sizeof board);
    game.skip_ponder = 1;
}

}  // namespace qv
