// quorvel-cli analyse: the lines in game order, the summary, a run that repeats itself, and
// the annotated PDN read back by the program's own reader.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "board/file_io.h"
#include "cli_run.h"
#include "files/temp_dir.h"
#include "files/text_game.h"

namespace qv::test {
namespace {

// Sixteen plies of a game played by the program against itself; Black's 7... 05-10 loses a
// man.
constexpr const char* GAME =
    "[Event \"selfplay\"]\n[White \"first\"]\n[Black \"second\"]\n[Result \"*\"]\n\n"
    "1. 23-19 10-13 2. 21-18 12-15 3. 19x12 08x15 4. 28-23 13-17 5. 18-13 09x18 6. 22x13 11-14 "
    "7. 13-09 05-10 8. 26-21 17x26 *\n";

using CliAnalyse = TempDirTest;

TEST_F(CliAnalyse, LinesInGameOrderThenSummaryAndTheSameOnEveryRun) {
    put("game.pdn", GAME);
    const std::string args = "analyse " + (dir / "game.pdn").string() + " --depth 4 --lang fr";
    const CliRun first = run_cli(args);
    ASSERT_EQ(first.status, 0);
    const std::vector<std::string> lines = split_lines(first.out);
    ASSERT_EQ(lines.size(), 17u) << first.out;
    const char* starts[] = {" 1 Blanc: joué : 23-19", " 1 Noir : joué : 10-13",
                            " 2 Blanc: joué : 21-18", " 5 Noir : joué : 09-18"};
    const size_t at[] = {0, 1, 2, 9};
    for (int k = 0; k < 4; ++k) {
        const std::string& l = lines[at[k]];
        const size_t skip = l[0] == '*' ? 1 : 0;  // a marked line
        EXPECT_EQ(l.substr(skip, std::string(starts[k]).size()), starts[k]) << l;
    }
    EXPECT_EQ(lines[13].rfind("* 7 Noir : joué : 05-10; score", 0), 0u) << "the lost man";
    EXPECT_EQ(lines[16].rfind("analysed 16 positions, ", 0), 0u) << lines[16];
    EXPECT_EQ(run_cli(args).out, first.out);
}

TEST_F(CliAnalyse, WritesAnnotatedPdnThatReadsBackAsTheSameGame) {
    put("game.pdn", GAME);
    const CliRun r = run_cli("analyse " + (dir / "game.pdn").string() + " --depth 4 --pdn " +
                             (dir / "out.pdn").string());
    ASSERT_EQ(r.status, 0);
    TextGame in, out;
    TextProblem why;
    ASSERT_TRUE(parse_text_game(GAME, 0, in, why)) << why.text;
    ASSERT_TRUE(parse_text_game(get("out.pdn"), 0, out, why)) << why.text;
    EXPECT_EQ(out.plies, in.plies);
    // One comment and one variation for each marked line.
    int positions = 0, marked = -1;
    ASSERT_EQ(std::sscanf(r.out.c_str() + r.out.rfind("analysed"),
                          "analysed %d positions, %d marked", &positions, &marked),
              2);
    const std::string pdn = get("out.pdn");
    int comments = 0, variations = 0;
    for (size_t i = pdn.find("{best "); i != std::string::npos; i = pdn.find("{best ", i + 1))
        ++comments;
    for (size_t i = 0; i + 1 < pdn.size(); ++i)
        variations += pdn[i] == '(' && std::isdigit(static_cast<unsigned char>(pdn[i + 1]));
    EXPECT_GE(marked, 1);
    EXPECT_EQ(comments, marked);
    EXPECT_EQ(variations, marked);
}

TEST_F(CliAnalyse, RefusesBadUsageAndUnreadableGames) {
    put("game.pdn", GAME);
    const std::string file = (dir / "game.pdn").string();
    for (const std::string args :
         {"", " --depth 3 --time 1", " --lang de", " --depth 0", " --game", " --pdn"})
        EXPECT_EQ(run_cli("analyse " + (args.empty() ? "" : file + args)).status, 2) << args;
    EXPECT_EQ(run_cli("analyse " + (dir / "missing.pdn").string()).status, 1);
    EXPECT_EQ(run_cli("analyse " + file + " --game 3").status, 1);
    put("empty.pdn", "[Event \"x\"]\n\n*\n");
    EXPECT_EQ(run_cli("analyse " + (dir / "empty.pdn").string()).status, 1);
}

}  // namespace
}  // namespace qv::test
