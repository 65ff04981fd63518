// The game loop and the turn flow: the person's clicks, the computer's turn with its
// animation, the checks after every move and the end of the game.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstring>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/movegen.h"
#include "board/now.h"
#include "ui/board_widget.h"
#include "ui/captions.h"
#include "ui/entry.h"
#include "ui/main_window.h"
#include "ui/record.h"
#include "ui/session.h"

namespace qv::ui {

SessionState session;

namespace {
bool person_turn() {
    return session.computer_to_move == 0 || session.vs_computer == 0;
}
}  // namespace

// ---- the loop -------------------------------------------------------------------------

bool MainWindow::idle() const {
    if (session.quit_requested) return true;
    if (session.pending_click || session.computer_requested || !deferred_.isEmpty()) return false;
    if (checked("Ordinateurcontreordinateur1")) return false;
    if (session.setup_mode) return true;
    if (!person_turn()) return false;
    const bool ponder_due = checked("Rflexionsurtempsadverse1") && !session.skip_ponder &&
                            !session.pondered && session.vs_computer;
    return !ponder_due;
}

void MainWindow::game_loop() {
    if (in_loop_) return;  // loops never nest: the running loop picks up the new state
    in_loop_ = true;
    while (!session.quit_requested) {
        pass();
        if (!session.quit_requested && idle())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    in_loop_ = false;
}

void MainWindow::run_until_idle(int max_passes) {
    for (int i = 0; i < max_passes && !session.quit_requested; ++i) {
        pass();
        if (idle()) break;
    }
    QCoreApplication::processEvents();
}

bool MainWindow::pass() {
    if (session.computer_requested) session.computer_to_move = 1;
    if (session.computer_to_move) show_capture_labels(false);
    if (checked("Ordinateurcontreordinateur1")) session.computer_to_move = 1;
    refresh_commands();
    QCoreApplication::processEvents();
    if (session.quit_requested) return true;
    bool did = false;
    if (!session.setup_mode) {
        if (person_turn() && !session.computer_requested) {
            engine_.clear_stop();
            if (!session.vs_computer) std::memcpy(shown_board, board, sizeof board);
            if (checked("Rflexionsurtempsadverse1") && !session.skip_ponder && !session.pondered &&
                session.vs_computer) {
                std::memcpy(board, shown_board, sizeof board);
                shown_board[0] = OFF_BOARD;
                session.searching = 1;
                engine_.choose_move(session.side_to_move, true);
                session.searching = 0;
                std::memcpy(board, shown_board, sizeof board);
                session.pondered = 1;
                did = true;
            }
        } else {
            std::memcpy(board, shown_board, sizeof board);
            cancel_entry();
            computer_turn();
            session.pondered = 0;
            did = true;
        }
    }
    session.computer_requested = 0;
    run_deferred();
    if (session.pending_click) {
        session.pending_click = 0;
        clic1(session.pending_x, session.pending_y);
        did = true;
    }
    return !did;
}

bool MainWindow::defer(void (MainWindow::*handler)(), bool abandon) {
    if (!session.searching) return false;
    engine_.request_stop(abandon);
    if (!deferred_.contains(handler)) deferred_.append(handler);
    return true;
}

void MainWindow::run_deferred() {
    while (!deferred_.isEmpty()) {
        auto handler = deferred_.takeFirst();
        (this->*handler)();
    }
}

void MainWindow::process_events() {
    QCoreApplication::processEvents();
}

void MainWindow::wait_ms(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(std::max<int>(1, ms - int(t.elapsed())), &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// ---- clicks ---------------------------------------------------------------------------

void MainWindow::clic(QPoint p) {
    if (intro_->isVisible()) return;
    if (session.computer_to_move && session.vs_computer && !session.setup_mode) {
        if (session.game_state != 0) return;
        if (!checked("Arretrflexionparclicsouris1")) return;
    }
    if (QWidget* learn = widget("Learn")) learn->hide();
    session.pending_click = 1;
    session.pending_x = stored_x(p.x());
    session.pending_y = p.y();
    engine_.request_stop(false);
    if (side_->currentIndex() != 2) session.setup_mode = 0;
}

void MainWindow::clic1(int x, int y) {
    hide_draw_refused();
    if (entry.in_hand == 0) show_totals();
    if (session.computer_to_move && session.vs_computer && !session.setup_mode) return;
    board[0] = OFF_BOARD;
    const int s = square_of_click(x, y);
    if (s == 0) return;
    if (session.setup_mode) {
        if (!click_on_dark_square(x, y)) return;
        board[s] = placement_code_;
        draw_square(s, placement_code_);
        std::memcpy(shown_board, board, sizeof board);
        session.game_state = 0;
        store_ply(record.plies[record.current_ply].from, record.plies[record.current_ply].to,
                  record.plies[record.current_ply].captures, white_clock_, black_clock_);
        show_totals();
        return;
    }
    if (session.vs_computer) std::memcpy(board, shown_board, sizeof board);
    engine_.request_stop(false);
    if (!session.clocks_running) {
        session.clocks_running = 1;
        white_turn_start_ = black_turn_start_ = now();
        timer_->start();
        set_checked("Pause2", false);
    }
    entry.decompose_captures = checked("Dcomposerlesprises1");
    EnteredMove made;
    if (entry_click(s, session.side_to_move, *this, made))
        after_person_move(made.from, made.to, made.captures);
}

void MainWindow::after_person_move(int from, int to, int captures) {
    const int mover = session.side_to_move;
    if (mover == WHITE)
        white_clock_ = std::max(white_clock_, white_shown_);
    else
        black_clock_ = std::max(black_clock_, black_shown_);
    session.side_to_move = 1 - session.side_to_move;
    record.side_after_last_move = session.side_to_move;
    const bool cut = record.current_ply < record.last_ply;
    if (!record_move(from, to, captures, white_clock_, black_clock_)) {
        show_error("Partie trop longue : le coup n'est pas enregistré");
    } else {
        if (cut)
            while (list_moves_->count() > line_index_of_ply(record.current_ply) + 1)
                delete list_moves_->takeItem(list_moves_->count() - 1);
        write_line();
    }
    session.game_result = 3;
    if (session.vs_computer) {
        session.computer_to_move = 1;
        std::memcpy(shown_board, board, sizeof board);
        return;
    }
    if (session.side_to_move == WHITE)
        white_turn_start_ = now();
    else
        black_turn_start_ = now();
    if (entry.in_hand == 0) {
        show_totals();
        session.legal_count = uint8_t(legal_moves(session.side_to_move));
        if (session.legal_count == 0) end_of_game(0);
    }
}

void MainWindow::write_line() {
    const int p = record.current_ply;
    if (p < 1) return;
    if (record.last_ply <= 1) list_moves_->clear();
    const int k = line_index_of_ply(p);
    const QString text = QString::fromStdString(line_of_ply(p));
    if (k < list_moves_->count())
        list_moves_->item(k)->setText(text);
    else
        list_moves_->addItem(text);
    list_moves_->setCurrentRow(k);
}

void MainWindow::rebuild_list() {
    list_moves_->clear();
    for (int p = 2; p <= record.last_ply; p += 2) {
        list_moves_->addItem(QString::fromStdString(line_of_ply(p)));
        list_moves_->setCurrentRow(list_moves_->count() - 1);
    }
    if (record.last_ply % 2 == 1) {
        // The last half line has no trailing blank here.
        list_moves_->addItem(QString::fromStdString(line_of_ply(record.last_ply)).chopped(1));
        list_moves_->setCurrentRow(list_moves_->count() - 1);
    }
}

// ---- the computer's turn --------------------------------------------------------------

void MainWindow::show_colour_caption() {
    const char* key = session.computer_colour == BLACK ? "Ordinateur noir" : "Ordinateur blanc";
    if (auto* b = findChild<QPushButton*>("Couleurordi")) b->setText(QString::fromUtf8(key));
}

void MainWindow::computer_turn() {
    if (session.last_from) {
        draw_square(session.last_from, shown_board[session.last_from]);
        draw_square(session.last_to, shown_board[session.last_to]);
    }
    show_totals();
    session.computer_to_move = 1;
    const bool self_play = checked("Ordinateurcontreordinateur1");
    const char* locked[] = {"Nouveau2",
                            "Humaincontrehumain1",
                            "Sauver1",
                            "Ouvrir1",
                            "Imprimer1",
                            "Quitter1",
                            "Installeruneposition1",
                            "Crerunfichiertexte1",
                            "Inverserlesjoueurs1"};
    for (const char* n : locked) set_enabled(n, false);
    for (const char* m : {"Edition1", "Joueurs1", "Analyse2"}) menus_[m]->setEnabled(false);
    if (!self_play) menus_["Fichier1"]->setEnabled(false);
    set_enabled("Proposernul", false);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    session.computer_colour = session.side_to_move;
    show_colour_caption();
    engine_.set_level(time_budget_, clock_limit_);
    engine_.clear_stop();  // whatever asked to stop before this search is forgotten
    list_progress_->clear();
    session.searching = 1;
    int index = engine_.choose_move(session.side_to_move, false);
    session.searching = 0;
    const bool abandoned = engine_.abandoned();
    single_move_ = index == SINGLE_MOVE;
    if (single_move_) index = 0;

    QApplication::restoreOverrideCursor();
    for (const char* n : locked) set_enabled(n, true);
    for (const char* m : {"Edition1", "Joueurs1"}) menus_[m]->setEnabled(true);
    menus_["Fichier1"]->setEnabled(true);
    set_enabled("Proposernul", true);

    if (abandoned) {
        // The search was called off (navigation, a new game): nothing is played.
        session.computer_to_move = 0;
        std::memcpy(board, shown_board, sizeof board);
        return;
    }
    if (index < NO_MOVE) {
        const int chosen = index;
        const auto totals = count_pieces();
        const int own = session.side_to_move == WHITE ? totals.white : totals.black;
        const int other = session.side_to_move == WHITE ? totals.black : totals.white;
        if (level_index_ == 0 && own > other && move_count[1] > 1 && !single_move_) index = 1;
        if (QWidget* zut = widget("Zut")) zut->setVisible(index != chosen);
        // The computer's draw offer in a quiet ending.
        QWidget* offer = widget("Panel8");
        const int pieces = totals.white + totals.black;
        bool king = false;
        for (int s = 1; s <= 32; ++s) king = king || is_king(board[s]);
        bool offered = false;
        if (pieces < 6 && king && record.current_ply > 20) {
            bool quiet = true;
            for (int p = record.current_ply; p > record.current_ply - 20; --p)
                quiet = quiet && record.plies[p].captures == 0;
            offered = quiet && pieces < 5 && engine_.last_score() > -30000 &&
                      engine_.last_score() < 30000;
        }
        offer->setVisible(offered);
        blink_and_play(index);
    }
    session.computer_to_move = 0;
    show_totals();
    session.legal_count = uint8_t(legal_moves(session.side_to_move));
    session.skip_ponder = movegen.best_capture_count > 2;
    std::memcpy(shown_board, board, sizeof board);
    if (session.legal_count == 0) {
        end_of_game(2);
        return;
    }
    if (checked("Bipchaquecoup2")) play_sound("son.wav");
}

void MainWindow::blink_and_play(int index) {
    const Move move = move_lists[1][index];
    const uint8_t piece = board[move.from];
    const bool jumps = move.captures > 1 && checked("Dcomposerlesprises1");
    uint8_t landing[MAX_CAPTURE + 1] = {};
    if (jumps) landing_squares(move, landing);
    board[move.from] = EMPTY;
    for (int i = 0; i < 10; ++i) {
        draw_square(move.from, i % 2 == 0 ? piece : EMPTY);
        wait_ms(10);
    }
    draw_square(move.from, EMPTY);
    if (jumps) {
        for (int d = 1; d < move.captures; ++d) {
            draw_square(landing[d], piece);
            wait_ms(500);
            draw_square(landing[d], EMPTY);
        }
        draw_square(move.to, piece);
        wait_ms(1000);
    }
    for (int i = 0; i < move.captures; ++i) {
        board[move.taken[i]] = EMPTY;
        draw_square(move.taken[i], EMPTY);
    }
    uint8_t arrived = piece;
    if (piece == BLACK_MAN && move.to >= 29) arrived = BLACK_KING;
    if (piece == WHITE_MAN && move.to <= 4) arrived = WHITE_KING;
    board[move.to] = arrived;
    draw_square(move.to, arrived);

    // The computer's clock: what the search took.
    const int32_t used =
        now() - (session.side_to_move == WHITE ? white_turn_start_ : black_turn_start_);
    if (session.clocks_running) {
        if (session.side_to_move == WHITE)
            white_clock_ += std::max(0, used);
        else
            black_clock_ += std::max(0, used);
    }
    session.side_to_move = 1 - session.side_to_move;
    record.side_after_last_move = session.side_to_move;
    const bool cut = record.current_ply < record.last_ply;
    if (record_move(move.from, move.to, move.captures, white_clock_, black_clock_)) {
        if (cut)
            while (list_moves_->count() > line_index_of_ply(record.current_ply) + 1)
                delete list_moves_->takeItem(list_moves_->count() - 1);
        write_line();
    }
    board_->frame_square(move.to, FRAME_CYAN);
    board_->frame_square(move.from, FRAME_SILVER);
    session.last_from = move.from;
    session.last_to = move.to;
    if (session.side_to_move == WHITE)
        white_turn_start_ = now();
    else
        black_turn_start_ = now();
    show_clocks();
}

// ---- end of the game ------------------------------------------------------------------

void MainWindow::play_sound(const char* file) {
    platform_.play_sound(QString::fromStdString(data_path(file).string()));
}

void MainWindow::end_of_game(int reason) {
    if (session.game_state == 5) return;
    auto* winner = findChild<QLabel*>("qui_gagne");
    int result = 1;
    QString text;
    const bool sounds = checked("Commentaires1");
    const char* sound = nullptr;
    const bool white_blocked = legal_moves(WHITE) == 0;
    const bool black_blocked = !white_blocked && legal_moves(BLACK) == 0;
    if (white_blocked || black_blocked) {
        result = white_blocked ? 0 : 2;
        const int winner_side = white_blocked ? BLACK : WHITE;
        if (!session.vs_computer) {
            text = winner_side == WHITE ? "Gain des blancs" : "Gain des noirs";
        } else if (session.game_state == 0) {
            if (winner_side == session.computer_colour) {
                text = QString::fromUtf8("Désolé, QUORVEL a gagné");
                sound = "Perdu.wav";
            } else {
                text = "Bravo, vous avez gagné";
                sound = "gagne.wav";
            }
        } else {
            text = (winner_side == WHITE ? white_name_ : black_name_) + " gagne";
        }
    }
    const int person = 1 - session.computer_colour;
    switch (reason) {
        case 1:
            text = "Match nul !";
            result = 1;
            break;
        case 4:
            text = QString::fromUtf8("Temps dépassé, gain QUORVEL");
            sound = "Perdu.wav";
            result = session.computer_colour == WHITE ? 2 : 0;
            break;
        case 5:
            text = QString::fromUtf8("Temps dépassé, vous gagnez");
            sound = "gagne.wav";
            result = person == WHITE ? 2 : 0;
            break;
        case 6:
            text = "Vous abandonnez, gain QUORVEL";
            sound = "Perdu.wav";
            result = session.computer_colour == WHITE ? 2 : 0;
            break;
        default:
            break;
    }
    winner->setText(text);
    if (session.game_state == 0) {
        findChild<QLabel*>("Resultat_blanc")->clear();
        findChild<QLabel*>("Resultat_noir")->clear();
    }
    QWidget* panel = widget("fin_de_parties");
    panel->show();
    panel->raise();
    if (session.game_state == 1) session.game_state = 5;
    for (const char* m : {"Fichier1", "Edition1", "Joueurs1", "Niveau1"})
        menus_[m]->setEnabled(true);
    if (checked("Ordinateurcontreordinateur1")) set_checked("Ordinateurcontreordinateur1", false);
    set_enabled("Arretrflexionparclicsouris1", true);
    session.game_result = uint8_t(result);
    if (sounds && sound) play_sound(sound);
}

void MainWindow::BitBtn13Click() {
    widget("fin_de_parties")->hide();
    board_->placer_pions();
}

void MainWindow::ProposernulClick() {
    if (defer(&MainWindow::ProposernulClick, false)) return;
    const auto totals = count_pieces();
    if (totals.white + totals.black < 20 && engine_.last_score() <= 0) {
        end_of_game(1);
        return;
    }
    QWidget* refused = widget("Nulrefus");
    refused->show();
    refused->raise();
}

void MainWindow::BitBtn14Click() {
    widget("Panel8")->hide();
    end_of_game(1);
}

void MainWindow::Annul_nulClick() {
    widget("Panel8")->hide();
}

void MainWindow::AbandonClick() {
    if (defer(&MainWindow::AbandonClick)) return;
    end_of_game(6);
    session.game_state = 0;
}

void MainWindow::pause() {
    // "Arrêter le calcul": the search ends and plays the best move found so far.
    engine_.request_stop(false);
}

// ---- the window kept up to date ---------------------------------------------------------

void MainWindow::refresh_commands() {
    const bool match = session.game_state == 1 || session.game_state == 5;
    for (const char* n : {"Abandon1"}) widget(n)->setVisible(match);
    auto* mode = findChild<QLabel*>("Panel11");
    if (match)
        mode->setText("Match");
    else if (session.vs_computer)
        mode->setText(QString::fromUtf8(caption_of(language_, "Panel11")));
    const bool rated = session.game_state == 1;
    for (const char* m : {"Fichier1", "Joueurs1", "Analyse2", "Ouvertures1"})
        if (!session.searching) menus_[m]->setEnabled(!rated);
    for (const char* n :
         {"Rflexionsurtempsadverse1", "Horlogeszro1", "Pause2", "Reprendrecoups1", "Avancercoups1",
          "Reveniraudbut1", "Allerlafin1", "Arretrflexionparclicsouris1"})
        set_enabled(n, !rated);
    menus_["Niveau1"]->setEnabled(!(rated && record.current_ply > 10));
    show_board3d_labels();
}

void MainWindow::show_capture_labels(bool visible) {
    for (const char* n : {"Label29", "Label30", "Label31"}) widget(n)->setVisible(visible);
}

void MainWindow::show_totals() {
    const auto totals = count_pieces();
    findChild<QLabel*>("Nbpionsblancs")->setText(QString::asprintf("%2d", totals.white));
    findChild<QLabel*>("Nbpionsnoirs")->setText(QString::asprintf("%2d", totals.black));
    show_board3d_labels();
    if (session.setup_mode) show_static_evaluations();
}

void MainWindow::hide_draw_refused() {
    widget("Nulrefus")->hide();
}

void MainWindow::draw_square(int s, uint8_t code) {
    board_->draw_square(s, code);
}

void MainWindow::frame_square(int s, Rgb colour) {
    board_->frame_square(s, colour);
}

void MainWindow::redraw_empty_squares() {
    for (int s = 1; s <= 32; ++s)
        if (board[s] == EMPTY) board_->draw_square(s, EMPTY);
}

}  // namespace qv::ui
