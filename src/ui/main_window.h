// The main window: menus, the 2D board, clocks and counters, the side panel with its
// three pages, the floating panels, and the game loop that runs the turns.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "board/host.h"
#include "board/message_id.h"
#include "game/clocks.h"
#include "game/session.h"
#include "game/turn_flow.h"
#include "ui/board_view.h"
#include "ui/engine.h"
#include "ui/platform.h"

class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QFrame;
class QGroupBox;
class QRadioButton;
class QTranslator;

namespace qv::ui {

class BoardWidget;
class Board3dView;
class OpeningsForm;
class ParamsForm;
class Form4;
class LessonPanel;

class MainWindow : public QMainWindow, public BoardView, public Host {
    Q_OBJECT
  public:
    MainWindow(Platform& platform, Engine& engine);
    ~MainWindow() override;

    // ---- the game loop ----
    // Runs until quit_requested; waits for events when there is nothing to do.
    void game_loop();
    // One pass of the loop (without waiting); true when the pass found nothing to do.
    bool pass();
    // Passes until the loop would wait (tests).
    void run_until_idle(int max_passes = 10000);
    bool idle() const;

    // At start-up: a person's folder that could not be made, data files found nowhere.
    void report_data_folders(bool folder_made, const std::vector<std::string>& missing);

    // ---- pieces tests and the app reach ----
    // The menu item or child widget of that object name. An unknown name is a mistake in
    // the program: it stops with the name.
    QAction* action(const char* name) const;
    QWidget* widget(const char* name) const;
    // The menu item of that name, or nullptr (for code that asks what kind a component is).
    QAction* find_action(const char* name) const;
    template <class T>
    T* child(const char* name) const {
        T* found = findChild<T*>(QString::fromLatin1(name));
        if (!found) missing("widget", name);
        return found;
    }
    BoardWidget* board_widget() const { return board_; }
    QListWidget* move_list() const { return list_moves_; }
    QListWidget* progress_list() const { return list_progress_; }
    QTabWidget* side_panel() const { return side_; }

    // Start-up panel buttons.
    void SpeedButton6Click();  // the 2D board
    void select_language(int language);

    // BoardView
    void draw_square(int s, uint8_t code) override;
    void frame_square(int s, Rgb colour) override;
    void redraw_empty_squares() override;
    void show_capture_labels(bool visible) override;
    void show_totals() override;
    void hide_draw_refused() override;
    void wait_ms(int ms) override;

    // Host
    void process_events() override;
    void show_error(Msg message) override;
    void report_fatal(Msg message) override;
    void show_progress(const SearchProgress& progress) override;
    void clear_root_moves() override;
    void set_root_move(int index, std::string_view text) override;
    void refresh_clock(int side, int32_t seconds) override;
    void orientation_changed() override;

    // Handlers (French names as in the menus they serve).
    void clic(QPoint window_point);
    void clic1(int x, int y);
    void remplir();
    void vider();
    void Entrerpositionclick();
    void Installeruneposition1Click();
    void show_page(int index);  // without the page-change handler
    void Change_couleur();
    void Couleur_joue();
    void Change_dir_click();
    void Inverser();
    void numerotation_click();
    void reprise();
    void avancer();
    void revenir_debut();
    void Aller_fin();
    void revenir_n(int line);
    void pause();
    void quitter();
    void Nouveau2Click();
    void BitBtn15Click();
    void BitBtn17Click();
    void Annule_nouveauClick();
    void BitBtn13Click();
    void ProposernulClick();
    void BitBtn14Click();
    void Annul_nulClick();
    void AbandonClick();
    void inverser_joueurs();
    void Ordinateur();
    void Ordinateurcontreordinateur1Click();
    void Horlogeszro1Click();
    void Pause2Click();
    void ajouter_temps();
    // Timer1 runs while a side is charged (clocks_charging).
    void sync_timer();
    void set_level(int level_index);
    // Ticks the level and time control held in `clocks` ("Autre" with its minutes).
    void tick_level_in_force();
    void N8Autre1Click();
    void BitBtn24Click();
    void BitBtn25Click();
    void Changerlesnoms1Click();
    void OKjoueurClick();
    void Cancel_joueursClick();
    void Match21Click();
    void BitBtn7Click();
    void OClick();
    void Effacerunjoueur1Click();
    void ListBox7Click();
    void BitBtn20Click();
    void BitBtn12Click();
    void RamenerTarnavelClick();
    void Apropos1Click();
    void BitBtn26Click();  // OK of the "A propos" panel
    void Crerunfichiertexte1Click();
    void Ouvrirunfichiertexte1Click();
    // The game chosen in the choice panel (waiting for the person), -1 when cancelled.
    int choose_text_game(const std::vector<std::string>& lines);
    void Imprimer1Click();
    void Best1Click();
    void Guide1Click();
    void Rgles1Click();
    // Shows a page of the help folder, or the file error when it is missing.
    void open_help(const char* page);
    void placement_button(int code);

