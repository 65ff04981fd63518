// Positions as FEN: a position accepted writes back to a FEN that reads as the same position.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "board/board.h"
#include "board/fen.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qv;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Position p, q;
    std::string error;
    if (!parse_fen(text, p, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(p.squares[0] == OFF_BOARD && p.side_to_move <= 1);
    for (int s = 1; s <= 32; ++s) FUZZ_CHECK(p.squares[s] <= BLACK_KING);
    const std::string written = write_fen(p.squares, p.side_to_move);
    FUZZ_CHECK(parse_fen(written, q, error));
    FUZZ_CHECK(std::memcmp(p.squares, q.squares, sizeof p.squares) == 0);
    FUZZ_CHECK(p.side_to_move == q.side_to_move);
    return 0;
}
