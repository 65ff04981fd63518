// Start-up, languages, position set-up, orientation and numbering, clocks and levels.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <cstring>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/movegen.h"
#include "board/now.h"
#include "eval/evaluate.h"
#include "ui/board_widget.h"
#include "ui/captions.h"
#include "ui/entry.h"
#include "ui/main_window.h"
#include "ui/record.h"
#include "ui/session.h"

namespace qv::ui {

// ---- start-up -------------------------------------------------------------------------

void MainWindow::select_language(int language) {
    if (caption_table(language).empty()) return;
    language_ = language;
    setWindowTitle(QString::fromUtf8("Quorvel 3D, le jeu"));
    const char* items[] = {"Franais1",   "English1", "Nederlands1",
                           "Portugues1", "Espanol1", "Italiano1"};
    for (int l = 0; l < LANGUAGES; ++l) set_checked(items[l], l == language);
    apply_captions(this, language);
    // Captions that follow the state.
    orientation_changed();
    show_colour_caption();
    auto* who = findChild<QPushButton*>("Couleurjoue");
    who->setText(QString::fromUtf8(session.computer_to_move ? "Ordinateur joue" : "Joueur joue"));
}

void MainWindow::Introduction() {
    if (!introduced_) {
        board_->load_pictures();
        introduced_ = true;
    }
    session.side_to_move = WHITE;
    remplir();
    session.computer_to_move = 0;
    session.vs_computer = 1;
    session.computer_colour = BLACK;
    show_colour_caption();
    set_names("Inconnu", "Quorvel");
    session.setup_mode = 0;
    set_level(level_index_);
}

void MainWindow::SpeedButton6Click() {
    const bool starting = intro_->isVisible();
    if (starting) Introduction();
    leave_board3d();
    intro_->hide();
    menuBar()->setVisible(true);
    board_->set_frame_visible(true);
    set_checked("Damier2D1", true);
    set_enabled("Ouvertures1", true);
    set_enabled("Numroterlescase1", true);
    board_->placer_pions();
    show_totals();
    show_clocks();
    select_language(language_);
}

// ---- set-up ---------------------------------------------------------------------------

void MainWindow::show_page(int index) {
    const QSignalBlocker block(side_);
    side_->setCurrentIndex(index);
}

void MainWindow::show_static_evaluations() {
    const int white = static_score(WHITE) / 2;
    const int black = static_score(BLACK) / 2;
    findChild<QLineEdit*>("Blancs")->setText(QString::asprintf("Eval stat blancs:%4d", white));
    findChild<QLineEdit*>("Noirs")->setText(QString::asprintf("Eval stat noirs:%4d", black));
}

void MainWindow::Installeruneposition1Click() {
    if (defer(&MainWindow::Installeruneposition1Click)) return;
    SpeedButton6Click();
    Entrerpositionclick();
    show_page(session.setup_mode ? 2 : 0);
}

void MainWindow::Entrerpositionclick() {
    if (defer(&MainWindow::Entrerpositionclick)) return;
    if (entry.in_hand) {
        cancel_entry();
        board_->placer_pions();
    }
    engine_.request_stop(false);
    std::memcpy(board, shown_board, sizeof board);
    show_static_evaluations();
    QWidget* group = widget("GroupBox1");
    if (session.setup_mode) {
        session.setup_mode = 0;
        group->hide();
        set_enabled("Ouvertures1", true);
        set_enabled("Numroterlescase1", true);
    } else {
        show_colour_caption();
        session.setup_mode = 1;
        group->show();
        set_enabled("Ouvertures1", false);
    }
    session.computer_requested = 0;
    if (session.computer_to_move) {
        findChild<QPushButton*>("Couleurjoue")->setText("Joueur joue");
        session.computer_to_move = 0;
        show_page(1);
        session.computer_requested = 1;
    }
}

void MainWindow::placement_button(int code) {
    placement_code_ = uint8_t(code);
    const char* files[] = {"Images1i/v48.Bmp", "Images1i/b48.Bmp", "Images1i/bd48.Bmp",
                           "Images1i/n48.Bmp", "Images1i/nd48.Bmp"};
    auto* witness = findChild<QLabel*>("Piontemoin");
    const QPixmap picture(QString::fromStdString(data_path(files[code]).string()));
    if (!picture.isNull()) {
        witness->setPixmap(picture);
    } else {
        const char* names[] = {"vide", "pion B", "dame B", "pion N", "dame N"};
        witness->setText(names[code]);
        witness->setAlignment(Qt::AlignCenter);
    }
}

void MainWindow::remplir() {
    if (defer(&MainWindow::remplir)) return;
    board_state.flipped = 0;
    record.current_ply = 0;
    record.last_ply = 0;
    orientation_changed();
    white_clock_ = black_clock_ = white_shown_ = black_shown_ = 0;
    white_turn_start_ = black_turn_start_ = now();
    engine_.request_stop(false);
    session.side_to_move = WHITE;
    widget("Panel6")->move(widget("Panel6")->x(), 8);
    widget("Panel7")->move(widget("Panel7")->x(), 428);
    set_start_position();
    std::memcpy(shown_board, board, sizeof board);
    cancel_entry();
    board_->placer_pions();
    entry.start_square = entry.clicked_square = 0;
    movegen.best_capture_count = 0;
    session.computer_to_move = 0;
    session.game_state = 0;
    session.skip_ponder = 1;
    session.last_from = session.last_to = 0;
    store_ply(0, 0, 0, 0, 0);
    list_moves_->clear();
    show_totals();
    show_clocks();
}

void MainWindow::vider() {
    if (defer(&MainWindow::vider)) return;
    for (int s = 1; s <= 32; ++s) {
        board[s] = EMPTY;
        shown_board[s] = EMPTY;
        draw_square(s, EMPTY);
    }
    store_ply(0, 0, 0, white_clock_, black_clock_);
    show_totals();
}

void MainWindow::Change_couleur() {
    if (defer(&MainWindow::Change_couleur)) return;
    auto* b = findChild<QPushButton*>("Couleurordi");
    if (b->text() == QString::fromUtf8("Ordinateur blanc")) {
        session.computer_colour = BLACK;
        session.side_to_move = WHITE;
    } else {
        session.computer_colour = WHITE;
        session.side_to_move = BLACK;
    }
    show_colour_caption();
}

void MainWindow::Couleur_joue() {
    if (defer(&MainWindow::Couleur_joue)) return;
    auto* b = findChild<QPushButton*>("Couleurjoue");
    if (b->text() == QString::fromUtf8("Ordinateur joue")) {
        b->setText("Joueur joue");
        session.computer_to_move = 0;
    } else {
        b->setText("Ordinateur joue");
        session.computer_to_move = 1;
    }
    session.side_to_move = 1 - session.side_to_move;
}

void MainWindow::Change_dir_click() {
    if (defer(&MainWindow::Change_dir_click)) return;
    Change_dir();
    std::memcpy(shown_board, board, sizeof board);
    board_->placer_pions();
    store_ply(0, 0, 0, white_clock_, black_clock_);
}

void MainWindow::orientation_changed() {
    findChild<QPushButton*>("Bas_Haut")
        ->setText(board_state.flipped ? "Blancs:Haut->Bas" : "Blancs:Bas->Haut");
    place_board3d_clocks();
}

void MainWindow::Inverser() {
    board_state.flipped = 1 - board_state.flipped;
    orientation_changed();
    board_->placer_pions();
    for (const char* n : {"Panel6", "Panel7"}) {
        QWidget* w = widget(n);
        w->move(w->x(), w->y() == 428 ? 8 : 428);
    }
    // The names and counters follow their clocks.
    const bool black_top = widget("Panel6")->y() == 8;
    widget("Nom_noir")->move(524, black_top ? 76 : 406);
    widget("Nbpionsnoirs")->move(524, black_top ? 96 : 388);
    widget("Nom_blanc")->move(524, black_top ? 406 : 76);
    widget("Nbpionsblancs")->move(524, black_top ? 388 : 96);
    show_totals();
}

void MainWindow::numerotation_click() {
    numerotation();
    set_checked("Numroterlescase1", board_state.show_numbers != 0);
    board_->draw_labels();
}

// ---- clocks and levels ------------------------------------------------------------------

void MainWindow::show_clock(int side, int32_t seconds) {
    const QString minutes = QString::number(seconds / 60);
    const QString secs = QString::asprintf("%02d", seconds % 60);
    findChild<QLabel*>(side == WHITE ? "minblanc" : "minnoir")->setText(minutes);
    findChild<QLabel*>(side == WHITE ? "secblanc" : "secnoir")->setText(secs);
    show_board3d_clock(side, seconds);
}

void MainWindow::show_clocks() {
    show_clock(WHITE, white_clock_);
    show_clock(BLACK, black_clock_);
}

void MainWindow::refresh_clock(int side, int32_t seconds) {
    show_clock(side, seconds);
}

void MainWindow::ajouter_temps() {
    if (session.searching && session.computer_to_move) return;
    if (session.side_to_move == WHITE) {
        white_shown_ = now() - white_turn_start_ + white_clock_;
        show_clock(WHITE, white_shown_);
    } else {
        black_shown_ = now() - black_turn_start_ + black_clock_;
        show_clock(BLACK, black_shown_);
    }
}

void MainWindow::Horlogeszro1Click() {
    white_clock_ = black_clock_ = white_shown_ = black_shown_ = 0;
    session.game_state = 0;
    white_turn_start_ = black_turn_start_ = now();
    show_clocks();
}

void MainWindow::Pause2Click() {
    if (timer_->isActive()) {
        timer_->stop();
        set_checked("Pause2", true);
    } else {
        white_turn_start_ = black_turn_start_ = now();
        timer_->start();
        set_checked("Pause2", false);
    }
}

void MainWindow::set_level(int level_index) {
    struct Level {
        const char* item;
        int32_t budget, limit;
        int index;
    };
    static const Level levels[] = {{"Dbutant1", 5, 58, 0},
                                   {"Niveau01", 2, 58, 1},
                                   {"Niveau02", 5, 158, 2},
                                   {"Niveau03", 6, 358, 3},
                                   {"Niveau04", 10, 600, 4},
                                   {"Niveau05", 160, 178, 5},
                                   {"Niveau06", 270, 298, 6},
                                   {"Niveau07", 540, 598, 7},
                                   {"Niveau081", 1680, 1798, 8},
                                   {"N150coupsen3mn1", 160, 178, 11},
                                   {"N250coupsen5mn1", 270, 298, 12},
                                   {"N350coupsen10mn1", 540, 598, 13},
                                   {"N450coupsen30mn1", 1680, 1798, 14},
                                   {"N550coupsen1h1", 3360, 3598, 15},
                                   {"N650coupsen2h1", 6700, 7198, 16},
                                   {"N7longlong1", 320000, 319998, 17}};
    const Level* chosen = nullptr;
    for (const Level& l : levels)
        if (l.index == level_index) chosen = &l;
    if (!chosen) chosen = &levels[5];
    for (const Level& l : levels) set_checked(l.item, false);
    set_checked("N8Autre1", false);
    set_checked(chosen->item, true);
    time_budget_ = chosen->budget;
    clock_limit_ = chosen->limit;
    level_index_ = chosen->index;
    engine_.set_level(time_budget_, clock_limit_);
    const int minutes[] = {1, 1, 1, 1, 1, 3, 5, 10, 30, 0, 0, 3, 5, 10, 30, 60, 120, 500};
    findChild<QLineEdit*>("Nbminutes")->setText(QString::number(minutes[level_index_]));
}

void MainWindow::N8Autre1Click() {
    set_checked("N8Autre1", level_index_ == 18);  // ticked only once a value is accepted
    QWidget* panel = widget("Panel9");
    panel->show();
    panel->raise();
}

void MainWindow::BitBtn24Click() {
    bool ok = false;
    const int n = findChild<QLineEdit*>("Nbminutes")->text().trimmed().toInt(&ok);
    // Beyond 9000 minutes the clock limit would not fit the clocks' range.
    if (!ok || n <= 0 || n > 9000) return;
    widget("Panel9")->hide();
    set_level(5);
    set_checked("Niveau05", false);
    findChild<QLineEdit*>("Nbminutes")->setText(QString::number(n));
    set_checked("N8Autre1", true);
    time_budget_ = n * 55;
    clock_limit_ = n * 60 - 2;
    level_index_ = 18;
    engine_.set_level(time_budget_, clock_limit_);
}

void MainWindow::BitBtn25Click() {
    widget("Panel9")->hide();
    set_checked("N8Autre1", level_index_ == 18);
    board_->placer_pions();
}

void MainWindow::Changerlesnoms1Click() {
    findChild<QLineEdit*>("Edit2")->setText(white_name_);
    findChild<QLineEdit*>("Edit3")->setText(black_name_);
    QWidget* panel = widget("Joueurs");
    panel->show();
    panel->raise();
}

void MainWindow::OKjoueurClick() {
    widget("Joueurs")->hide();
    set_names(findChild<QLineEdit*>("Edit2")->text(), findChild<QLineEdit*>("Edit3")->text());
}

void MainWindow::Cancel_joueursClick() {
    widget("Joueurs")->hide();
}

}  // namespace qv::ui
