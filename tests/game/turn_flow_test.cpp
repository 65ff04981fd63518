// The game loop's decisions without the window: what a pass does, commands waiting for a
// search and the command locks.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "common/case_name.h"
#include "game/game_record.h"
#include "game/turn_flow.h"

namespace qv {
namespace {

using Setter = void (*)();
const std::pair<std::string, Setter> WORDS[] = {
    {"to_move", [] { game.computer_to_move = 1; }},
    {"two_people", [] { game.vs_computer = 0; }},
    {"requested", [] { game.computer_requested = 1; }},
    {"setup", [] { game.setup_mode = 1; }},
    {"rated", [] { game.game_state = RATED_MATCH; }},
    {"reported", [] { game.game_state = RATED_MATCH_REPORTED; }},
    {"ply11", [] { game.current_ply = 11; }},
    {"self_play", [] { set_option(Option::self_play, true); }},
    {"ponder", [] { set_option(Option::ponder, true); }},
    {"skip", [] { game.skip_ponder = 1; }},
    {"pondered", [] { flow.pondered = 1; }},
    {"searching", [] { flow.searching = 1; }},
    {"session", [] { game.learning_session = true; }},
    {"analysis", [] {}},  // an argument of the functions
};

// A fresh game (person against the computer, White to move), then the state named by the
// words of `state`.
void set_state(const std::string& state) {
    game = GameState{};
    flow = TurnFlow{};
    game.skip_ponder = 0;
    std::istringstream words(state);
    for (std::string w; words >> w;) {
        const auto* it = std::find_if(std::begin(WORDS), std::end(WORDS),
                                      [&w](const auto& word) { return word.first == w; });
        ASSERT_NE(it, std::end(WORDS)) << "unknown word " << w;
        it->second();
    }
}

// What a pass does in that state (the turn step, "idle" when the loop may wait for an
// event), then the command groups the state leaves shut, the rated-match buttons it shows
// and the page it hides.
std::string outcome(const std::string& state) {
    set_state(state);
    const bool analysis = state.find("analysis") != std::string::npos;
    const CommandLocks l = command_locks(analysis);
    begin_pass();
    const char* steps[] = {"none", "person", "ponder", "computer"};
    std::string s = steps[static_cast<int>(turn_step(analysis))];
    if (loop_idle(false, analysis)) s += " idle";
    EXPECT_FALSE(loop_idle(true, analysis)) << "a click waits to be handled";
    const bool on[] = {!l.file_menu,     !l.edit_menu,       !l.players_menu,
                       !l.analysis_menu, !l.openings_menu,   !l.level_menu,
                       !l.learning_menu, !l.start_session,   !l.load_lessons,
                       !l.game_commands, !l.match_options,   !l.problem_page_enabled,
                       l.resign_shown,   l.draw_offer_shown, !l.problem_page_shown};
    const char* names[] = {"file",         "edit",          "players",       "analysis",
                           "openings",     "level",         "learning",      "start_session",
                           "load_lessons", "game_commands", "match_options", "problem_page",
                           "resign_shown", "draw_shown",    "page_hidden"};
    for (size_t i = 0; i < std::size(on); ++i)
        if (on[i]) s += std::string(" ") + names[i];
    return s;
}

struct FlowCase {
    const char* name;
    const char* state;
    const char* outcome;
};
class Flow : public ::testing::TestWithParam<FlowCase> {};

TEST_P(Flow, PassAndLocksFollowTheState) {
    EXPECT_EQ(outcome(GetParam().state), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Flow,
    ::testing::Values(
        FlowCase{"person_waits_all_open", "", "person idle"},
        FlowCase{"ponder_ticked_thinks", "ponder", "ponder"},
        FlowCase{"big_capture_skips_ponder", "ponder skip", "person idle"},
        FlowCase{"pondered_once_a_turn", "ponder pondered", "person idle"},
        FlowCase{"pondering_locks_nothing", "ponder searching", "ponder"},
        FlowCase{"two_people_never_ponder", "ponder two_people", "person idle"},
        FlowCase{"two_people_ignore_the_mark", "to_move two_people", "person idle"},
        FlowCase{"set_up_asks_the_computer", "requested", "computer"},
        FlowCase{"set_up_mode_plays_nobody", "setup to_move ponder", "none idle openings"},
        FlowCase{"computer_to_move", "to_move", "computer problem_page"},
        FlowCase{"computer_searching", "to_move searching",
                 "computer file edit players analysis game_commands problem_page"},
        FlowCase{"self_play_keeps_the_file_menu", "self_play to_move searching",
                 "computer edit players analysis game_commands problem_page"},
        FlowCase{"learning_session", "session self_play", "computer start_session"},
        FlowCase{"rated_match", "rated",
                 "person idle file players analysis openings start_session match_options "
                 "problem_page resign_shown draw_shown page_hidden"},
        FlowCase{"rated_after_ply_10_locks_the_level", "rated ply11",
                 "person idle file players analysis openings level start_session match_options "
                 "problem_page resign_shown draw_shown page_hidden"},
        FlowCase{"rated_match_reported", "reported ply11", "person idle resign_shown"},
        FlowCase{"analysis_no_ponder", "ponder searching analysis",
                 "person idle file edit players openings level learning start_session "
                 "load_lessons"},
        FlowCase{"session_analysis_keeps_stop", "searching analysis session",
                 "person idle file edit players openings level start_session load_lessons"}),
    test::RowName());

TEST(TurnFlow, PonderingOnceAPersonsTurnUntilTheComputerHasMoved) {
    set_state("ponder");
    turn_step_done(turn_step(false));
    EXPECT_EQ(turn_step(false), TurnStep::person);
    game.computer_to_move = 1;
    turn_step_done(turn_step(false));
    game.computer_to_move = 0;
    EXPECT_EQ(turn_step(false), TurnStep::ponder);
}

// Commands pressed during a search wait for it, once each and in the order pressed; the
// editors (after_move) let the computer finish its own search but stop pondering.
TEST(TurnFlow, CommandsPressedDuringASearchWaitForIt) {
    set_state("to_move");
    EXPECT_FALSE(defer_command(Command::resign, Wait::abandon).deferred) << "no search";
    flow.searching = 1;
    EXPECT_EQ(defer_command(Command::take_back, Wait::abandon).stop, StopRequest::abandon);
    EXPECT_EQ(defer_command(Command::propose_draw, Wait::stop).stop, StopRequest::stop);
    defer_command(Command::take_back, Wait::stop);  // pressed again: it waits once
    EXPECT_EQ(defer_command(Command::load_lessons, Wait::after_move).stop, StopRequest::none);
    game.computer_to_move = 0;
    EXPECT_EQ(defer_command(Command::load_parameters, Wait::after_move).stop, StopRequest::stop);
    queue_command(Command::session_game_over);
    for (Command c : {Command::take_back, Command::propose_draw, Command::load_lessons,
                      Command::load_parameters, Command::session_game_over})
        EXPECT_EQ(next_deferred(), c);
    EXPECT_EQ(next_deferred(), std::nullopt);
}

}  // namespace
}  // namespace qv
