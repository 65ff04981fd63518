// Shared by the search, bench and selfplay commands: a printing host with a deadline,
// and how a player's strength is turned into the driver's inputs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/cli/cli.h"
#include "board/host.h"
#include "search/search_state.h"

namespace qv::cli {

class CliHost : public TextHost {
  public:
    bool print = false;       // progress per depth and root lines
    int64_t deadline_ms = 0;  // 0: none; else stop_requested when passed

    void process_events() override;
    void show_progress(const SearchProgress& p) override;
    void clear_root_moves() override { root_lines.clear(); }
    void set_root_move(int index, std::string_view text) override;
    // Prints the last progress block (if not yet printed) and the root lines.
    void flush();

    std::vector<std::string> progress;  // the last report, worded
    int progress_depth = -1;
    int printed_depth = -1;
    std::vector<std::string> root_lines;
};

// A player's strength: a named level, a fixed depth, or seconds per move.
struct Strength {
    int level = -1;
    int depth = 0;
    double seconds = 0;
};
// Parses "--level L", "--depth D", "--time SECONDS" style values; false on bad input.
bool parse_strength(const std::string& kind, const char* value, Strength& s);
// What such a value must be, for a refusal's words.
const char* strength_expected(const std::string& kind);

// Fills the driver's inputs for `s`; returns the deadline to give the host (0: none).
int64_t apply_strength(const Strength& s, SearchInputs& in);

// The clock that deadlines read, in milliseconds: the wall clock, or with `use_cpu_time`
// this process's processor time, so that players of a match on a busy machine get the
// same computing time whatever else runs.
int64_t deadline_clock_ms();
void use_cpu_time(bool on);

// Parses a non-negative decimal number of seconds.
bool parse_seconds(const char* text, double& value);

}  // namespace qv::cli
