// quorvel-cli selfplay: openings played in pairs with colours swapped, the same games
// whatever the number of processes, the match statistics, and refused input.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "common/case_name.h"
#include "files/temp_dir.h"

namespace qv::test {
namespace {

std::vector<std::string> lines_starting(const std::string& text, const std::string& prefix) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0) out.push_back(line.substr(0, line.find(';')));
    std::sort(out.begin(), out.end());
    return out;
}

// Two small endings, so that the games are short.
constexpr const char* OPENINGS =
    "# two endings\n"
    "W:W22,23,26,27:B5,6,9,10\n"
    "\n"
    "B:W21,25,30:B3,7,11\r\n";

using CliSelfplay = TempDirTest;

TEST_F(CliSelfplay, PairsWithSwappedColoursAndTheSameGamesInParallel) {
    put("openings.fen", OPENINGS);
    const std::string common =
        "selfplay --games 4 --depth 3 --openings " + (dir / "openings.fen").string() + " --pdn ";
    const CliRun one = run_cli(common + (dir / "one.pdn").string());
    const CliRun three = run_cli(common + (dir / "three.pdn").string() + " --concurrency 3");
    ASSERT_EQ(one.status, 0) << one.out;
    ASSERT_EQ(three.status, 0) << three.out;
    EXPECT_EQ(lines_starting(one.out, "game "), lines_starting(three.out, "game "));
    EXPECT_EQ(lines_starting(one.out, "game ").size(), 4u);
    EXPECT_EQ(get("one.pdn"), get("three.pdn"));
    EXPECT_NE(one.out.find("2 openings, each played with both colours\n"), std::string::npos);
    // Games 1 and 2 start from the first ending, 3 and 4 from the second (Black to move).
    const std::string pdn = get("one.pdn");
    const auto fen_tags = lines_starting(pdn, "[FEN ");
    ASSERT_EQ(fen_tags.size(), 4u);
    EXPECT_EQ(std::count(fen_tags.begin(), fen_tags.end(), "[FEN \"B:W21,25,30:B3,7,11\"]\r"), 2);
    EXPECT_NE(pdn.find("[Round \"1\"]\r\n[White \"first\"]\r\n[Black \"second\"]"),
              std::string::npos);
    EXPECT_NE(pdn.find("[Round \"2\"]\r\n[White \"second\"]\r\n[Black \"first\"]"),
              std::string::npos);
    // The summary counts every game and gives an interval around the estimate.
    int w = -1, d = -1, l = -1;
    const size_t at = one.out.find("\nscore ");
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(std::sscanf(one.out.c_str() + at, "\nscore %d-%d-%d", &w, &d, &l), 3);
    EXPECT_EQ(w + d + l, 4);
    EXPECT_NE(one.out.find("\nelo "), std::string::npos);
    EXPECT_NE(one.out.find("95% interval ["), std::string::npos);
    EXPECT_NE(one.out.find("LOS "), std::string::npos);
}

TEST_F(CliSelfplay, OpeningsFromTheListsByDefault) {
    const CliRun r = run_cli("selfplay --games 2 --depth 1");
    ASSERT_EQ(r.status, 0);
    unsigned openings = 0;
    ASSERT_EQ(std::sscanf(r.out.c_str(), "%u openings", &openings), 1) << r.out;
    EXPECT_GT(openings, 20u);
    EXPECT_EQ(lines_starting(r.out, "game ").size(), 2u);
}

// White is a man up with several moves: the lowest level (depth 6 and its handicap) plays
// another first move than level 2 (depth 6 without it).
TEST_F(CliSelfplay, TheLowestLevelPlaysItsSecondChoiceWhenAhead) {
    put("ahead.fen", "W:W21,22,23,27,28:B5,6,10,11\n");
    std::string first_moves[2];
    for (int level : {0, 2}) {
        const std::string pdn = (dir / ("level" + std::to_string(level) + ".pdn")).string();
        const CliRun r = run_cli("selfplay --games 1 --level " + std::to_string(level) +
                                 " --vs-depth 1 --openings " + (dir / "ahead.fen").string() +
                                 " --draw-rule-from 60 --pdn " + pdn);
        ASSERT_EQ(r.status, 0) << r.out;
        const std::string text = get("level" + std::to_string(level) + ".pdn");
        const size_t at = text.find("\r\n\r\n1. ");
        ASSERT_NE(at, std::string::npos) << text;
        first_moves[level / 2] = text.substr(at + 7, 5);
    }
    EXPECT_NE(first_moves[0], first_moves[1]);
}

// Kings alone cannot win: a match may draw such games early, and scaled processor-time
// clocks still end every move.
TEST_F(CliSelfplay, EarlyDrawRuleAndScaledClocks) {
    put("kings.fen", "W:WK22:BK5\n");
    const CliRun r = run_cli(
        "selfplay --games 2 --level 5 --vs-level 3 --time-scale 0.001 "
        "--cpu-time --draw-rule-from 60 --openings " +
        (dir / "kings.fen").string());
    ASSERT_EQ(r.status, 0) << r.out;
    const auto games = lines_starting(r.out, "game ");
    ASSERT_EQ(games.size(), 2u);
    for (const std::string& g : games)
        EXPECT_NE(g.find("1/2-1/2 after 60 plies (draw rule)"), std::string::npos) << g;
}

struct RefusalCase {
    const char* name;
    const char* file_text;  // nullptr: no file
    const char* options;
    int status;
};
class SelfplayRefuses : public TempDirTest, public ::testing::WithParamInterface<RefusalCase> {};
TEST_P(SelfplayRefuses, WithItsExitStatus) {
    const RefusalCase& c = GetParam();
    if (c.file_text) put("openings.txt", c.file_text);
    const CliRun r = run_cli("selfplay --games 2 --depth 1 --openings " +
                             (dir / "openings.txt").string() + " " + c.options);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out.find("score "), std::string::npos);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, SelfplayRefuses,
    ::testing::Values(RefusalCase{"missing_file", nullptr, "", 1},
                      RefusalCase{"neither_fens_nor_games", "hello\nworld\n", "", 1},
                      RefusalCase{"illegal_game", "1. 23-18 *\n", "", 1},
                      RefusalCase{"no_processes", "W:W22:B5\n", "--concurrency 0", 2},
                      RefusalCase{"positions_in_parallel", "W:W22:B5\n", "--concurrency 2 --fens",
                                  2},
                      RefusalCase{"no_time_scale", "W:W22:B5\n", "--time-scale 0", 2},
                      RefusalCase{"draw_rule_too_early", "W:W22:B5\n", "--draw-rule-from 10", 2}),
    test::RowName());

}  // namespace
}  // namespace qv::test
