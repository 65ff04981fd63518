// quorvel-cli as a user runs it: output format and exit status.
#include <gtest/gtest.h>

#include <string>

#include "cli_run.h"

namespace {

using qv::test::CliRun;
using qv::test::run_cli;

TEST(Cli, PerftPrintsEveryDepthThenRate) {
    const CliRun r = run_cli("perft 4");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find("leaves/s")),
              "perft 1 7\nperft 2 49\nperft 3 302\nperft 4 1469\n");
    EXPECT_NE(r.out.find("\nleaves/s "), std::string::npos);
    const CliRun plain = run_cli("perft 4 --plain");
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out.substr(0, plain.out.find("leaves/s")),
              r.out.substr(0, r.out.find("leaves/s")));
}

// The node total of `bench` is the search's signature: it changes, and this constant with it
// (the commit message saying so), only when the search is meant to change.
constexpr const char* BENCH_NODES = "Nodes searched: 6335126\n";

TEST(Cli, BenchGivesTheSearchSignature) {
    const CliRun r = run_cli("bench");
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(BENCH_NODES), std::string::npos) << r.out;
}

TEST(Cli, MovesAsFullPaths) {
    const CliRun r = run_cli("moves 'W:WK3:B6,7,14,15'");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "03x12x19x10x03\n03x10x19x12x03\n");
}

TEST(Cli, BadUsageExitsWithTwo) {
    const char* bad[] = {"",         "nonsense",           "perft", "perft x",         "perft 0",
                         "perft 99", "perft 3 'W:W40:B1'", "moves", "moves 'Q:W1:B2'", "moves a b"};
    for (const char* args : bad) EXPECT_EQ(run_cli(args).status, 2) << args;
    EXPECT_EQ(run_cli("--lang de perft 1").status, 2) << "a language that does not exist";
}

// Every command refuses a bad option in the same words, on the first line of its output.
TEST(Cli, BadOptionsAreRefusedInTheSameWords) {
    const std::pair<const char*, const char*> rows[] = {
        {"search W:W21:B1 --depth x",
         "search: --depth: expected a whole number from 1 to 30, not \"x\""},
        {"analyse a.dam --depth 3 --time 1", "analyse: --depth and --time exclude each other"},
        {"selfplay --games 2 --seed", "selfplay: --seed needs a value"},
        {"egdb play --games 2 --games 3", "egdb play: --games given twice"},
        {"show a.dam --colour red", "show: unknown option --colour"},
        {"convert a.dam", "convert: missing argument"},
        {"bench 3 4", "bench: unexpected \"4\""},
    };
    for (const auto& [args, line] : rows) {
        const CliRun r = run_cli(args, true);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), line) << args;
    }
}

// The search's progress is worded in English unless --lang asks for another language.
struct LangCase {
    const char* option;
    const char* depth_line;
};

class SearchProgressWording : public testing::TestWithParam<LangCase> {};

TEST_P(SearchProgressWording, FirstLineOfTheFirstDepth) {
    const LangCase c = GetParam();
    const CliRun r =
        run_cli(std::string(c.option) + " search 'W:W21,22,23,24,25:B1,2,3,4,5' --depth 3");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.depth_line);
}

INSTANTIATE_TEST_SUITE_P(Cli, SearchProgressWording,
                         testing::Values(LangCase{"", "Depth:     1"},
                                         LangCase{"--lang fr", "Profondeur :     1"},
                                         LangCase{"--lang it", "Profondit\xC3\xA0:     1"}),
                         [](const testing::TestParamInfo<LangCase>& info) {
                             return std::string(info.index == 0 ? "Default"
                                                                : info.param.option + 7);
                         });

}  // namespace
