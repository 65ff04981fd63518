#include <string>

#include "app/cli/options.h"
#include "app/cli/selfplay_match.h"
#include "search/book.h"

namespace qv::cli {

bool parse_selfplay(int argc, char** argv, Match& match) {
    OptionParser p("selfplay");
    long seed = -1, draw_rule_from = match.draw_rule_from;
    p.flag("fens", match.fens)
        .flag("cpu-time", match.cpu_time)
        .whole("games", 1, 100000, match.games)
        .text("openings", match.openings_file)
        .whole("concurrency", 1, MAX_CONCURRENCY, match.concurrency)
        .whole("seed", 0, 4294967295L, seed)
        .whole("draw-rule-from", 60, MAX_GAME_PLIES, draw_rule_from)
        .custom("time-scale", "a number from 0.001 to 1000",
                [&match](const char* v) {
                    return parse_seconds(v, match.time_scale) && match.time_scale >= 0.001 &&
                           match.time_scale <= 1000;
                })
        .text("pdn", match.pdn);
    for (int k = 0; k < 2; ++k) {
        Player& player = match.players[k];
        const std::string prefix = k == 0 ? "" : "vs-";
        for (const char* kind : {"level", "depth", "time-per-move"}) {
            const std::string strength = kind == std::string("time-per-move") ? "time" : kind;
            p.custom((prefix + kind).c_str(), strength_expected(strength),
                     [&player, strength](const char* v) {
                         return parse_strength(strength, v, player.strength);
                     });
        }
        p.text((prefix + "params").c_str(), player.params);
    }
    if (!p.parse(argc, argv, 0, 0)) return false;
    if (!p.given("games")) {
        p.fail("--games is needed");
        return false;
    }
    // Position lines of parallel games would interleave.
    if (match.fens && match.concurrency > 1) {
        p.fail("--fens needs --concurrency 1");
        return false;
    }
    if (!p.given("vs-level") && !p.given("vs-depth") && !p.given("vs-time-per-move"))
        match.players[1].strength = match.players[0].strength;
    if (seed >= 0) seed_book_random(static_cast<uint32_t>(seed));
    match.draw_rule_from = static_cast<int>(draw_rule_from);
    return true;
}

}  // namespace qv::cli
