// The analysis of real games with the real search at small fixed depths.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/analysis_text.h"
#include "board/board.h"
#include "board/host.h"
#include "common/state_guard.h"
#include "files/text_game.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "search/book.h"
#include "search/book_edit.h"
#include "search/driver.h"
#include "search/engine_start.h"
#include "search/tt.h"

namespace qv {
namespace {

// Records what the analysis tells its view.
struct Recorder : AnalysisView {
    int started = 0;
    std::vector<int> phases;
    std::vector<AnalysisLine> written;
    std::function<void()> on_line;
    void analysis_started() override { ++started; }
    void phase_started(int ply) override { phases.push_back(ply); }
    void line_written(const AnalysisLine& l) override {
        written.push_back(l);
        if (on_line) on_line();
    }
};

// Calls `on_poll` each time the search lets the window handle its events.
struct PollingHost : Host {
    std::function<void()> on_poll;
    void process_events() override {
        if (on_poll) on_poll();
    }
};

GameMove by_labels(int from, int to) {
    return {static_cast<uint8_t>(square_of_label(from)), static_cast<uint8_t>(square_of_label(to)),
            0};
}

bool same(const GameMove& a, const GameMove& b) {
    return a.from == b.from && a.to == b.to;
}

class AnalyserTest : public ::testing::Test {
  protected:
    test::StateGuard guard_;
    void SetUp() override {
        start_engine();
        clear_table();
        search.library_enabled = 0;
        search.last_score = 0;
        search.analysis_mode = 0;
        analysis = AnalysisState{};
        game = GameState{};
        clocks = ClockState{};
    }
    // A game as PDN text into the game in hand, at its last ply.
    void load(const std::string& pdn) {
        TextGame tg;
        TextProblem why;
        ASSERT_TRUE(parse_text_game(pdn, 0, tg, why)) << why.text;
        ASSERT_TRUE(load_text_game(tg, 1000, why)) << why.text;
        ASSERT_EQ(game.current_ply, tg.plies.size());
    }
    bool run(int depth, AnalysisView* view) {
        AnalysisSettings s;
        s.fixed_depth = depth;
        return Analyser(s, view);
    }
};

// Ten plies of a game the program played against itself at depth 2.
constexpr const char* OPENING =
    "[Event \"selfplay\"]\n\n1. 23-19 10-13 2. 21-18 12-15 3. 19x12 08x15 4. 28-23 13-17 "
    "5. 18-13 09x18 *\n";

// From the same game, two plies later: White plays 13-09, and Black's 05-10 loses a man
// (07-11 kept the balance).
constexpr const char* BLUNDER =
    "[FEN \"W:W13,23,24,25,26,27,29,30,31,32:B1,2,3,4,5,6,7,14,15,17\"]\n\n1. 13-09 05-10 *\n";

// White wins the last black man: 22-18, Black's only move 09-13, then 18x09.
constexpr const char* LAST_PIECE = "[FEN \"W:W22,31:B9\"]\n\n1. 22-18 09-13 2. 18x09 *\n";

TEST_F(AnalyserTest, GameOfOneMoveSearchesTheFinalPositionTwiceAndWritesOneLine) {
    load("[Event \"x\"]\n\n1. 23-19 *\n");
    Recorder view;
    ASSERT_TRUE(run(4, &view));
    EXPECT_EQ(view.started, 1);
    EXPECT_EQ(view.phases, (std::vector<int>{1, 1, 0}));
    ASSERT_EQ(analysis.lines.size(), 1u);
    const AnalysisLine& l = analysis.lines[0];
    EXPECT_EQ(l.ply, 0);
    EXPECT_EQ(l.move_number, 1);
    EXPECT_EQ(l.mover, WHITE);
    EXPECT_TRUE(same(l.played, by_labels(23, 19)));
    const std::string text = analysis_long_line(0, l);
    EXPECT_EQ(text.substr(0, text.find("score")),
              std::string(l.marked ? "*" : "") + " 1 Blanc: joué : 23-19; ")
        << text;
    // Back at the start, White to move, the analysis over.
    EXPECT_EQ(game.current_ply, 0);
    EXPECT_EQ(game.side_to_move, WHITE);
    EXPECT_EQ(search.analysis_mode, 0);
    EXPECT_FALSE(analysis.running);
}

// Raw scores: the played move's value is from the opponent's side, so a best move of +120
// against a played value of -10 (+10 for the mover) is 110 better.
TEST(AnalysisMark, MoreThanAHundredRawPointsBetterAndNeitherVoid) {
    const struct {
        int best_raw, played_value;
        bool marked;
    } rows[] = {{101, 0, true},   {100, 0, false},       {120, -10, true},      {110, -10, false},
                {-40, 141, true}, {31000, -20000, true}, {31000, -30000, false}};
    for (const auto& r : rows)
        EXPECT_EQ(is_marked(r.best_raw, r.played_value), r.marked)
            << r.best_raw << " against " << r.played_value;
}

TEST_F(AnalyserTest, GameWithoutMoveDoesNothing) {
    load("[Event \"x\"]\n\n*\n");
    Recorder view;
    EXPECT_FALSE(run(4, &view));
    EXPECT_TRUE(view.phases.empty());
    EXPECT_TRUE(analysis.lines.empty());
}

TEST_F(AnalyserTest, LinesInGameOrderAndPlayedBestMovesScoreTheSame) {
    load(OPENING);
    Recorder view;
    ASSERT_TRUE(run(5, &view));
    ASSERT_EQ(analysis.lines.size(), 10u);
    EXPECT_EQ(view.written.size(), 10u);
    EXPECT_EQ(view.written.front().ply, 9) << "written from the last move back";
    int agreeing = 0;
    for (int p = 0; p < 10; ++p) {
        const AnalysisLine& l = analysis.lines[p];
        EXPECT_EQ(l.ply, p);
        EXPECT_EQ(l.move_number, p / 2 + 1);
        EXPECT_EQ(l.mover, p % 2 ? BLACK : WHITE);
        EXPECT_EQ(l.played.from, game.game_record[p + 1].from);
        EXPECT_EQ(l.played.to, game.game_record[p + 1].to);
        // "*" when the best move is more than 50 shown points better (raw scores are halved).
        if (l.marked) {
            EXPECT_GE(l.best_score - l.played_score, 50) << "ply " << p;
        }
        if (l.best_score - l.played_score > 51) {
            EXPECT_TRUE(l.marked) << "ply " << p;
        }
        if (!same(l.played, l.best)) continue;
        ++agreeing;
        EXPECT_EQ(l.played_score, l.best_score) << "ply " << p;
        EXPECT_FALSE(l.marked) << "ply " << p;
    }
    EXPECT_GE(agreeing, 3) << "captures and quiet moves the search agrees with";
    // The forced recaptures (19x12 08x15, 09x18) are the best moves by any search.
    EXPECT_TRUE(same(analysis.lines[4].best, analysis.lines[4].played));
    EXPECT_TRUE(same(analysis.lines[9].best, analysis.lines[9].played));
}

// With the library ticked, the lists answer early positions without a search; such a move has
// no score of its own, and a best move must never show worse than the move played.
TEST_F(AnalyserTest, BestMoveIsNeverWorseThanThePlayedOneWithTheLibraryOn) {
    load(OPENING);
    // For every ply, a line of the mover's list that follows the game, then leaves it.
    std::vector<GameMove> line{{}};
    for (int p = 0; p < 10; ++p) {
        const PlyRecord& next = game.game_record[p + 1];
        std::memcpy(board, game.game_record[p].squares, sizeof board);
        const int mover = p % 2 ? BLACK : WHITE;
        const int n = legal_moves(mover);
        for (int k = 0; k < n; ++k) {
            const Move& m = move_lists[1][k];
            if (m.from == next.from && m.to == next.to) continue;
            line.push_back({m.from, m.to, m.captures});
            book.lists[mover].push_back(book_line_of_game(line));
            line.pop_back();
            break;
        }
        line.push_back({next.from, next.to, next.capture_count});
    }
    for (auto& list : book.lists) std::sort(list.begin(), list.end());
    game.current_ply = 10;
    search.library_enabled = 1;
    ASSERT_TRUE(run(4, nullptr));
    for (const AnalysisLine& l : analysis.lines)
        EXPECT_GE(l.best_score, l.played_score) << "ply " << l.ply;
    EXPECT_EQ(search.library_enabled, 1) << "the switch is given back";
}

TEST_F(AnalyserTest, BlunderThatLosesAManIsMarkedWithTheBestLine) {
    load(BLUNDER);
    Recorder view;
    ASSERT_TRUE(run(8, &view));
    ASSERT_EQ(analysis.lines.size(), 2u);
    const AnalysisLine& blunder = analysis.lines[1];
    EXPECT_EQ(blunder.mover, BLACK);
    EXPECT_TRUE(same(blunder.played, by_labels(5, 10)));
    EXPECT_TRUE(blunder.marked);
    EXPECT_FALSE(same(blunder.best, blunder.played));
    EXPECT_LE(blunder.played_score, blunder.best_score - 500) << "about a man lost";
    EXPECT_EQ(blunder.continuation, 2);
    const std::string text = analysis_long_line(1, blunder);
    EXPECT_EQ(text.substr(0, 30), "* 1 Black played 05-10 (score ") << text;
    const std::string tail = std::string(" ->( ") + label(blunder.reply[0].from) + "-" +
                             label(blunder.reply[0].to) + " " + label(blunder.reply[1].from) + "-" +
                             label(blunder.reply[1].to) + " ....)";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(analysis_short_line(1, blunder).find("->"), std::string::npos);
    // The score of each position is kept for learning.
    EXPECT_EQ(analysis.score_by_ply[1] / 2, blunder.best_score);
}

TEST_F(AnalyserTest, LastPieceTakenStartsBeforeTheCaptureAndSingleMoveKeepsTheScore) {
    load(LAST_PIECE);
    Recorder view;
    ASSERT_TRUE(run(6, &view));
    EXPECT_EQ(analysis.analysis_end_ply, 2);
    EXPECT_EQ(analysis.analysis_side, WHITE);
    EXPECT_EQ(view.phases, (std::vector<int>{2, 2, 1, 0}));
    ASSERT_EQ(analysis.lines.size(), 3u);
    // The winning capture: the best move, valued as the win.
    const AnalysisLine& capture = analysis.lines[2];
    EXPECT_TRUE(same(capture.played, by_labels(18, 9)));
    EXPECT_TRUE(same(capture.best, capture.played));
    EXPECT_EQ(capture.played_score, capture.best_score);
    EXPECT_GT(capture.best_score, 15000);
    EXPECT_FALSE(capture.marked);
    // Black's only move is its own best move, with the value of what follows.
    const AnalysisLine& forced = analysis.lines[1];
    EXPECT_TRUE(same(forced.played, by_labels(9, 13)));
    EXPECT_TRUE(same(forced.best, forced.played));
    EXPECT_EQ(forced.played_score, forced.best_score);
    EXPECT_EQ(forced.best_score, -capture.best_score);
    EXPECT_EQ(analysis.score_by_ply[1], -analysis.score_by_ply[2]);
    EXPECT_FALSE(forced.marked);
    // The export keeps the deciding capture.
    EXPECT_EQ(analysis_export_count(game.current_ply), 3);
}

TEST_F(AnalyserTest, PauseThroughTheHostShortensEachPhaseButEveryLineIsWritten) {
    load(OPENING);
    PollingHost host;
    int polls = 0;
    host.on_poll = [&] {
        ++polls;
        pause();
    };
    set_host(&host);
    ASSERT_TRUE(run(12, nullptr));
    EXPECT_EQ(analysis.lines.size(), 10u);
    EXPECT_EQ(game.current_ply, 0);
    EXPECT_GT(polls, 0);
    for (const AnalysisLine& l : analysis.lines) EXPECT_NE(l.best.from, 0) << "ply " << l.ply;
}

TEST_F(AnalyserTest, FinAnalyseDuringASearchEndsAfterThatPositionsLine) {
    load(OPENING);
    PollingHost host;
    Recorder view;
    host.on_poll = [&] {
        if (view.phases.size() == 4) fin_analyse();  // the final position, then plies 10, 9, 8
    };
    set_host(&host);
    ASSERT_TRUE(run(6, &view));
    ASSERT_EQ(analysis.lines.size(), 2u) << "plies 9 and 8: the one being searched is kept";
    EXPECT_EQ(analysis.analysis_ply, 8);
    EXPECT_EQ(analysis_line_ply(0), 8);
    EXPECT_EQ(analysis_line_ply(2), 10);
    EXPECT_EQ(analysis_line_ply(3), -1);
    EXPECT_EQ(game.current_ply, 7);
    EXPECT_EQ(game.side_to_move, BLACK) << "Black moves from ply 7";
    EXPECT_EQ(search.analysis_mode, 0);
}

}  // namespace
}  // namespace qv
