// The engine's only way to the outside world. The window implements it with widgets;
// quorvel-cli implements it by printing; tests use the quiet default or a fake.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "board/message_id.h"

namespace qv {

// What the search shows on the "Calcul" page after an iteration or a poll; the window
// words it in the interface language.
struct SearchProgress {
    int depth = 0;
    int32_t nodes = 0;
    bool timed = false;  // false while pondering: no time and no rate
    int32_t seconds = 0;
    int score = 0;  // halved, as shown
    int move_number = 0;
    std::vector<std::string> variation;  // principal variation, two moves a line
    // The perfect-play tables' value of the root position for the side searched.
    enum class Table : uint8_t { none, win, loss, draw } table = Table::none;
    int table_plies = 0;  // of the win or loss
};

class Host {
  public:
    virtual ~Host() = default;

    // Handle pending window events. Called by the search every 5000 maximising nodes and
    // after each iteration; handlers that run meanwhile may only set the stop flags or
    // record input for later.
    virtual void process_events() {}

    // An error message box (title and icon of an error). The default writes the
    // identifier to standard error.
    virtual void show_error(Msg message);

    // A fixed table could not be allocated: the message goes to standard output, then the
    // caller ends the process with status 1.
    virtual void report_fatal(Msg message);

    // The calculation list ("Calcul" page, ListBox2): replace all its lines.
    virtual void show_progress(const SearchProgress& progress) { (void)progress; }

    // The root-move list (ListBox5): clear it, or set line `index` (appending if needed).
    virtual void clear_root_moves() {}
    virtual void set_root_move(int index, std::string_view text) { (void)index, (void)text; }

    // The clock of `side` now reads `seconds` (the search keeps the computer's clock live).
    virtual void refresh_clock(int side, int32_t seconds) { (void)side, (void)seconds; }

    // The board's orientation changed (Change_dir): the orientation caption follows.
    virtual void orientation_changed() {}
};

// The host in force; never null (a quiet default until one is installed).
Host& host();
// Installs `h` (nullptr restores the default). The caller keeps ownership.
void set_host(Host* h);

}  // namespace qv
