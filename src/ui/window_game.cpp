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
#include <algorithm>
#include <cstring>

#include "analysis/analysis.h"
#include "board/board.h"
#include "board/data_dir.h"
#include "board/movegen.h"
#include "board/now.h"
#include "files/game_file.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "game/players.h"
#include "game/session.h"
#include "lang/messages.h"
#include "search/driver.h"
#include "ui/board_widget.h"
#include "ui/captions.h"
#include "ui/entry.h"
#include "ui/lesson_panel.h"
#include "ui/main_window.h"
#include "ui/session.h"

namespace qv::ui {

SessionState session;

// ---- the loop -------------------------------------------------------------------------

bool MainWindow::idle() const {
    if (session.quit_requested) return true;
    return loop_idle(session.pending_click, analysis.running);
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
    if (game.computer_requested || game.computer_to_move) show_capture_labels(false);
    begin_pass();
    refresh_commands();
    QCoreApplication::processEvents();
    if (session.quit_requested) return true;
    const TurnStep step = turn_step(analysis.running);
    if (step == TurnStep::person || step == TurnStep::ponder) {
        engine_.clear_stop();
        if (!game.vs_computer) std::memcpy(shown_board, board, sizeof board);
    }
    if (step == TurnStep::ponder) {
        std::memcpy(board, shown_board, sizeof board);
        shown_board[0] = OFF_BOARD;
        flow.searching = 1;
        engine_.choose_move(game.side_to_move, true);
        flow.searching = 0;
        std::memcpy(board, shown_board, sizeof board);
    } else if (step == TurnStep::computer) {
        std::memcpy(board, shown_board, sizeof board);
        cancel_entry();
        computer_turn();
    }
    turn_step_done(step);
    end_pass();
    run_deferred();
    sync_timer();
    apply_locks();
    bool did = step == TurnStep::ponder || step == TurnStep::computer;
    if (session.pending_click) {
        session.pending_click = 0;
        clic1(session.pending_x, session.pending_y);
        did = true;
    }
    return !did;
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
    if (intro_->isVisible() || analysis.running) return;
    if (game.computer_to_move && game.vs_computer && !game.setup_mode) {
        if (game.game_state != FREE_GAME) return;
        if (!game.stop_on_click) return;
    }
    if (QWidget* learn = widget("Learn")) learn->hide();
    session.pending_click = 1;
    session.pending_x = stored_x(p.x());
    session.pending_y = p.y();
    engine_.request_stop(false);
    if (side_->currentIndex() != 2) game.setup_mode = 0;
}

void MainWindow::clic1(int x, int y) {
    hide_draw_refused();
    if (entry.in_hand == 0) show_totals();
    if (game.computer_to_move && game.vs_computer && !game.setup_mode) return;
    board[0] = OFF_BOARD;
    const int s = square_of_click(x, y);
    if (s == 0) return;
    if (game.setup_mode) {
        if (!click_on_dark_square(x, y) || !place_piece(s, placement_code_)) return;
        draw_square(s, placement_code_);
        show_totals();
        show_set_up_record();
        return;
    }
    if (game.vs_computer) std::memcpy(board, shown_board, sizeof board);
    engine_.request_stop(false);
    // Play begins: the clocks run from now, even if "Pause" was pressed before.
    if (start_play(now())) set_checked("Pause2", false);
    sync_timer();
    entry.decompose_captures = flow.options.decompose_captures;
    EnteredMove made;
    if (entry_click(s, game.side_to_move, *this, made))
        after_person_move(made.from, made.to, made.captures);
}

void MainWindow::after_person_move(int from, int to, int captures) {
    const TurnEnd e = qv::after_person_move(from, to, captures, now());
    sync_timer();
    sync_list();
    show_clocks();
    if (entry.in_hand == 0) show_totals();
    if (e.ended) show_report(e.report);
}

void MainWindow::sync_list() {
    if (lesson_panel_) lesson_panel_->follow_game();
    std::vector<std::string> lines = game.list_lines;
    // A problem's moves after the one in hand are its solution: listed once it shows.
    if (lesson_panel_ && lesson_panel_->hides_solution()) {
        const int p = game.current_ply;
        lines.resize(std::min(lines.size(), static_cast<size_t>((p + 1) / 2)));
        if (p % 2 == 1 && !lines.empty()) {
            const PlyRecord& r = game.game_record[p];
            lines.back() = half_move_line(p / 2 + 1, r.from, r.to, r.capture_count != 0);
        }
    }
    while (list_moves_->count() > int(lines.size()))
        delete list_moves_->takeItem(list_moves_->count() - 1);
    for (size_t i = 0; i < lines.size(); ++i) {
        const QString text = QString::fromStdString(lines[i]);
        if (int(i) < list_moves_->count()) {
            if (list_moves_->item(int(i))->text() != text) list_moves_->item(int(i))->setText(text);
        } else {
            list_moves_->addItem(text);
        }
    }
    list_moves_->setCurrentRow(game.list_selection < int(lines.size()) ? game.list_selection : -1);
}

// ---- the computer's turn --------------------------------------------------------------

void MainWindow::show_colour_caption() {
    // The table lists Black first.
    const int k = game.computer_colour == BLACK ? 0 : 1;
    button_of("Couleurordi")
        ->setText(QString::fromUtf8(caption_variant(language_, "Couleurordi", k)));
}

void MainWindow::computer_turn() {
    if (game.last_from) {
        draw_square(game.last_from, shown_board[game.last_from]);
        draw_square(game.last_to, shown_board[game.last_to]);
    }
    show_totals();
    // A rated match lost on time is reported; the computer still moves, play going on
    // unrated.
    const TurnEnd start = begin_computer_turn();
    if (start.ended) show_report(start.report);
    flow.searching = 1;
    apply_locks();
    QApplication::setOverrideCursor(Qt::WaitCursor);

    show_colour_caption();
    engine_.set_level(clocks.time_budget, clocks.clock_limit);
    engine_.clear_stop();  // whatever asked to stop before this search is forgotten
    list_progress_->clear();
    int index = engine_.choose_move(game.side_to_move, false);
    flow.searching = 0;
    const bool abandoned = engine_.abandoned();
    single_move_ = index == SINGLE_MOVE;
    if (single_move_) index = 0;

    QApplication::restoreOverrideCursor();
    apply_locks();

    if (abandoned) {
        // The search was called off (navigation, a new game): nothing is played.
        game.computer_to_move = 0;
        std::memcpy(board, shown_board, sizeof board);
        return;
    }
    if (index >= NO_MOVE) {
        const TurnEnd e = computer_cannot_move();
        if (e.ended) show_report(e.report);
        return;
    }
    const int chosen = index;
    index = handicap_choice(chosen, game.side_to_move, move_count[1], single_move_);
    if (QWidget* zut = widget("Zut")) zut->setVisible(index != chosen);
    widget("Panel8")->setVisible(computer_offers_draw(engine_.last_score()));
    const Move move = move_lists[1][index];
    animate_computer_move(move);
    const TurnEnd e = computer_move_played(move, engine_.last_score(), now());
    board_->placer_pions();
    if (game.last_from) {
        board_->frame_square(game.last_to, FRAME_CYAN);
        board_->frame_square(game.last_from, FRAME_SILVER);
    }
    sync_timer();
    sync_list();
    show_clocks();
    show_totals();
    show_options();
    if (e.ended) {
        show_report(e.report);
        return;
    }
    if (flow.options.beep_each_move) play_sound("son.wav");
}

void MainWindow::animate_computer_move(const Move& move) {
    // Drawn only: the game plays the move on board afterwards.
    const uint8_t piece = board[move.from];
    const bool jumps = move.captures > 1 && flow.options.decompose_captures;
    uint8_t landing[MAX_CAPTURE + 1] = {};
    if (jumps) landing_squares(move, landing);
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
}

// ---- end of the game ------------------------------------------------------------------

void MainWindow::play_sound(const char* file) {
    platform_.play_sound(QString::fromStdString(data_path(file).string()));
}

void MainWindow::end_of_game(EndReason reason) {
    show_report(qv::end_of_game(reason));
}

void MainWindow::word_report() {
    const EndReport& r = last_report_;
    if (!r.reported) return;
    QString text;
    if (r.message == Msg::PLAYER_WINS)
        text = QString::fromStdString(
            format_message(Msg::PLAYER_WINS, language_, r.winner_name.c_str()));
    else if (r.message)
        text = msg(*r.message);
    child<QLabel>("qui_gagne")->setText(text);
    auto* white = child<QLabel>("Resultat_blanc");
    auto* black = child<QLabel>("Resultat_noir");
    if (!r.ratings_changed) {
        white->clear();
        black->clear();
        return;
    }
    auto line = [this](const RatingChange& c) {
        return QString::fromStdString(
            format_message(Msg::RATING_CHANGE, language_, c.name.c_str(), c.before, c.after));
    };
    white->setText(line(r.white_rating));
    black->setText(line(r.black_rating));
}

void MainWindow::show_report(const EndReport& r) {
    sync_timer();
    show_clocks();
    if (!r.reported) return;
    last_report_ = r;
    word_report();
    // A learning session goes on once the turn that ended the game is over.
    if (r.start_analysis) queue_command(Command::session_game_over);
    if (r.show_panel) {
        QWidget* panel = widget("fin_de_parties");
        panel->show();
        panel->raise();
    }
    apply_locks();
    show_options();
    if (flow.options.other_sounds && r.sound != Sound::none)
        play_sound(r.sound == Sound::gagne ? "gagne.wav" : "Perdu.wav");
}

void MainWindow::BitBtn13Click() {
    widget("fin_de_parties")->hide();
    board_->placer_pions();
}

void MainWindow::ProposernulClick() {
    if (defer(&MainWindow::ProposernulClick, false)) return;
    const TurnEnd e = qv::person_offers_draw(engine_.last_score_side(), engine_.last_score());
    if (e.ended) {
        show_report(e.report);
        return;
    }
    QWidget* refused = widget("Nulrefus");
    refused->show();
    refused->raise();
}

void MainWindow::BitBtn14Click() {
    widget("Panel8")->hide();
    show_report(qv::accept_computer_draw());
}

void MainWindow::Annul_nulClick() {
    widget("Panel8")->hide();
}

void MainWindow::AbandonClick() {
    if (defer(&MainWindow::AbandonClick)) return;
    show_report(qv::person_resigns());
}

void MainWindow::pause() {
    // "Arrêter le calcul": the search ends and plays the best move found so far. During an
    // analysis ("Arrêter cette phase", "Suivant") the analysis goes on with the previous move.
    engine_.request_stop(false);
    qv::pause();
}

// ---- the window kept up to date ---------------------------------------------------------

void MainWindow::refresh_commands() {
    if (game.game_state == RATED_MATCH || game.game_state == RATED_MATCH_REPORTED)
        mode_component_ = "Match1";
    else if (game.vs_computer)
        mode_component_ = "Panel11";
    show_mode();
    apply_locks();
    show_board3d_labels();
}

void MainWindow::show_mode() {
    child<QLabel>("Panel11")->setText(text_of(mode_component_));
}

void MainWindow::show_capture_labels(bool visible) {
    for (const char* n : {"Label29", "Label30", "Label31"}) widget(n)->setVisible(visible);
}

void MainWindow::show_totals() {
    const auto totals = count_pieces();
    child<QLabel>("Nbpionsblancs")->setText(QString::asprintf(" %2d", totals.white));
    child<QLabel>("Nbpionsnoirs")->setText(QString::asprintf(" %2d", totals.black));
    show_board3d_labels();
    if (game.setup_mode) show_static_evaluations();
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
