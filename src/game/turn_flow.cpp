// The game loop's decisions, the commands waiting for a search and the command locks.
#include "game/turn_flow.h"

#include <algorithm>

#include "game/game_record.h"

namespace qv {

TurnFlow flow;

namespace {

bool person_to_move() {
    return game.computer_to_move == 0 || game.vs_computer == 0;
}

bool ponder_due(bool analysis_running) {
    return flow.options.ponder && !game.skip_ponder && !flow.pondered && game.vs_computer &&
           !analysis_running;
}

}  // namespace

namespace {

// Where each option is kept: the game's own fields or the flow's.
bool& option_field(Option o) {
    switch (o) {
        case Option::self_play:
            return game.computer_vs_computer;
        case Option::ponder:
            return flow.options.ponder;
        case Option::stop_on_click:
            return game.stop_on_click;
        case Option::decompose_captures:
            return flow.options.decompose_captures;
        case Option::beep_each_move:
            return flow.options.beep_each_move;
        case Option::other_sounds:
            break;
    }
    return flow.options.other_sounds;
}

}  // namespace

bool option(Option o) {
    return option_field(o);
}

void set_option(Option o, bool on) {
    option_field(o) = on;
}

void begin_pass() {
    if (game.computer_requested) game.computer_to_move = 1;
    if (game.computer_vs_computer) game.computer_to_move = 1;
}

TurnStep turn_step(bool analysis_running) {
    if (game.setup_mode) return TurnStep::none;
    if (person_to_move() && !game.computer_requested)
        return ponder_due(analysis_running) ? TurnStep::ponder : TurnStep::person;
    return TurnStep::computer;
}

void turn_step_done(TurnStep step) {
    if (step == TurnStep::ponder) flow.pondered = 1;
    if (step == TurnStep::computer) flow.pondered = 0;
}

void end_pass() {
    game.computer_requested = 0;
}

bool loop_idle(bool pending_click, bool analysis_running) {
    if (pending_click || game.computer_requested || !flow.deferred.empty()) return false;
    if (game.computer_vs_computer) return false;
    if (game.setup_mode) return true;
    if (!person_to_move()) return false;
    return !ponder_due(analysis_running);
}

void queue_command(Command c) {
    if (std::find(flow.deferred.begin(), flow.deferred.end(), c) == flow.deferred.end())
        flow.deferred.push_back(c);
}

Deferral defer_command(Command c, Wait how) {
    Deferral d;
    if (!flow.searching) return d;
    d.deferred = true;
    queue_command(c);
    if (how == Wait::after_move && game.computer_to_move) return d;
    d.stop = how == Wait::abandon ? StopRequest::abandon : StopRequest::stop;
    return d;
}

std::optional<Command> next_deferred() {
    if (flow.deferred.empty()) return std::nullopt;
    const Command c = flow.deferred.front();
    flow.deferred.erase(flow.deferred.begin());
    return c;
}

CommandLocks command_locks(bool analysis_running) {
    const bool rated = game.game_state == RATED_MATCH;
    const bool computer_searching = flow.searching && game.computer_to_move;
    const bool self_play = game.computer_vs_computer;
    CommandLocks l;
    l.file_menu = !rated && !(computer_searching && !self_play) && !analysis_running;
    l.edit_menu = !computer_searching && !analysis_running;
    l.players_menu = !rated && !computer_searching && !analysis_running;
    l.analysis_menu = !rated && !computer_searching;
    // The opening lists' lines start from the start position, not from a set-up one.
    l.openings_menu = !rated && !analysis_running && !game.setup_mode;
    l.level_menu = !(rated && game.current_ply > 10) && !analysis_running;
    // During a learning session's analysis "Arrêter la session" stays at hand.
    l.learning_menu = !analysis_running || game.learning_session;
    // A session would turn the match into unrated play, a way out of a lost match.
    l.start_session = !rated && !game.learning_session && !analysis_running;
    l.load_lessons = !analysis_running;
    l.game_commands = !computer_searching;
    l.match_options = !rated;
    l.resign_shown = rated || game.game_state == RATED_MATCH_REPORTED;
    l.draw_offer_shown = rated;
    l.problem_page_shown = !rated;
    // Set-up would give the person an extra move in a match or while the computer is to move.
    l.problem_page_enabled =
        !rated && !(game.vs_computer && game.computer_to_move && !game.setup_mode);
    return l;
}

}  // namespace qv
