// A fresh main window on the 2D board for each test, driven with real mouse clicks.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstring>
#include <memory>
#include <vector>

#include "board/board.h"
#include "fakes.h"
#include "files/game_file.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "game/players.h"
#include "game/session.h"
#include "ui/board_widget.h"
#include "ui/entry.h"
#include "ui/main_window.h"
#include "ui/session.h"

namespace qv::ui::test {

// Square at (row, column) of the unflipped picture.
inline int sq(int row, int column) {
    return square_from_cell(row, column);
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session = SessionState{};
        flow = TurnFlow{};
        game = GameState{};
        clocks = ClockState{};
        entry = EntryState{};
        board_state.flipped = 0;
        board_state.show_numbers = 0;
        window = std::make_unique<MainWindow>(platform, engine);
        window->show();
    }
    void TearDown() override { window.reset(); }

    void start_2d() {
        QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
        window->run_until_idle();
    }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    QLabel* label(const char* name) { return window->findChild<QLabel*>(name); }
    void trigger(const char* action) {
        window->action(action)->trigger();
        window->run_until_idle();
    }
    // A mouse-down on the centre of square s, then the loop runs until it would wait.
    void click_square(int s) {
        const QPoint centre = square_corner(s) + QPoint(30, 30);
        QTest::mousePress(window->board_widget(), Qt::LeftButton, {}, centre);
        window->run_until_idle();
    }
    void click_point(QPoint p) {
        QTest::mousePress(window->board_widget(), Qt::LeftButton, {}, p);
        window->run_until_idle();
    }
    // The person plays the first white man that can move, to its first marked square.
    void play_a_move() {
        const int ply = game.last_ply;
        for (int s = 21; s >= 1 && game.last_ply == ply; --s) {
            if (board[s] != WHITE_MAN) continue;
            click_square(s);
            for (int t = 1; t <= 32 && entry.in_hand; ++t)
                if (entry.entry_marks[t]) click_square(t);
        }
        for (int s = 22; s <= 32 && game.last_ply == ply; ++s) {
            if (board[s] != WHITE_MAN) continue;
            click_square(s);
            for (int t = 1; t <= 32 && entry.in_hand; ++t)
                if (entry.entry_marks[t]) click_square(t);
        }
    }
    // Puts a position on the board as if set up, `side` to move, nothing recorded after it.
    void put_position(const std::vector<std::pair<int, uint8_t>>& pieces, int side) {
        clear_board();
        for (auto [s, code] : pieces) board[s] = code;
        std::memcpy(shown_board, board, sizeof board);
        game.side_to_move = uint8_t(side);
        game.current_ply = 0;
        game.last_ply = 0;
        game.list_lines.clear();
        game.move_from = game.move_to = game.move_captures = 0;
        qv::store_ply();
        window->board_widget()->placer_pions();
    }
    std::string list_line(int i) {
        auto* l = window->move_list();
        return i < l->count() ? l->item(i)->text().toStdString() : std::string();
    }
    void screenshot(QWidget* w, const char* name) {
        QDir().mkpath(QUORVEL_SCREENSHOT_DIR);
        ASSERT_TRUE(w->grab().save(QString(QUORVEL_SCREENSHOT_DIR) + "/" + name));
    }
    QColor pixel_at_frame(int s) {
        return window->board_widget()->pixel(square_corner(s) + QPoint(1, 30));
    }

    FakePlatform platform;
    FakeEngine engine;
    std::unique_ptr<MainWindow> window;
};

}  // namespace qv::ui::test
