// convert IN OUT [--game N]: a game between .dam, .txt and .pdn, chosen by extension.
#include <cstdio>
#include <string>

#include "app/cli/cli.h"
#include "app/cli/options.h"
#include "board/now.h"
#include "files/any_game.h"
#include "game/game_record.h"
#include "game/session.h"

namespace qv::cli {
namespace {

int run_convert(int argc, char** argv) {
    long game_index = 0;
    OptionParser p("convert");
    p.whole("game", 0, 999, game_index);
    if (!p.parse(argc, argv, 2, 2)) return usage("convert");
    const char* in = p.args[0];
    const char* out = p.args[1];
    if (kind_of(out) == GameFileKind::unknown) {
        std::fprintf(stderr, "%s: unknown file kind (expected .dam, .txt or .pdn)\n", out);
        return 1;
    }
    LoadProblem problem;
    if (!load_any_game(in, static_cast<int>(game_index), problem)) {
        std::fprintf(stderr, "%s: %s\n", in, load_problem_text(problem).c_str());
        return 1;
    }
    std::string why;
    // A text file holds the moves up to the position shown: show the whole game.
    if (kind_of(out) == GameFileKind::text) {
        Aller_fin(now());
        if (game.last_ply % 2 == 1)
            std::fprintf(stderr, "note: the last half move is not kept in a text file\n");
    }
    if (!save_any_game(out, why)) {
        std::fprintf(stderr, "%s: %s\n", out, why.c_str());
        return 1;
    }
    return 0;
}

const Register reg({"convert", "convert IN OUT [--game N]   (.dam, .txt, .pdn)", run_convert});

}  // namespace
}  // namespace qv::cli
