// quorvel-tune positions --out FILE [--games N] [--depth D] [--seed S] [--openings 1]
//     plays fast self-play games from random openings with the default parameters and
//     writes their quiet positions with the games' results (with --openings 1: one
//     balanced position a game after its first ten plies, as start positions for a match).
// quorvel-tune fit --positions FILE --params TEXT --out TEXT [--passes N] [--l2 X]
//     fits the man tables and tempo coefficients of the parameter text TEXT to those
//     results and writes the text with the fitted values (comments and layout kept).
// Both take --data-dir DIR for the program's data (keys, tables, default parameters).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "board/data_dir.h"
#include "board/file_io.h"
#include "eval/params.h"
#include "eval/params_text.h"
#include "search/engine_start.h"
#include "tune_fit.h"
#include "tune_games.h"

namespace {

using namespace qv;

int usage() {
    std::fprintf(stderr,
                 "usage: quorvel-tune positions --out FILE [--games N] [--depth D] [--seed S] "
                 "[--openings 1]\n"
                 "       quorvel-tune fit --positions FILE --params TEXT --out TEXT "
                 "[--passes N] [--l2 X]\n");
    return 2;
}

// "--name value" pairs; false on a lone or unknown option.
bool options(int argc, char** argv, std::map<std::string, std::string>& out,
             std::initializer_list<const char*> known) {
    for (int i = 2; i < argc; i += 2) {
        const std::string name = argv[i];
        bool ok = i + 1 < argc;
        bool listed = false;
        for (const char* k : known) listed |= name == k;
        if (!ok || !listed) return false;
        out[name] = argv[i + 1];
    }
    return true;
}

bool number(const std::map<std::string, std::string>& o, const char* name, long lo, long hi,
            long& value) {
    const auto it = o.find(name);
    if (it == o.end()) return true;
    char* end = nullptr;
    const long v = std::strtol(it->second.c_str(), &end, 10);
    if (it->second.empty() || *end != 0 || v < lo || v > hi) return false;
    value = v;
    return true;
}

int positions(int argc, char** argv) {
    std::map<std::string, std::string> o;
    if (!options(argc, argv, o, {"--out", "--games", "--depth", "--seed", "--openings"}) ||
        !o.count("--out"))
        return usage();
    tune::GameSettings s;
    long depth = s.depth, seed = s.seed, openings = 0;
    if (!number(o, "--games", 1, 10000000, s.games) || !number(o, "--depth", 1, 20, depth) ||
        !number(o, "--seed", 0, 4294967295L, seed) || !number(o, "--openings", 0, 1, openings))
        return usage();
    s.openings = openings == 1;
    s.depth = static_cast<int>(depth);
    s.seed = static_cast<uint32_t>(seed);
    start_engine();
    std::ostringstream text;
    const long n = tune::write_training_positions(s, text, std::cerr);
    if (!write_file_atomic(o["--out"], text.str())) {
        std::fprintf(stderr, "cannot write %s\n", o["--out"].c_str());
        return 1;
    }
    std::printf("%ld positions from %ld games at depth %d\n", n, s.games, s.depth);
    return 0;
}

int fit(int argc, char** argv) {
    std::map<std::string, std::string> o;
    if (!options(argc, argv, o, {"--positions", "--params", "--out", "--passes", "--l2"}) ||
        !o.count("--positions") || !o.count("--params") || !o.count("--out"))
        return usage();
    tune::FitSettings settings;
    long passes = settings.passes;
    if (!number(o, "--passes", 1, 100, passes)) return usage();
    settings.passes = static_cast<int>(passes);
    if (o.count("--l2")) {
        char* end = nullptr;
        settings.l2 = std::strtod(o["--l2"].c_str(), &end);
        if (*end != 0 || !(settings.l2 >= 0)) return usage();
    }
    std::ifstream text_in(o["--params"], std::ios::binary);
    std::stringstream text;
    text << text_in.rdbuf();
    Parameters p;
    std::string error;
    std::istringstream parse(text.str());
    if (!text_in || !parse_parameter_text(parse, p, error)) {
        std::fprintf(stderr, "%s: %s\n", o["--params"].c_str(),
                     error.empty() ? "cannot read" : error.c_str());
        return 1;
    }
    start_engine();
    std::ifstream positions_in(o["--positions"]);
    if (!positions_in) {
        std::fprintf(stderr, "cannot read %s\n", o["--positions"].c_str());
        return 1;
    }
    long rejected = 0;
    std::vector<tune::Sample> samples = tune::read_samples(positions_in, rejected);
    std::fprintf(stderr, "%zu positions (%ld lines rejected)\n", samples.size(), rejected);
    if (samples.empty()) return 1;
    const tune::FitReport r = tune::fit_parameters(samples, p, settings, std::cerr);
    if (!write_file_atomic(o["--out"], rewrite_parameter_values(text.str(), p))) {
        std::fprintf(stderr, "cannot write %s\n", o["--out"].c_str());
        return 1;
    }
    std::printf(
        "K %.3g; error %.6f -> %.6f, held out %.6f -> %.6f; %d values changed in %d "
        "passes\n",
        r.k, r.train_before, r.train_after, r.held_before, r.held_after, r.changed_values,
        r.passes);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    init_program_dir(argc, argv);
    if (argc < 2) return usage();
    const std::string command = argv[1];
    if (command == "positions") return positions(argc, argv);
    if (command == "fit") return fit(argc, argv);
    return usage();
}
