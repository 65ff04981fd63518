// Game files: byte layout, round trips, settings and refusals.
#include <gtest/gtest.h>

#include <cstring>

#include "common/case_name.h"
#include "files/game_file.h"
#include "files/temp_dir.h"
#include "game/play_helpers.h"

namespace qv {
namespace {

class GameFile : public test::TempDirTest {};

using test::CountingHost;

TEST_F(GameFile, LayoutAndByteForByteRoundTrip) {
    test::fresh_game();
    test::play_pseudo_random(37, 11);
    select_level(13);
    game.language = 4;
    game.table_size_setting = 700;
    ASSERT_TRUE(save(dir / "g.dam", "10"));
    const std::string bytes = get("g.dam");
    ASSERT_EQ(bytes.size(), GAME_FILE_SIZE);
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 37);
    EXPECT_EQ(static_cast<uint8_t>(bytes[22440]), 37);
    EXPECT_EQ(static_cast<uint8_t>(bytes[22441]), BLACK);
    EXPECT_EQ(static_cast<uint8_t>(bytes[OFFSET_LEVEL_INDEX]), 13);
    EXPECT_EQ(static_cast<uint8_t>(bytes[OFFSET_LANGUAGE]), 4);
    int32_t v;
    std::memcpy(&v, bytes.data() + OFFSET_TIME_BUDGET, 4);
    EXPECT_EQ(v, 540);
    std::memcpy(&v, bytes.data() + OFFSET_CLOCK_LIMIT, 4);
    EXPECT_EQ(v, 598);
    std::memcpy(&v, bytes.data() + OFFSET_MINUTES, 4);
    EXPECT_EQ(v, 10);
    std::memcpy(&v, bytes.data() + OFFSET_TABLE_SIZE, 4);
    EXPECT_EQ(v, 700);
    EXPECT_EQ(game.game_record[0].squares[0], OFF_BOARD);  // 10 again in memory

    const GameState saved = game;
    test::fresh_game();
    game.language = 2;
    clocks.control_index = 0;
    ASSERT_TRUE(read_game_file(dir / "g.dam"));
    after_game_read();
    EXPECT_EQ(clocks.control_index, 3) << "level 13 plays with the third time control";
    EXPECT_EQ(0, std::memcmp(game.game_record, saved.game_record, sizeof saved.game_record));
    ASSERT_EQ(game.list_lines.size(), saved.list_lines.size());
    // The rebuilt list's last half line has no trailing blank.
    EXPECT_EQ(game.list_lines.back() + " ", saved.list_lines.back());
    EXPECT_EQ(game.side_after_last_move, saved.side_after_last_move);
    EXPECT_EQ(game_file_bytes(), bytes);
}

TEST_F(GameFile, SavedWhileSteppedBackReopensThere) {
    test::fresh_game();
    test::play_pseudo_random(10, 5);
    const GameState full = game;
    reprise(2000);
    reprise(2000);
    reprise(2000);
    ASSERT_TRUE(save(dir / "back.dam", "3"));
    test::fresh_game();
    ASSERT_TRUE(ouvre(dir / "back.dam"));
    EXPECT_EQ(game.current_ply, 7);
    EXPECT_EQ(game.last_ply, 10);
    EXPECT_EQ(game.side_to_move, BLACK);
    EXPECT_EQ(0, std::memcmp(board + 1, full.game_record[7].squares + 1, 32));
    EXPECT_EQ(game.list_lines.size(), 5u);
    avancer(2100);
    avancer(2100);
    avancer(2100);
    EXPECT_EQ(game.current_ply, 10);
    EXPECT_EQ(0, std::memcmp(board + 1, full.game_record[10].squares + 1, 32));
}

TEST_F(GameFile, ZeroLevelPairGivesDefaults) {
    test::fresh_game();
    std::string bytes = game_file_bytes();
    std::memset(bytes.data() + OFFSET_TIME_BUDGET, 0, 4);
    bytes[OFFSET_LEVEL_INDEX] = 2;
    bytes[OFFSET_LANGUAGE] = 5;
    put("zero.dam", bytes);
    clocks = ClockState{};
    select_level(8);
    ASSERT_TRUE(read_game_file(dir / "zero.dam"));
    EXPECT_EQ(clocks.time_budget, 160);
    EXPECT_EQ(clocks.clock_limit, 178);
    EXPECT_EQ(clocks.nb_minutes, 3);
    EXPECT_EQ(clocks.level_index, 5);
    EXPECT_EQ(game.language, 1);
}

TEST_F(GameFile, OuvreKeepsLanguageAndTableSizeResumeAppliesTableSize) {
    test::fresh_game();
    game.language = 3;
    game.table_size_setting = 0;
    ASSERT_TRUE(write_game_file(dir / "last32.dam"));
    game.language = 0;
    game.table_size_setting = 350;
    ASSERT_TRUE(ouvre(dir / "last32.dam"));
    EXPECT_EQ(game.language, 0);
    EXPECT_EQ(game.table_size_setting, 350);
    ASSERT_TRUE(resume_game(dir / "last32.dam"));
    EXPECT_EQ(game.language, 0);
    EXPECT_EQ(game.table_size_setting, 100);          // 0 read becomes 100
    ASSERT_TRUE(read_game_file(dir / "last32.dam"));  // start-up read: the language comes back
    EXPECT_EQ(game.language, 3);
}

TEST_F(GameFile, QuitterWritesTheResumeFileWithoutLeftovers) {
    test::fresh_game();
    test::play_pseudo_random(4, 1);
    ASSERT_TRUE(quitter(dir, "7"));
    EXPECT_EQ(get("last32.dam").size(), GAME_FILE_SIZE);
    EXPECT_FALSE(std::filesystem::exists(dir / "last32.dam.tmp"));
    EXPECT_EQ(clocks.nb_minutes, 7);
}

struct Damage {
    const char* what;
    size_t offset;  // SIZE_MAX: change the length instead
    int value;      // a byte value, or the new length
};
class DamagedFile : public GameFile, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedFile, IsRefusedAndTheGameInHandStays) {
    test::fresh_game();
    test::play_pseudo_random(6, 9);
    std::string bytes = game_file_bytes();
    const Damage d = GetParam();
    if (d.offset == SIZE_MAX)
        bytes.resize(static_cast<size_t>(d.value), 'x');
    else
        bytes[d.offset] = static_cast<char>(d.value);
    put("bad.dam", bytes);

