// quorvel-cli: each command lives in its own file and registers itself here.
#pragma once

#include <string>
#include <string_view>

namespace qv {
struct LoadProblem;
}

namespace qv::cli {

// A command gets its arguments after the command name. It returns the exit status:
// 0 done, 1 failed (bad or unreadable input), 2 bad usage.
using CommandFn = int (*)(int argc, char** argv);

struct Command {
    const char* name;
    const char* usage;  // one line: "perft DEPTH [FEN]"
    CommandFn run;
};

// Registration happens in static initialisers of the command files.
struct Register {
    explicit Register(const Command& c);
};

// Prints "usage: ..." for the named command (or all) to standard error; returns 2.
int usage(std::string_view command = {});

// Parses a whole decimal integer; false if `text` is not one or lies outside [lo, hi].
bool parse_int(std::string_view text, long lo, long hi, long& value);

// Loads FEN `text` into board; prints the parser's message and returns false if bad.
bool load_fen_argument(const char* text, int& side_to_move);

// What went wrong loading a game file, in words ("game 0, move 4: 27x18 is not a legal move").
std::string load_problem_text(const LoadProblem& problem);

}  // namespace qv::cli
