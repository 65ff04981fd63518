// The engine's only way to the outside world. The window implements it with widgets;
// quorvel-cli implements it by printing; tests use the quiet default or a fake.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv {

class Host {
  public:
    virtual ~Host() = default;

    // Handle pending window events. Called by the search every 5000 maximising nodes and
    // after each iteration; handlers that run meanwhile may only set the stop flags or
    // record input for later.
    virtual void process_events() {}

    // A message box titled "Erreur" with the error icon ("Impossible d'ouvrir ce fichier").
    // The default writes the text to standard error.
    virtual void show_error(std::string_view text);

    // The calculation list ("Calcul" page, ListBox2): replace all its lines.
    virtual void show_progress(std::span<const std::string> lines) { (void)lines; }

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
