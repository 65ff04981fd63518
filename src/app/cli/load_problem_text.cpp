// The CLI's words for a game that could not be loaded.
#include <string>

#include "app/cli/cli.h"
#include "files/any_game.h"

namespace qv::cli {

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// "games 0 to 2", "only game 0".
std::string numbers_that_exist(int games) {
    if (games <= 1) return "the only game is game 0";
    return "the games are numbered 0 to " + std::to_string(games - 1);
}

std::string text_problem(const TextProblem& p) {
    const std::string game = "game " + std::to_string(p.game);
    const std::string move = game + ", move " + std::to_string(p.move_number) + ": ";
    switch (p.error) {
        case TextError::none:
            return "no problem";
        case TextError::no_game:
            return "no game in this file";
        case TextError::no_such_game:
            return "there is no game " + std::to_string(p.game) + "; " +
                   numbers_that_exist(p.games);
        case TextError::bad_fen:
            return game + ": the FEN tag " + quoted(p.text) + " is not a position";
        case TextError::other_game_type:
            return game + ": GameType " + quoted(p.text) + " is not Italian draughts (22)";
        case TextError::unreadable_move:
            return move + quoted(p.text) + " cannot be read as a move";
        case TextError::illegal_move:
            return move + p.text + " is not a legal move";
    }
    return "unknown problem";
}

}  // namespace

std::string load_problem_text(const LoadProblem& problem) {
    switch (problem.failure) {
        case LoadFailure::none:
            return "no problem";
        case LoadFailure::unknown_kind:
            return "unknown file kind (expected .dam, .txt or .pdn)";
        case LoadFailure::cannot_open:
            return "cannot open the file";
        case LoadFailure::one_game_per_file:
            return "a game file holds one game: the only game is game 0";
        case LoadFailure::bad_game_file:
            return problem.detail;
        case LoadFailure::text:
            return text_problem(problem.text);
    }
    return "unknown problem";
}

}  // namespace qv::cli
