// The window program. Without a display it says so and stops instead of aborting.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "board/data_dir.h"
#include "ui/board_widget.h"
#include "ui/engine.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/search_engine.h"
#include "ui/session.h"

namespace {

bool display_available() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;  // offscreen, vnc, ... chosen explicitly
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
    qv::init_program_dir(argc, argv);
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
