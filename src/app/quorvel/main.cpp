// The window program. Without a display it says so and stops instead of aborting.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "board/data_dir.h"
#include "search/engine_start.h"
#include "ui/board_widget.h"
#include "ui/engine.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/search_engine.h"
#include "ui/session.h"

namespace {

// The program's options, as --help prints them (and the manual page shows them).
const char* const OPTIONS =
    "usage: quorvel [--data-dir DIR] [--user-dir DIR] [--board 2d] [Qt options]\n"
    "  --data-dir DIR   read the shipped data (pictures, tables, lessons, help) from DIR\n"
    "  --user-dir DIR   keep games, players, opening lists, parameter sets and the game\n"
    "                   left at the last exit in DIR (default: $XDG_DATA_HOME/quorvel,\n"
    "                   ~/.local/share/quorvel; beside the program when it runs from a\n"
    "                   writable folder that holds its data)\n"
    "  --board 2d       skip the start-up panel and open the 2D board\n"
    "  --version        print the version and stop\n"
    "  --help           print these options and stop\n";

bool asked(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

bool display_available() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;  // offscreen, vnc, ... chosen explicitly
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
    if (asked(argc, argv, "--help")) {
        std::fputs(OPTIONS, stdout);
        return 0;
    }
    if (asked(argc, argv, "--version")) {
        std::printf("quorvel %s\n", QUORVEL_VERSION);
        return 0;
    }
    qv::init_program_dir(argc, argv);
    std::vector<std::string> missing;
    const bool folder_made = qv::prepare_user_dir(missing);
    for (std::string& name : qv::missing_data_files()) missing.push_back(std::move(name));
    if (!display_available()) {
        std::fprintf(stderr,
                     "quorvel: no display (set DISPLAY or WAYLAND_DISPLAY); "
                     "quorvel-cli works without one\n");
        return 1;
    }
    QApplication app(argc, argv);
    qv::ui::DesktopPlatform platform;
    qv::ui::SearchEngine engine;
    qv::ui::MainWindow window(platform, engine);
    window.show();
    window.report_data_folders(folder_made, missing);
    // "--board 2d" picks the 2D board at once, as its button on the start-up panel does.
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--board") == 0 && std::strcmp(argv[i + 1], "2d") == 0)
            window.SpeedButton6Click();
    // The start-up panel is shown; picking a board starts the game loop, which runs until
    // the program ends.
    while (window.isVisible() && !qv::ui::session.quit_requested) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (window.board_widget()->isVisible() && !window.widget("Intro")->isVisible())
            window.game_loop();
    }
    return 0;
}
