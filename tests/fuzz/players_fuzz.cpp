// Players ("joueurs.dat") and ratings ("points.dat"): the input is both files' texts, split
// at its first NUL byte. Any pair makes an aligned table with the computer on line 0 that
// writes and reads back unchanged; ratings read from it update without overflow.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/file_io.h"
#include "fuzz_check.h"
#include "game/game_record.h"
#include "game/players.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qv;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t nul = input.find('\0');
    const std::string_view names = input.substr(0, nul);
    const std::string_view ratings = nul == std::string_view::npos ? "" : input.substr(nul + 1);

    PlayersTable t = players_from_text(names, ratings);
    FUZZ_CHECK(!t.names.empty() && t.names.size() == t.ratings.size());
    for (const auto& n : t.names) {
        FUZZ_CHECK(n.size() <= static_cast<size_t>(NAME_BYTES));
        for (char c : n) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
    }
    // Written as the program writes them, both files read back to the same table.
    const PlayersTable back =
        players_from_text(join_lines_crlf(t.names), join_lines_crlf(t.ratings));
    FUZZ_CHECK(back.names.size() == t.names.size() && back.ratings.size() == t.ratings.size());
    for (size_t i = 0; i < t.names.size(); ++i) FUZZ_CHECK(back.names[i] == t.names[i]);

    // A match between the two first lines, every result.
    const int last = static_cast<int>(t.names.size()) - 1;
    const int white = match_rating(t, 0, t.names[0]);
    const int black = match_rating(t, last, t.names[last]);
    for (int result = 0; result <= 2; ++result) {
        const RatingUpdate u = update_ratings(white, black, result);
        FUZZ_CHECK(u.applied == (white > 0 && black > 0));
    }
    FUZZ_CHECK(!delete_player(t, 0));
    const size_t before = t.names.size();
    FUZZ_CHECK(add_player(t, "Mister X", 1800) && t.names.size() == before + 1);
    FUZZ_CHECK(t.ratings.back() == "1800" && delete_player(t, last + 1));
    FUZZ_CHECK(t.names.size() == before && t.ratings.size() == before);
    return 0;
}
