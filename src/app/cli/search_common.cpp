#include "app/cli/search_common.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/cli/cli.h"
#include "board/now.h"
#include "lang/progress_text.h"
#include "search/levels.h"

namespace qv::cli {
namespace {
bool cpu_time = false;
}

void use_cpu_time(bool on) {
    cpu_time = on;
}

int64_t deadline_clock_ms() {
    if (!cpu_time) return now_ms();
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

void CliHost::process_events() {
    if (deadline_ms > 0 && deadline_clock_ms() >= deadline_ms) search.stop_requested = 1;
}

void CliHost::show_progress(const SearchProgress& p) {
    // A new depth: the block of the previous one is complete.
    if (print && !progress.empty() && p.depth != progress_depth &&
        progress_depth != printed_depth) {
        for (const auto& l : progress) std::printf("%s\n", l.c_str());
        std::printf("\n");
        printed_depth = progress_depth;
    }
    progress = progress_lines(p, language());
    progress_depth = p.depth;
}

void CliHost::set_root_move(int index, std::string_view text) {
    if (index < 0) return;
    if (static_cast<size_t>(index) >= root_lines.size()) root_lines.resize(index + 1);
    root_lines[index] = std::string(text);
}

void CliHost::flush() {
    if (!print) return;
    if (!progress.empty() && progress_depth != printed_depth) {
        for (const auto& l : progress) std::printf("%s\n", l.c_str());
        std::printf("\n");
        printed_depth = progress_depth;
    }
    for (const auto& l : root_lines) std::printf("%s\n", l.c_str());
    std::fflush(stdout);
}

bool parse_seconds(const char* text, double& value) {
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(v > 0) || v > 100000) return false;
    value = v;
    return true;
}

bool parse_strength(const std::string& kind, const char* value, Strength& s) {
    long v = 0;
    s = Strength{};
    if (kind == "level") {
        if (!parse_int(value, 0, 8, v)) return false;
        s.level = static_cast<int>(v);
        return true;
    }
    if (kind == "depth") {
        if (!parse_int(value, 1, 30, v)) return false;
        s.depth = static_cast<int>(v);
        return true;
    }
    if (kind == "time") return parse_seconds(value, s.seconds);
    return false;
}

const char* strength_expected(const std::string& kind) {
    if (kind == "level") return "a level from 0 to 8";
    if (kind == "depth") return "a whole number from 1 to 30";
    return "a number of seconds above 0";
}

int64_t apply_strength(const Strength& s, SearchInputs& in) {
    in.fixed_depth = 0;
    in.no_time_limit = false;
    // no level: the budget of "long, long", so that no fixed-depth budget lingers
    in.time_budget = 320000;
    in.clock_limit = 319998;
    if (s.level >= 0) {
        in.time_budget = NAMED_LEVELS[s.level].time_budget;
        in.clock_limit = NAMED_LEVELS[s.level].clock_limit;
        return 0;
    }
    if (s.depth > 0) {
        in.fixed_depth = s.depth;
        return 0;
    }
    in.no_time_limit = true;
    return deadline_clock_ms() + static_cast<int64_t>(s.seconds * 1000.0);
}

}  // namespace qv::cli
