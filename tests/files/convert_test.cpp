// quorvel-cli convert and show, run as a program.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <cstring>

#include "common/case_name.h"
#include "files/game_file.h"
#include "files/temp_dir.h"
#include "files/text_game.h"
#include "game/play_helpers.h"

namespace qv {
namespace {

class ConvertCommand : public test::TempDirTest {
  protected:
    // Runs quorvel-cli with `args`; returns its exit status, stdout and stderr in files.
    int run(const std::string& args) {
        const std::string cmd = std::string(QUORVEL_DATA_DIR) + "/quorvel-cli " + args + " >" +
                                (dir / "out").string() + " 2>" + (dir / "err").string();
        const int status = std::system(cmd.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string path(const char* name) { return (dir / name).string(); }
};

TEST_F(ConvertCommand, DamToPdnToTxtToDamKeepsTheGame) {
    test::fresh_game();
    game.white_name = "Anna";
    game.black_name = "Quorvel";
    test::play_pseudo_random(30, 12);
    ASSERT_TRUE(write_game_file(dir / "a.dam"));
    const GameState original = game;

    ASSERT_EQ(run("convert " + path("a.dam") + " " + path("a.pdn")), 0) << get("err");
    ASSERT_EQ(run("convert " + path("a.pdn") + " " + path("b.dam")), 0) << get("err");
    ASSERT_EQ(run("convert " + path("b.dam") + " " + path("b.txt")), 0) << get("err");
    ASSERT_EQ(run("convert " + path("b.txt") + " " + path("c.dam")), 0) << get("err");
    for (const char* f : {"b.dam", "c.dam"}) {
        test::fresh_game();
        ASSERT_TRUE(ouvre(dir / f));
        EXPECT_EQ(game.last_ply, 30) << f;
        EXPECT_EQ(game.white_name, "Anna");
        for (int p = 0; p <= 30; ++p)
            EXPECT_EQ(0, std::memcmp(game.game_record[p].squares + 1,
                                     original.game_record[p].squares + 1, 32))
                << f << " ply " << p;
    }
    ASSERT_EQ(run("show " + path("c.dam")), 0);
    EXPECT_NE(get("out").find("plies: 30"), std::string::npos) << get("out");
    EXPECT_NE(get("out").find("white: Anna"), std::string::npos);
}

TEST_F(ConvertCommand, GameChosenFromASeveralGameText) {
    put("many.txt",
        "Anna-Bruno  2-0\r\n 1.23-19 10-14  \r\n\r\nCarla-Dario\r\n 1.22-18 12-15  \r\n");
    ASSERT_EQ(run("convert " + path("many.txt") + " " + path("zero.pdn")), 0) << get("err");
    EXPECT_NE(get("zero.pdn").find("[Result \"1-0\"]"), std::string::npos);  // result kept
    ASSERT_EQ(run("convert " + path("many.txt") + " " + path("one.pdn") + " --game 1"), 0)
        << get("err");
    EXPECT_NE(get("one.pdn").find("[White \"Carla\"]"), std::string::npos);
    EXPECT_NE(get("one.pdn").find("1. 22-18 12-15 *"), std::string::npos);
    EXPECT_EQ(run("convert " + path("many.txt") + " " + path("x.pdn") + " --game 5"), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.pdn"));
}

struct BadInput {
    const char* name;
    std::string bytes;
    const char* out;
    int status;
};
class ConvertBadInput : public ConvertCommand, public ::testing::WithParamInterface<BadInput> {};

TEST_P(ConvertBadInput, MessageStatusAndNoOutputFile) {
    const BadInput b = GetParam();
    put(b.name, b.bytes);
    EXPECT_EQ(run("convert " + path(b.name) + " " + path(b.out)), b.status);
    EXPECT_FALSE(get("err").empty());
    EXPECT_FALSE(std::filesystem::exists(dir / b.out));
    EXPECT_FALSE(std::filesystem::exists(dir / (std::string(b.out) + ".tmp")));
}
INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertBadInput,
    ::testing::Values(BadInput{"short.dam", std::string(100, '\0'), "o.pdn", 1},
                      BadInput{"junk.dam", std::string(22442, '\x7f'), "o.txt", 1},
                      BadInput{"empty.txt", "", "o.dam", 1},
                      BadInput{"a.txt", "A-B\n1.23-19\n", "o.xyz", 1},
                      BadInput{"a.bin", "A-B\n1.23-19\n", "o.dam", 1},
                      BadInput{"fen.pdn", "[FEN \"W:W99\"]\n1. 22-18\n", "o.dam", 1}),
    qv::test::RowName());

TEST_F(ConvertCommand, MissingInputAndBadUsage) {
    EXPECT_EQ(run("convert " + path("none.dam") + " " + path("o.pdn")), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "o.pdn"));
    EXPECT_EQ(run("convert " + path("none.dam")), 2);
    EXPECT_EQ(run("show " + path("none.dam")), 1);
}

}  // namespace
}  // namespace qv
