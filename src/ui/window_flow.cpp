// The window's side of the turn flow: the command locks applied to the menus, the play
// options shown as ticks, and the handlers of the commands that wait for a search.
#include <QAction>
#include <QMenu>
#include <QTabWidget>

#include "analysis/analysis.h"
#include "game/game_record.h"
#include "game/turn_flow.h"
#include "ui/main_window.h"

namespace qv::ui {

namespace {

struct OptionTick {
    Option option;
    const char* item;
};
constexpr OptionTick OPTION_TICKS[] = {
    {Option::self_play, "Ordinateurcontreordinateur1"},
    {Option::ponder, "Rflexionsurtempsadverse1"},
    {Option::stop_on_click, "Arretrflexionparclicsouris1"},
    {Option::decompose_captures, "Dcomposerlesprises1"},
    {Option::beep_each_move, "Bipchaquecoup2"},
    {Option::other_sounds, "Commentaires1"},
};

constexpr const char* GAME_COMMANDS[] = {
    "Nouveau2",
    "Humaincontrehumain1",
    "Sauver1",
    "Ouvrir1",
    "Imprimer1",
    "Quitter1",
    "Installeruneposition1",
    "Crerunfichiertexte1",
    "Inverserlesjoueurs1",
};
constexpr const char* MATCH_OPTIONS[] = {
    "Rflexionsurtempsadverse1",
    "Horlogeszro1",
    "Pause2",
    "Reprendrecoups1",
    "Avancercoups1",
    "Reveniraudbut1",
    "Allerlafin1",
    "Arretrflexionparclicsouris1",
};
constexpr int PROBLEM_PAGE = 2;

}  // namespace

void MainWindow::connect_option_ticks() {
    // Every change of a tick, by the person or by the program, is the option's new value.
    for (const OptionTick& t : OPTION_TICKS) {
        const Option o = t.option;
        connect(action(t.item), &QAction::toggled, this, [o](bool on) { set_option(o, on); });
    }
    show_options();
}

void MainWindow::show_options() {
    for (const OptionTick& t : OPTION_TICKS) set_checked(t.item, option(t.option));
}

void MainWindow::apply_locks() {
    apply_locks(analysis.running);
}

void MainWindow::apply_locks(bool analysis_running) {
    const CommandLocks l = command_locks(analysis_running);
    const std::pair<const char*, bool> groups[] = {
        {"Fichier1", l.file_menu},
        {"Edition1", l.edit_menu},
        {"Joueurs1", l.players_menu},
        {"Analyse2", l.analysis_menu},
        {"Ouvertures1", l.openings_menu},
        {"Niveau1", l.level_menu},
        {"Apprentissage1", l.learning_menu},
        {"Lancerunesession1", l.start_session},
        {"Chargerdesleons1", l.load_lessons},
        {"Proposernul", l.game_commands},
    };
    for (const auto& [name, on] : groups) set_enabled(name, on);
    for (const char* n : GAME_COMMANDS) set_enabled(n, l.game_commands);
    for (const char* n : MATCH_OPTIONS) set_enabled(n, l.match_options);
    for (const char* n : {"Abandon1", "Abandon2", "Abandon3"})
        widget(n)->setVisible(l.resign_shown);
    widget("Proposernul")->setVisible(l.draw_offer_shown);
    // Only on a change: the tab bar repaints at every call, and this runs at every pass of
    // the game loop, so an unconditional call kept an idle window repainting without end.
    if (side_->isTabVisible(PROBLEM_PAGE) != l.problem_page_shown)
        side_->setTabVisible(PROBLEM_PAGE, l.problem_page_shown);
    if (side_->isTabEnabled(PROBLEM_PAGE) != l.problem_page_enabled)
        side_->setTabEnabled(PROBLEM_PAGE, l.problem_page_enabled);
    if (dialog_open()) refresh_dialog_locks();
}

bool MainWindow::setup_locked() const {
    return !command_locks(analysis.running).problem_page_enabled;
}

MainWindow::Handler MainWindow::handler_of(Command c) {
    switch (c) {
        case Command::take_back:
            return &MainWindow::reprise;
        case Command::forward:
            return &MainWindow::avancer;
        case Command::to_start:
            return &MainWindow::revenir_debut;
        case Command::to_end:
            return &MainWindow::Aller_fin;
        case Command::new_game:
            return &MainWindow::Nouveau2Click;
        case Command::swap_players:
            return &MainWindow::inverser_joueurs;
        case Command::open_game:
            return &MainWindow::ouvre;
        case Command::open_text_game:
            return &MainWindow::Ouvrirunfichiertexte1Click;
        case Command::propose_draw:
            return &MainWindow::ProposernulClick;
        case Command::resign:
            return &MainWindow::AbandonClick;
        case Command::analyse:
            return &MainWindow::Analyser;
        case Command::set_up_position:
            return &MainWindow::Installeruneposition1Click;
        case Command::leave_set_up:
            return &MainWindow::Entrerpositionclick;
        case Command::fill_board:
            return &MainWindow::remplir;
        case Command::empty_board:
            return &MainWindow::vider;
        case Command::set_up_colour:
            return &MainWindow::Change_couleur;
        case Command::set_up_who_moves:
            return &MainWindow::Couleur_joue;
        case Command::set_up_direction:
            return &MainWindow::Change_dir_click;
        case Command::lessons:
            return &MainWindow::Problmes1Click;
        case Command::lesson_next:
            return &MainWindow::Button1Click;
        case Command::lesson_replay:
            return &MainWindow::Panel14Click;
        case Command::start_session:
            return &MainWindow::Lancerunesession1Click;
        case Command::session_game_over:
            return &MainWindow::session_game_over;
        case Command::load_lessons:
            return &MainWindow::Chargerdesleons1Click;
        case Command::parameters_ok:
            return &MainWindow::parametreOKClick;
        case Command::load_parameters:
            return &MainWindow::Chargerdesparamtres1Click;
        case Command::table_size_0:
            return &MainWindow::N0Mo1Click;
        case Command::table_size_1:
            return &MainWindow::N07Mo1Click;
        case Command::table_size_2:
            return &MainWindow::N15Mo1Click;
        case Command::table_size_3:
            return &MainWindow::N3Mo1Click;
        case Command::table_size_4:
            return &MainWindow::N5Mo1Click;
        case Command::table_size_5:
            return &MainWindow::N10Mo1Click;
        case Command::table_size_6:
            return &MainWindow::N15Mo2Click;
        case Command::table_size_7:
            return &MainWindow::N30Mo1Click;
    }
    return nullptr;
}

bool MainWindow::defer(Handler handler, bool abandon) {
    return wait_for_search(handler, abandon ? Wait::abandon : Wait::stop);
}

bool MainWindow::defer_after_move(Handler handler) {
    return wait_for_search(handler, Wait::after_move);
}

bool MainWindow::wait_for_search(Handler handler, Wait how) {
    for (int i = 0; i < COMMAND_COUNT; ++i) {
        const auto c = Command(i);
        if (handler_of(c) != handler) continue;
        const Deferral d = defer_command(c, how);
        if (d.stop != StopRequest::none) engine_.request_stop(d.stop == StopRequest::abandon);
        return d.deferred;
    }
    missing("deferred command", "?");
}

void MainWindow::run_deferred() {
    while (const auto c = next_deferred()) (this->*handler_of(*c))();
}

}  // namespace qv::ui