    // The perspective board (window_board3d.cpp).
    Board3dView* board3d() const { return view3d_; }
    void Damier3DClick(int theme);  // Damier3D1Click .. Damier3D8Click
    void Jeuenaveugle1Click();
    void Editerlimagefichierbmp1Click();
    void DamierImage1Click(QPoint picture_point);
    void pick_theme(int theme);  // a style button of the start-up panel

    // The "Paramétrage" menu (window_settings.cpp).
    OpeningsForm* opening_form(int side) const;  // Form2 (White), Form3 (Black)
    ParamsForm* params_form() const { return form_params_; }
    void Ouverturespourlesblancs1Click();
    void Ouverturespourlesnoirs1Click();
    void Changerbibliothqueouvertures1Click();
    void Bibliothquesactives1Click();
    void Changer1Click();
    void parametreOKClick();
    void Sauverlesparamtres1Click();
    void Chargerdesparamtres1Click();
    void N0Mo1Click();
    void N07Mo1Click();
    void N15Mo1Click();
    void N3Mo1Click();
    void N5Mo1Click();
    void N10Mo1Click();
    void N15Mo2Click();
    void N30Mo1Click();
    // Game analysis (window_analysis.cpp). "Arrêter cette phase" and both "Suivant"
    // buttons are pause().
    void Analyser();                // "Débuter une analyse"
    void fin_analyse();             // "Terminer l'analyse", both "Fin analyse" (Button4Click)
    void Button3Click();            // "Editer analyse", "Editer": the lines to a text file
    void Button3aClick();           // "Imprimer analyse"
    void ListBox4Click(int index);  // a line of either analysis list: back to that ply
    void print_analysis_to(QPrinter& printer);
    Form4* form4() const { return form4_.get(); }
    // Lessons and learning (window_lessons.cpp).
    void Problmes1Click();           // "Leçons, exercices et problèmes"
    void Button1Click();             // "Suivant ->" (Panel13)
    void Panel14Click();             // "Revoir coup"
    void Apprendreposition1Click();  // "Oui" of "Apprendre ?"
    void Chargerdesleons1Click();    // "Charger des leçons"
    void Lancerunesession1Click();   // the computer plays, analyses and learns, game after game
    void Arrterlasession1Click();    // "Arrêter la session"

    // End of the game for `reason`, worded and shown.
    void end_of_game(EndReason reason);

    int language() const { return language_; }
    // A message of the catalogue in the interface language.
    QString msg(Msg id) const;
    int level_index() const { return clocks.level_index; }
    int32_t time_budget() const { return clocks.time_budget; }
    int32_t clock_limit() const { return clocks.clock_limit; }
    void print_to(QPrinter& printer);

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape cancels the dialog panel that is open.
    void keyPressEvent(QKeyEvent* event) override;
    // The dialog panels' showing and hiding lock the commands that open the others.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    [[noreturn]] static void missing(const char* kind, const char* name);
    // A page of the new-game dialog where one person plays the computer (training, match).
    struct PlayerPageNames {
        const char* page;
        const char* label;
        const char* name;
        const char* list;
        const char* colour;
        const char* computer_white;
        const char* computer_black;
        const char* ok;
        const char* cancel;
    };
    struct PlayerPage {
        QLineEdit* name = nullptr;
        QListWidget* players = nullptr;
        QRadioButton* computer_white = nullptr;
    };
    PlayerPage build_player_page(QTabWidget* tabs, const PlayerPageNames& names,
                                 void (MainWindow::*ok)());
    void build_menus();
    void build_board_side();
    void build_side_panel();
    void build_panels();
    void build_player_panels();
    // The player and rating lists of the new-game dialog's three pages.
    void build_new_game_lists();
    void fill_new_game_lists();
    void build_about();
    // Dialog panels (window_dialogs.cpp): their refusal lines and watchers.
    void build_dialog_panels();
    bool dialog_open() const;
    void refresh_dialog_locks();
    // A refused input: why, in the panel's refusal line.
    void refuse(const char* refusal_line, Msg why);
    // A raised, hidden floating panel over the board.
    QFrame* add_panel(const char* name, QRect geometry);
    void build_intro();
    void build_settings(QMenu* menu);
    void settings_language(int language);
    void open_opening_form(int side);
    void library_off();
    void show_table_size();
    void table_size_click(int step);
    // The size setting read with the resumed game, its item ticked.
    void restore_saved_table_size();
    void build_board3d();
    void build_analysis();
    void build_lessons();
    // Shows the lesson with its commentary beside the board; from the dialog, the lesson's
    // level is ticked and its length cut.
    void show_lesson(const std::filesystem::path& lesson, bool from_dialog);
    // A game of a learning session has ended: analyse it, learn it, start the next one.
    void session_game_over();
    void end_analysis(bool keep_short_list);
    void show_board3d(bool on);
    void leave_board3d();
    void place_board3d_clocks();
    void show_board3d_clock(int side, int32_t seconds);
    void show_board3d_labels();
    QAction* add_action(QMenu* menu, const char* name, void (MainWindow::*handler)() = nullptr,
                        bool checkable = false, const QKeySequence& key = {});
    QMenu* add_menu(QMenu* parent, const char* name);
    QMenu* menu(const char* name) const;  // stops on an unknown name, like action()
    QLabel* add_label(QWidget* parent, const char* name, QRect geometry);
    QPushButton* add_button(QWidget* parent, const char* name, QRect geometry,
                            void (MainWindow::*handler)());
    QPushButton* button_of(const char* name) const;
    bool checked(const char* name) const;
    void set_checked(const char* name, bool on);
    void set_enabled(const char* name, bool on);
    QString text_of(const char* component) const;
    // Language switch: the start-up panel's texts, then everything worded from the state.
    void word_intro();
    // Qt's own texts (file and print dialogs, standard buttons) in that language.
    void load_qt_translation(int language);
    void recaption();
    void set_who_plays(bool computer);  // Couleurjoue
    void show_mode();                   // Panel11: training, match or two people
    void show_placement_witness();
    void word_report();    // the end-of-game panel from last_report_
    void word_progress();  // the Calcul page from last_progress_

