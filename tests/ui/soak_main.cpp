// The window playing itself for a long run: the real main window, the real search and the
// desktop platform, offscreen, at level "0 : Néophyte". Each game is started the way a
// person does it ("Nouveau", the training game's start button, then "Ordinateur contre
// ordinateur" from the menu) and after each one a line gives its number, plies, result and
// the resident memory, so that a leak shows as a climbing last column.
//
//   quorvel-soak [--data-dir DIR] [--games N]
//
// Exit status 0 when every game ended, 1 otherwise (a game that stalled or never started).
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "board/data_dir.h"
#include "game/game_codes.h"
#include "game/game_record.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/search_engine.h"
#include "ui/session.h"

namespace {

// Resident memory in kB from /proc/self/status, -1 when it cannot be read.
long resident_kb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

const char* result_text(int result) {
    switch (result) {
        case qv::WHITE_WON:
            return "1-0";
        case qv::BLACK_WON:
            return "0-1";
        case qv::DRAWN:
            return "1/2";
        default:
            return "?";
    }
}

// Passes of the game loop until the game has a result; false when it stalls: the loop has
// nothing left to do and no result came.
bool play_out(qv::ui::MainWindow& window) {
    using qv::game;
    for (int idle_passes = 0; game.game_result == qv::NO_RESULT;) {
        const int ply = game.last_ply;
        window.run_until_idle(1);
        idle_passes = game.last_ply == ply ? idle_passes + 1 : 0;
        if (idle_passes > 1000) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qv::init_program_dir(argc, argv);
    int games = 50;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--games") == 0) games = std::atoi(argv[i + 1]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qv::ui::DesktopPlatform platform;
    qv::ui::SearchEngine engine;
    qv::ui::MainWindow window(platform, engine);
    window.show();
    window.SpeedButton6Click();
    window.run_until_idle();
    window.action("Dbutant1")->trigger();
    window.run_until_idle();

    QElapsedTimer clock;
    clock.start();
    long first_rss = -1, last_rss = -1;
    int wins[4] = {};
    for (int g = 1; g <= games; ++g) {
        if (g > 1) {
            // The end-of-game panel is closed and a new training game started.
            if (QWidget* end_panel = window.widget("fin_de_parties")) end_panel->hide();
            window.action("Nouveau2")->trigger();
            window.run_until_idle();
            window.findChild<QPushButton*>("BitBtn15")->click();
            window.run_until_idle();
        }
        if (qv::game.game_result != qv::NO_RESULT || qv::game.last_ply != 0) {
            std::printf("game %d: the new game did not start from the start position\n", g);
            return 1;
        }
        window.action("Ordinateurcontreordinateur1")->trigger();
        if (!play_out(window)) {
            std::printf("game %d: stalled after %d plies (self-play ticked: %d)\n", g,
                        qv::game.last_ply, int(qv::game.computer_vs_computer));
            return 1;
        }
        last_rss = resident_kb();
        if (g == 1) first_rss = last_rss;
        ++wins[qv::game.game_result];
        std::printf("game %3d  plies %3d  result %s  VmRSS %ld kB  (%.0f s)\n", g,
                    qv::game.last_ply, result_text(qv::game.game_result), last_rss,
                    clock.elapsed() / 1000.0);
        std::fflush(stdout);
    }
    std::printf(
        "games %d: White won %d, Black won %d, drawn %d; VmRSS after game 1 %ld kB, "
        "after game %d %ld kB, growth %ld kB; %.0f s\n",
        games, wins[qv::WHITE_WON], wins[qv::BLACK_WON], wins[qv::DRAWN], first_rss, games,
        last_rss, last_rss - first_rss, clock.elapsed() / 1000.0);
    return 0;
}
