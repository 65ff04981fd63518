// analyse FILE [--game N] [--time S | --depth N] [--pdn OUT] (lines in the --lang language):
// the move-by-move review of a game, its long lines in game order, then a summary line.
#include <cstdio>
#include <string>

#include "analysis/analysis.h"
#include "analysis/analysis_pdn.h"
#include "analysis/analysis_text.h"
#include "app/cli/cli.h"
#include "app/cli/options.h"
#include "app/cli/search_common.h"
#include "board/file_io.h"
#include "board/now.h"
#include "files/any_game.h"
#include "game/session.h"
#include "lang/messages.h"
#include "search/engine_start.h"
#include "search/tt.h"

namespace qv::cli {
namespace {

constexpr int DEFAULT_DEPTH = 8;

struct Options {
    std::string file;
    long game_index = 0;
    int depth = DEFAULT_DEPTH;
    double seconds = 0;  // per position; 0: fixed depth
    std::string pdn;
};

bool parse_options(int argc, char** argv, Options& o) {
    OptionParser p("analyse");
    long depth = DEFAULT_DEPTH;
    p.whole("game", 0, 999, o.game_index)
        .whole("depth", 1, 30, depth)
        .seconds("time", o.seconds)
        .text("pdn", o.pdn);
    if (!p.parse(argc, argv, 1, 1) || !p.exclusive("depth", "time")) return false;
    o.file = p.args[0];
    o.depth = static_cast<int>(depth);
    return true;
}

// Each position gets the same time when the analysis is timed.
class TimedPhases : public AnalysisView {
  public:
    TimedPhases(CliHost& h, double seconds) : host_(h), seconds_(seconds) {}
    void phase_started(int) override {
        if (seconds_ > 0) host_.deadline_ms = now_ms() + static_cast<int64_t>(seconds_ * 1000.0);
    }

  private:
    CliHost& host_;
    double seconds_;
};

int run_analyse(int argc, char** argv) {
    Options o;
    if (!parse_options(argc, argv, o)) return usage("analyse");
    LoadProblem why;
    if (!load_any_game(o.file, static_cast<int>(o.game_index), why)) {
        std::fprintf(stderr, "analyse: %s: %s\n", o.file.c_str(), load_problem_text(why).c_str());
        return 1;
    }
    Aller_fin(now());
    if (game.last_ply == 0) {
        std::fprintf(stderr, "analyse: %s: the game has no move\n", o.file.c_str());
        return 1;
    }
    start_engine();
    clear_table();
    search.library_enabled = 0;  // every position is searched, the same way on every run
    search.last_score = 0;
    CliHost cli_host;
    set_host(&cli_host);
    AnalysisSettings settings;
    if (o.seconds > 0)
        settings.no_time_limit = true;
    else
        settings.fixed_depth = o.depth;
    TimedPhases view(cli_host, o.seconds);
    Analyser(settings, &view);
    set_host(nullptr);

    int marked = 0;
    for (const AnalysisLine& l : analysis.lines) {
        std::string text = analysis_long_line(language(), l);
        if (l.table_verdict != TableVerdict::none) {
            constexpr Msg WORDS[] = {Msg::TABLE_WIN_TO_DRAW, Msg::TABLE_WIN_TO_DRAW,
                                     Msg::TABLE_WIN_TO_LOSS, Msg::TABLE_DRAW_TO_LOSS};
            text += std::string(" [") +
                    message(WORDS[static_cast<int>(l.table_verdict)], language()) + "]";
        }
        std::printf("%s\n", text.c_str());
        marked += l.marked;
    }
    std::printf("analysed %zu positions, %d marked\n", analysis.lines.size(), marked);
    if (!o.pdn.empty() && !write_file_atomic(o.pdn, analysis_pdn_bytes(analysis.lines))) {
        std::fprintf(stderr, "analyse: cannot write %s\n", o.pdn.c_str());
        return 1;
    }
    return 0;
}

const Register reg({"analyse", "analyse FILE [--game N] [--time S | --depth N (8)] [--pdn OUT]",
                    run_analyse});

}  // namespace
}  // namespace qv::cli
