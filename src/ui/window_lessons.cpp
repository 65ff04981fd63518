// Lessons, exercises and problems in the window ("Leçons, exercices et problèmes",
// "Suivant ->", "Revoir coup") and learning from analysed games ("Apprendre ?",
// "Charger des leçons").
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

#include "analysis/analysis.h"
#include "board/data_dir.h"
#include "board/now.h"
#include "files/game_file.h"
#include "files/learning.h"
#include "files/lessons.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "game/session.h"
#include "search/position_table.h"
#include "ui/board_widget.h"
#include "ui/lesson_panel.h"
#include "ui/main_window.h"

namespace qv::ui {

namespace {

// Searches of a learning session get at least this time budget.
constexpr int32_t SESSION_MIN_BUDGET = 500;

QString subfolder(const char* name) {
    return QString::fromStdString(user_folder(name).string());
}

}  // namespace

void MainWindow::build_lessons() {
    add_action(menu("Apprentissage1"), "Chargerdesleons1", &MainWindow::Chargerdesleons1Click);
    void (MainWindow::*handlers[])() = {&MainWindow::Lancerunesession1Click,
                                        &MainWindow::Arrterlasession1Click};
    const char* names[] = {"Lancerunesession1", "Arrterlasession1"};
    for (int i = 0; i < 2; ++i) {
        auto handler = handlers[i];
        connect(action(names[i]), &QAction::triggered, this,
                [this, handler] { (this->*handler)(); });
        action(names[i])->setEnabled(i == 0);
    }
    // Beside the board, shown once a lesson has been opened.
    add_button(central_, "Panel13", QRect(530, 314, 112, 26), &MainWindow::Button1Click)->hide();
    add_button(central_, "Panel14", QRect(530, 346, 112, 26), &MainWindow::Panel14Click)->hide();
    lesson_panel_ = new LessonPanel(list_moves_, platform_);
}

void MainWindow::show_lesson(const std::filesystem::path& lesson, bool from_dialog) {
    if (!open_lesson(lesson, from_dialog)) return;
    // The commentary is read beside the board; the editor opens it only when asked, so
    // that a problem's solution is not shown before its time.
    lesson_panel_->open(commentary_of(lesson), game.side_to_move);
    if (!game.setup_mode) show_page(0);
    if (from_dialog) {
        tick_level_in_force();
        findChild<QLineEdit*>("Nbminutes")->setText(QString::number(clocks.nb_minutes));
    }
    game.computer_to_move = 0;
    refresh_after_navigation();
}

void MainWindow::Problmes1Click() {
    if (defer(&MainWindow::Problmes1Click)) return;
    const QString path =
        platform_.open_file_name(this, QString::fromStdString(data_path("Problemes").string()),
                                 msg(Msg::FILTER_GAME_FILES) + " (*.dam *.DAM)");
    if (path.isEmpty()) return;
    const std::filesystem::path lesson = path.toStdString();
    start_lesson_walk(lesson);
    button_of("Panel13")->show();
    button_of("Panel14")->show();
    show_lesson(lesson, true);
}

void MainWindow::Button1Click() {
    if (defer(&MainWindow::Button1Click)) return;
    const std::filesystem::path lesson = next_lesson();
    if (!lesson.empty()) show_lesson(lesson, false);
}

void MainWindow::Panel14Click() {
    if (defer(&MainWindow::Panel14Click)) return;
    if (lesson_walk.current.empty()) return;
    show_lesson(lesson_walk.current, false);
    lesson_panel_->show_solution();  // the lesson again, a problem's solution with it
    sync_list();                     // and its moves listed
}

void MainWindow::Apprendreposition1Click() {
    widget("Learn")->hide();
    const LearnTarget target = learning_target(now());
    refresh_after_navigation();
    if (!target.learnable) return;
    const QString path = platform_.save_file_name(
        this, subfolder("Parametres"), msg(Msg::FILTER_LEARNING_FILES) + " (*.dal *.DAL)", "dal");
    if (path.isEmpty()) return;
    if (!learn_position(target, analysis.score_by_ply[game.current_ply], path.toStdString()))
        show_error(Msg::CANNOT_OPEN_FILE);
}

void MainWindow::Chargerdesleons1Click() {
    // The table is the search's: it is loaded once a running search is over.
    if (defer_after_move(&MainWindow::Chargerdesleons1Click)) return;
    const QString path = platform_.open_file_name(
        this, subfolder("Parametres"), msg(Msg::FILTER_LEARNING_FILES) + " (*.dal *.DAL)");
    if (path.isEmpty()) return;
    if (!load_position_table(path.toStdString())) show_error(Msg::CANNOT_OPEN_FILE);
}

}  // namespace qv::ui

namespace qv::ui {

void MainWindow::Lancerunesession1Click() {
    if (game.game_state == RATED_MATCH) return;
    if (defer(&MainWindow::Lancerunesession1Click, false)) return;
    game.learning_session = true;
    clocks.time_budget = std::max<int32_t>(clocks.time_budget, SESSION_MIN_BUDGET);
    widget("Learn")->hide();
    widget("fin_de_parties")->hide();
    game.vs_computer = 1;
    game.computer_vs_computer = true;
    game.game_state = 0;
    set_checked("Ordinateurcontreordinateur1", true);
    set_checked("Humaincontrehumain1", false);
    set_enabled("Arrterlasession1", true);
    set_enabled("Lancerunesession1", false);
}

void MainWindow::Arrterlasession1Click() {
    // Only flags: a search in progress plays its move, then the loop waits for the person.
    game.learning_session = false;
    game.computer_vs_computer = false;
    set_checked("Ordinateurcontreordinateur1", false);
    set_enabled("Arrterlasession1", false);
    set_enabled("Lancerunesession1", true);
}

void MainWindow::session_game_over() {
    if (!game.learning_session) return;
    Analyser();
    // Stopped meanwhile: what is left is an ordinary analysis, ended as usual.
    if (!game.learning_session) return;
    end_analysis(false);
    Apprendreposition1Click();
    if (!game.learning_session) return;  // stopped from the save dialog's time
    // The next game from the start position, the computer playing both sides.
    qv::remplir(now());
    Horlogeszro1Click();
    game.vs_computer = 1;
    game.computer_vs_computer = true;
    set_checked("Ordinateurcontreordinateur1", true);
    refresh_after_navigation();
}

}  // namespace qv::ui
