// Every reader against truncated, oversized and random files: refused, or read safely.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "files/game_file.h"
#include "files/temp_dir.h"
#include "files/text_game.h"
#include "game/play_helpers.h"
#include "game/players.h"

namespace qv {
namespace {

class Robustness : public test::TempDirTest {
  protected:
    test::CountingHost quiet;
    void SetUp() override {
        TempDirTest::SetUp();
        set_host(&quiet);
    }
    void TearDown() override {
        set_host(nullptr);
        TempDirTest::TearDown();
    }
};

std::string random_bytes(std::mt19937& rng, size_t n) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(rng() & 0xff);
    return s;
}

// Text-like noise: digits, separators, letters, blanks, brackets and line breaks.
std::string random_text(std::mt19937& rng, size_t n) {
    static const char alphabet[] = "0123456789-x. \r\n[]\"{}ABCDEFGHW:K,";
    std::string s(n, ' ');
    for (char& c : s) c = alphabet[rng() % (sizeof alphabet - 1)];
    return s;
}

// The game in hand is consistent: counters in range, pieces valid, one line per pair.
void expect_consistent() {
    EXPECT_LE(game.current_ply, game.last_ply);
    EXPECT_LE(game.last_ply, 254);
    for (int p = 0; p <= game.last_ply; ++p)
        for (int s = 1; s <= 32; ++s) ASSERT_LE(game.game_record[p].squares[s], BLACK_KING);
    EXPECT_EQ(static_cast<int>(game.list_lines.size()), (game.last_ply + 1) / 2);
    EXPECT_EQ(board[0], OFF_BOARD);
}

TEST_F(Robustness, GameFileReader) {
    test::fresh_game();
    test::play_pseudo_random(30, 4);
    const std::string good = game_file_bytes();
    std::mt19937 rng(12345);
    std::vector<std::string> samples;
    for (size_t n : {0u, 1u, 88u, 22439u, 22441u}) samples.push_back(good.substr(0, n));
    samples.push_back(good + "x");
    samples.push_back(good + std::string(100000, '\0'));
    for (int i = 0; i < 40; ++i) samples.push_back(random_bytes(rng, GAME_FILE_SIZE));
    // A good file with a few random bytes changed.
    for (int i = 0; i < 200; ++i) {
        std::string s = good;
        for (int k = 0; k < 3; ++k) s[rng() % s.size()] = static_cast<char>(rng() & 0xff);
        samples.push_back(s);
    }
    int refused = 0, read = 0;
    for (const std::string& s : samples) {
        put("f.dam", s);
        test::fresh_game();
        test::play("23-19");
        const GameState before = game;
        if (ouvre(dir / "f.dam")) {
            ++read;
            expect_consistent();
        } else {
            ++refused;
            EXPECT_EQ(0,
                      std::memcmp(game.game_record, before.game_record, sizeof before.game_record));
            EXPECT_EQ(game.last_ply, before.last_ply);
            EXPECT_EQ(game.list_lines, before.list_lines);
        }
    }
    EXPECT_GE(refused, 47);  // every wrong size and every random file
    EXPECT_GT(read, 0);      // some damaged files are still games
}

TEST_F(Robustness, TextAndPdnReader) {
    test::fresh_game();
    test::play_pseudo_random(40, 6);
    game.game_result = 1;
    const std::string text = text_game_bytes();
    const std::string pdn = pdn_bytes("2026.01.01");
    std::mt19937 rng(999);
    std::vector<std::string> samples;
    for (const std::string* src : {&text, &pdn})
        for (size_t n = 0; n <= src->size(); n += 7) samples.push_back(src->substr(0, n));
    for (int i = 0; i < 40; ++i) samples.push_back(random_bytes(rng, rng() % 3000));
    for (int i = 0; i < 40; ++i) samples.push_back(random_text(rng, rng() % 3000));
    for (int i = 0; i < 10; ++i) samples.push_back("[" + random_text(rng, 2000));
    std::string big;
    while (big.size() < 200000) big += text + "\r\n";
    samples.push_back(big);
    samples.push_back(std::string(70000, '['));
    samples.push_back(std::string(70000, '1') + ".");

    for (const std::string& s : samples) {
        put("t.pdn", s);
        std::string read;
        ASSERT_TRUE(read_text_file(dir / "t.pdn", read));
        ASSERT_LE(read.size(), TEXT_READ_LIMIT);
        const auto games = scan_text_games(read);
        EXPECT_EQ(choice_lines(games).size(), games.size());
        for (int g = 0; g < static_cast<int>(games.size()) && g < 3; ++g) {
            TextGame tg;
            TextProblem why;
            if (!parse_text_game(read, g, tg, why)) continue;
            EXPECT_LE(tg.plies.size(), static_cast<size_t>(MAX_IMPORT_PLIES));
            test::fresh_game();
            if (!load_text_game(tg, 1000, why)) continue;
            expect_consistent();
            EXPECT_LE(game.white_name.size(), 19u);
        }
    }
}

TEST_F(Robustness, PlayersReader) {
    std::mt19937 rng(7);
    PlayersTable good;
    good.names = {"Quorvel", "Anna"};
    good.ratings = {"2050", "1800"};
    const std::vector<std::pair<std::string, std::string>> samples = {
        {random_bytes(rng, 5000), random_bytes(rng, 300)}, {random_text(rng, 5000), std::string()},
        {std::string(), random_bytes(rng, 100)},           {"Quorvel\r\nAnna", "20"},
        {std::string(3 << 20, 'a'), "2050\r\n"},  // too large: refused
    };
    for (const auto& [names, ratings] : samples) {
        put("joueurs.dat", names);
        put("points.dat", ratings);
        PlayersTable t = good;
        if (read_players(dir, t)) {
            ASSERT_FALSE(t.names.empty());
            EXPECT_EQ(t.names.size(), t.ratings.size());
            for (const auto& n : t.names) {
                EXPECT_LE(n.size(), 19u);
                EXPECT_EQ(n.find_first_of("\r\n"), std::string::npos);
            }
            for (const auto& r : t.ratings) (void)rating_value(r);
        } else {
            EXPECT_EQ(t.names, good.names);
            EXPECT_EQ(t.ratings, good.ratings);
        }
    }
}

}  // namespace
}  // namespace qv