    test::fresh_game();
    test::play("23-19");
    const GameState before = game;
    CountingHost h;
    set_host(&h);
    EXPECT_FALSE(ouvre(dir / "bad.dam")) << d.what;
    set_host(nullptr);
    EXPECT_EQ(h.errors, 1);
    EXPECT_EQ(h.last, Msg::CANNOT_OPEN_FILE);
    EXPECT_EQ(0, std::memcmp(game.game_record, before.game_record, sizeof before.game_record));
    EXPECT_EQ(game.current_ply, before.current_ply);
    EXPECT_EQ(game.last_ply, before.last_ply);
    EXPECT_EQ(game.list_lines, before.list_lines);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFile,
    ::testing::Values(Damage{"short", SIZE_MAX, 22441}, Damage{"long", SIZE_MAX, 22443},
                      Damage{"empty", SIZE_MAX, 0}, Damage{"piece code 5", 88 * 3 + 17, 5},
                      Damage{"piece code 255", 5, 255}, Damage{"255 plies", 0, 255},
                      Damage{"current beyond last", 22440, 7}, Damage{"side to move 2", 22441, 2},
                      Damage{"from square 33", 88 * 2 + 34, 33}),
    qv::test::NameBy<&Damage::what>());

// In a 254-ply game the settings sit where the last moves' squares are.
TEST_F(GameFile, SettingsReadAsTheLastMovesMustStillBeSquares) {
    test::fresh_game();
    std::string bytes = game_file_bytes();
    bytes[0] = static_cast<char>(254);
    bytes[OFFSET_LEVEL_INDEX] = static_cast<char>(200);
    put("long.dam", bytes);
    test::CountingHost h;
    set_host(&h);
    EXPECT_FALSE(ouvre(dir / "long.dam"));
    bytes[OFFSET_LEVEL_INDEX] = 13;
    put("long.dam", bytes);
    EXPECT_TRUE(ouvre(dir / "long.dam"));
    set_host(nullptr);
    EXPECT_EQ(game.last_ply, 254);
    EXPECT_EQ(game.list_lines.size(), 127u);
}

TEST_F(GameFile, MissingFileIsReported) {
    test::fresh_game();
    CountingHost h;
    set_host(&h);
    EXPECT_FALSE(read_game_file(dir / "none.dam"));  // writers' refusals: refusal_test
    set_host(nullptr);
    EXPECT_EQ(h.errors, 1);
}

}  // namespace
}  // namespace qv
