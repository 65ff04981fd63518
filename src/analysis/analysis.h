// The move-by-move review of the game in hand: the record is replayed backwards from its
// last position, every position is searched, and each move played gets one line that
// compares it with the best move found. The lines are data; analysis_text words them.
#pragma once

#include <cstdint>
#include <vector>

#include "board/board.h"
#include "board/movegen.h"
#include "eval/perfect_tables.h"
#include "game/game_record.h"
#include "search/search_state.h"

namespace qv {

// One judged move: the move played from the position at `ply` against the best move.
// Scores are as shown to the user (search scores halved toward zero), from the mover's view.
struct AnalysisLine {
    int ply = 0;
    int move_number = 0;  // ply / 2 + 1
    int mover = WHITE;
    GameMove played;
    int played_score = 0;
    GameMove best;
    int best_score = 0;
    bool marked = false;   // "*": a clearly better move existed
    int continuation = 0;  // moves of `reply` that hold a move (0..2)
    GameMove reply[2];     // the principal variation after the best move
    TableVerdict table_verdict = TableVerdict::none;
};

struct AnalysisState {
    int analysis_end_ply = 0;    // where the analysis started (the last position)
    int analysis_first_ply = 0;  // the same, kept for the export and the printout
    int analysis_ply = 0;        // the ply being analysed; line i belongs to analysis_ply + i
    uint8_t analysis_side = 0;   // the side to move at analysis_end_ply
    int16_t score_by_ply[RECORD_SIZE] = {};  // last_score found for each analysed position
    std::vector<AnalysisLine> lines;         // in game order (each new line goes on top)
    bool running = false;
};
extern AnalysisState analysis;

// How the analysis is searched: the level pair (time per position = time_budget / 30
// seconds), or a fixed depth, or no limit at all (the caller stops each phase).
struct AnalysisSettings {
    int32_t time_budget = 160;
    int32_t clock_limit = 178;
    int fixed_depth = 0;
    bool no_time_limit = false;
    bool learning_session = false;  // a budget below 500 is raised to 500
};

// What the analysis tells whoever shows it. Every call happens between two searches.
class AnalysisView {
  public:
    virtual ~AnalysisView() = default;
    virtual void analysis_started() {}                  // lists cleared, header shown
    virtual void phase_started(int ply) { (void)ply; }  // the position at `ply` is searched
    virtual void line_written(const AnalysisLine& line) { (void)line; }
    virtual void position_shown() {}  // board, clocks and current_ply changed
};

// The engine's view of one analysis line for the position at ply p: v the played move's
// value (prev), from the record and the search state left by choose_move.
AnalysisLine make_analysis_line(int p, int v, const Move& best);
// "*" rule on raw search scores: best beats played by more than 100 and neither is void.
bool is_marked(int best_raw, int played_value);

// Runs the whole analysis of the game in hand up to current_ply (nothing when it is 0).
// Stops early when fin_analyse is called meanwhile (from the view or the host's events).
// Returns false when there was nothing to analyse.
bool Analyser(const AnalysisSettings& settings, AnalysisView* view = nullptr);
// Ends the analysis: the current search stops and no further position is searched.
void fin_analyse();

// The side to move at game ply q as the analysis sees it (parity from analysis_end_ply).
int analysis_side_at(int ply);
// Going to a line: the game ply of list line i, or -1 when the line is not a position of
// the analysed game.
int analysis_line_ply(int line_index);
// Takes the game to `ply` (position, clocks, current_ply, side to move).
void restore_analysed_ply(int ply);

}  // namespace qv
