// Opening lists ("ouvert_b.ouv", "ouvert_n.ouv", the lists of a set): any text is taken as
// lines; the candidates found for games that follow those lines are squares, at most 20,
// and a move picked from them is one of the legal moves offered.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "board/board.h"
#include "board/movegen.h"
#include "fuzz_check.h"
#include "search/book.h"

namespace {

void check_candidates() {
    using namespace qv;
    FUZZ_CHECK(book.candidate_count >= 0 && book.candidate_count <= MAX_CANDIDATES);
    for (int c = 0; c < book.candidate_count; ++c) {
        const BookCandidate& b = book.book_candidates[c];
        FUZZ_CHECK(b.from >= 1 && b.from <= 32 && b.to >= 1 && b.to <= 32);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qv;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = book_lines_of(text);
    for (const auto& l : lines)
        FUZZ_CHECK(!l.empty() && l.find_first_of("\r\n") == std::string::npos);
    book.lists[WHITE] = lines;
    book.lists[BLACK] = lines;

    // The start of the game: a move picked is one of the legal moves.
    static auto in = std::make_unique<SearchInputs>();
    *in = SearchInputs{};
    set_start_position();
    const int n = legal_moves(WHITE);
    const int pick = pick_book_move(WHITE, *in, n);
    check_candidates();
    FUZZ_CHECK(pick >= -1 && pick < n);

    // Games that follow the candidates found, one ply further each time.
    for (int g = 1; g <= 40 && book.candidate_count > 0; ++g) {
        const BookCandidate c = book.book_candidates[g % book.candidate_count];
        in->line[g] = {c.from, c.to, 0};
        in->game_ply = g;
        find_book_moves(g % 2, *in);
        check_candidates();
    }
    return 0;
}
