// Parameter files (".par"): arbitrary bytes are read as a parameter set; a set taken in
// steers the evaluation of a few positions, which must stay clear of decided scores.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "board/board.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "eval/evaluate.h"
#include "eval/params.h"
#include "fuzz_check.h"

namespace {

constexpr const char* POSITIONS[] = {
    qv::START_FEN,
    "W:W17,21,22,23,24,25,26,27,28,29,30,31:B1,2,3,4,5,6,7,9,10,11,12,14",
    "B:W18,22,K25,27,30:B3,7,K11,13",
    "W:W9,13,21:B20,24,28",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qv;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ParameterFile image;
    if (!parameters_from_bytes(bytes, image)) {
        FUZZ_CHECK(size != PARAMETER_FILE_SIZE);
        return 0;
    }
    parameter_state.buffer = image;
    parameter_state.live = image.values;
    for (const char* fen : POSITIONS) {
        Position p;
        std::string error;
        FUZZ_CHECK(parse_fen(fen, p, error));
        set_position(p);
        for (int side = 0; side < 2; ++side) {
            const int score = static_score(side);
            FUZZ_CHECK(std::abs(score) < 30000);
        }
    }
    return 0;
}
