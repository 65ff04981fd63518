// quorvel-cli: each command lives in its own file and registers itself here.
#pragma once

#include <string>
#include <string_view>

#include "board/host.h"

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

// The language of the texts the commands word: English unless "--lang fr|en|nl|pt|es|it".
int language();

// Words the engine's messages in language(): errors to standard error, fatal messages to
// standard output. Installed for every command; the search commands derive from it.
class TextHost : public Host {
  public:
    void show_error(Msg message) override;
    void report_fatal(Msg message) override;
};

// The host installed for every command (search commands put it back when they end).
TextHost& text_host();

// Loads FEN `text` into board; prints the parser's message and returns false if bad.
bool load_fen_argument(const char* text, int& side_to_move);

// What went wrong loading a game file, in words ("game 0, move 4: 27x18 is not a legal move").
std::string load_problem_text(const LoadProblem& problem);

}  // namespace qv::cli