    void Introduction();
    void computer_turn();
    void after_person_move(int from, int to, int captures);
    void refresh_commands();
    // The command locks of the turn flow applied to the menus, buttons and the "Probleme"
    // page (window_flow.cpp).
    void apply_locks();
    void apply_locks(bool analysis_running);
    // The "Probleme" page and its commands are out of reach during a rated match and
    // while the computer is to move.
    bool setup_locked() const;
    // The play options: each tick writes its option, and shows it again after the game
    // changed it.
    void connect_option_ticks();
    void show_options();
    void show_clock(int side, int32_t seconds);
    void show_clocks();
    void show_static_evaluations();
    // A change made in set-up began a new game: its empty list and clocks.
    void show_set_up_record();
    void set_names(const QString& white, const QString& black);
    // A player's name as shown and as stored: the default player keeps his French name
    // in files and in the players table, and is shown in the language in force.
    QString shown_name(const std::string& stored) const;
    QString stored_name(const QString& shown) const;
    void show_names();  // the name labels of both boards
    // ListBox1 follows the game's list lines and selection.
    void sync_list();
    void show_report(const EndReport& report);
    void refresh_after_navigation();
    void BitBtn16Click();
    void save();
    void ouvre();
    void after_open();
    void navigation_common(bool set_side_from_table);
    void show_colour_caption();
    void animate_computer_move(const Move& move);
    void play_sound(const char* file);
    void new_game_common();
    // While a search runs, a handler that would change the game stops the search and is
    // run again once the search has returned.
    using Handler = void (MainWindow::*)();
    bool defer(Handler handler, bool abandon = true);
    // The same for the editors (parameters, table size, learning files): they do not cut
    // the computer's own search short but run once it has moved; thinking on the person's
    // time, or an analysis, is stopped as above.
    bool defer_after_move(Handler handler);
    bool wait_for_search(Handler handler, Wait how);
    static Handler handler_of(Command c);
    void run_deferred();

    Platform& platform_;
    Engine& engine_;
    BoardWidget* board_ = nullptr;
    Board3dView* view3d_ = nullptr;
    QWidget* central_ = nullptr;
    QWidget* intro_ = nullptr;
    QTabWidget* side_ = nullptr;
    QListWidget* list_moves_ = nullptr;     // ListBox1
    QListWidget* list_progress_ = nullptr;  // ListBox2
    QListWidget* list_root_ = nullptr;      // ListBox5
    PlayerPage training_page_;
    // Indexed by side (WHITE, BLACK): the 2D clocks' minutes and seconds, the names below them.
    QLabel* clock_minutes_[2] = {};
    QLabel* clock_seconds_[2] = {};
    QLabel* name_labels_[2] = {};
    PlayerPage match_page_;
    QTimer* timer_ = nullptr;  // Timer1
    QTranslator* qt_translator_ = nullptr;
    OpeningsForm* form2_ = nullptr;
    OpeningsForm* form3_ = nullptr;
    ParamsForm* form_params_ = nullptr;
    QMap<QString, QAction*> actions_;
    QMap<QString, QMenu*> menus_;
    int language_ = FRENCH_INDEX;
    uint8_t placement_code_ = 0;
    bool introduced_ = false;
    bool language_picked_ = false;  // on the start-up panel: the last run's language yields
    bool in_loop_ = false;
    bool single_move_ = false;
    bool who_plays_computer_ = false;
    const char* mode_component_ = "Panel11";  // caption row of the mode panel
    EndReport last_report_;
    SearchProgress last_progress_;
    bool has_progress_ = false;
    std::unique_ptr<Form4> form4_;
    LessonPanel* lesson_panel_ = nullptr;  // the commentary under the move list
    bool saved_pondering_option_ = false;
    int pending_analysis_line_ = -1;  // a line clicked while the analysis still ran
    static constexpr int FRENCH_INDEX = 0;
};

}  // namespace qv::ui
