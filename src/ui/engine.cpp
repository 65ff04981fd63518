#include "ui/engine.h"

#include "board/movegen.h"

namespace qv::ui {

int PlaceholderEngine::choose_move(int side, bool pondering) {
    if (pondering) return 0;
    const int n = legal_moves(side);
    if (n == 0) return NO_MOVE;
    return n == 1 ? SINGLE_MOVE : 0;
}

}  // namespace qv::ui
