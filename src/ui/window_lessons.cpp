// Lessons, exercises and problems in the window ("Leçons, exercices et problèmes",
// "Suivant ->", "Revoir coup") and learning from analysed games ("Apprendre ?",
// "Charger des leçons").
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "analysis/analysis.h"
#include "board/data_dir.h"
#include "board/now.h"
#include "files/game_file.h"
#include "files/learning.h"
#include "files/lessons.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "search/position_table.h"
#include "ui/board_widget.h"
#include "ui/main_window.h"

namespace qv::ui {

namespace {

const char* const LESSON_FILTER = "Fichiers Quorvel (*.dam *.DAM)";
const char* const LEARNING_FILTER = "parameters (*.dal *.DAL)";

QString subfolder(const char* name) {
    const auto dir = data_path(name);
    QDir().mkpath(QString::fromStdString(dir.string()));
    return QString::fromStdString(dir.string());
}

}  // namespace

void MainWindow::build_lessons() {
    add_action(menus_["Apprentissage1"], "Chargerdesleons1", &MainWindow::Chargerdesleons1Click);
    // Beside the board, shown once a lesson has been opened.
    add_button(central_, "Panel13", QRect(530, 314, 112, 26), &MainWindow::Button1Click)->hide();
    add_button(central_, "Panel14", QRect(530, 346, 112, 26), &MainWindow::Panel14Click)->hide();
}

void MainWindow::show_lesson(const std::filesystem::path& lesson, bool from_dialog) {
    platform_.open_document(QString::fromStdString(commentary_of(lesson).string()));
    if (!open_lesson(lesson, from_dialog)) return;
    if (from_dialog) {
        tick_level_in_force();
        findChild<QLineEdit*>("Nbminutes")->setText(QString::number(clocks.nb_minutes));
    }
    game.computer_to_move = 0;
    refresh_after_navigation();
}

void MainWindow::Problmes1Click() {
    if (defer(&MainWindow::Problmes1Click)) return;
    const QString path = platform_.open_file_name(this, subfolder("Problemes"), LESSON_FILTER);
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
    if (!lesson_walk.current.empty()) show_lesson(lesson_walk.current, false);
}

void MainWindow::Apprendreposition1Click() {
    widget("Learn")->hide();
    const LearnTarget target = learning_target(now());
    refresh_after_navigation();
    if (!target.learnable) return;
    const QString path =
        platform_.save_file_name(this, subfolder("Parametres"), LEARNING_FILTER, "dal");
    if (path.isEmpty()) return;
    if (!learn_position(target, analysis.score_by_ply[game.current_ply], path.toStdString()))
        platform_.error_box(this, QString::fromUtf8(CANNOT_OPEN));
}

void MainWindow::Chargerdesleons1Click() {
    // The table is the search's: a running search stops first.
    if (defer(&MainWindow::Chargerdesleons1Click, false)) return;
    const QString path = platform_.open_file_name(this, subfolder("Parametres"), LEARNING_FILTER);
    if (path.isEmpty()) return;
    if (!load_position_table(path.toStdString()))
        platform_.error_box(this, QString::fromUtf8(CANNOT_OPEN));
}

}  // namespace qv::ui
