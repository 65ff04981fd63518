// The game analysis in the window: the analysis window Form4, the short list of Panel17,
// the "Analyse" menu, the export to a text file and the printout.
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "analysis/analysis.h"
#include "analysis/analysis_text.h"
#include "board/board.h"
#include "board/data_dir.h"
#include "board/file_io.h"
#include "board/now.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "lang/messages.h"
#include "search/driver.h"
#include "ui/board_widget.h"
#include "ui/captions.h"
#include "ui/entry.h"
#include "ui/form4.h"
#include "ui/main_window.h"
#include "ui/session.h"

namespace qv::ui {

namespace {

constexpr const char* ANALYSIS_MENU[] = {"Dbuteruneanalyse1", "Arrtercettephase1",
                                         "Terminerlanalyse1"};
// The window's side of one analysis: the lists are filled and the board follows.
class WindowAnalysisView : public AnalysisView {
  public:
    WindowAnalysisView(int language, Form4& form, QListWidget& short_list,
                       std::function<void()> show_position)
        : language_(language),
          form_(form),
          short_list_(short_list),
          show_position_(std::move(show_position)) {}

    void analysis_started() override {
        form_.list()->clear();
        short_list_.clear();
        form_.explanation()->setText(QString::fromUtf8(analysis_explanation(language_)));
        form_.list()->insertItem(0, QString::fromUtf8(analysis_legend(language_)));
    }
    void line_written(const AnalysisLine& line) override {
        form_.list()->insertItem(0, QString::fromStdString(analysis_long_line(language_, line)));
        short_list_.insertItem(0, QString::fromStdString(analysis_short_line(language_, line)));
    }
    void position_shown() override { show_position_(); }
    void phase_started(int) override {
        if (session.quit_requested) qv::fin_analyse();  // the window is closing
    }

  private:
    int language_;
    Form4& form_;
    QListWidget& short_list_;
    std::function<void()> show_position_;
};

}  // namespace

void MainWindow::build_analysis() {
    form4_ = std::make_unique<Form4>();
    connect(form4_->button("BitBtn1"), &QPushButton::clicked, this, &MainWindow::pause);
    connect(form4_->button("BitBtn4"), &QPushButton::clicked, this, &MainWindow::fin_analyse);
    connect(form4_->button("BitBtn2"), &QPushButton::clicked, this, &MainWindow::Button3Click);
    connect(form4_->button("BitBtn3"), &QPushButton::clicked, this, &MainWindow::Button3aClick);
    connect(form4_->list(), &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBox4Click(form4_->list()->row(item)); });

    // Panel17 over the clocks and the side panel (the clocks are the record's while the
    // analysis runs): the short lines, "Suivant", "Fin analyse", "Editer".
    QFrame* panel = add_panel("Panel17", QRect(522, 4, 450, 516));
    auto* list = new QListWidget(panel);
    list->setObjectName("ListBox6");
    list->setGeometry(6, 6, 438, 462);
    list->setFont(QFont("monospace", 8));
    connect(list, &QListWidget::itemClicked, this,
            [this, list](QListWidgetItem* item) { ListBox4Click(list->row(item)); });
    add_button(panel, "Button10", QRect(6, 476, 142, 32), &MainWindow::pause);
    add_button(panel, "Button11", QRect(154, 476, 142, 32), &MainWindow::fin_analyse);
    add_button(panel, "Button12", QRect(302, 476, 142, 32), &MainWindow::Button3Click);

    void (MainWindow::*handlers[])() = {&MainWindow::Analyser, &MainWindow::pause,
                                        &MainWindow::fin_analyse};
    for (int i = 0; i < 3; ++i) {
        QAction* a = action(ANALYSIS_MENU[i]);
        auto handler = handlers[i];
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        a->setEnabled(i == 0);
    }

    // "Apprendre ?" at the end of an analysis; "Non" puts it away.
    QWidget* learn = widget("Learn");
    if (auto* question = learn->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        question->setText(text_of("Learn"));
    connect(button_of("Learn_no"), &QPushButton::clicked, learn, &QWidget::hide);
}

void MainWindow::Analyser() {
    if (game.current_ply == 0 || analysis.running) return;  // a game with no move: nothing
    if (defer(&MainWindow::Analyser)) return;               // thinking on the other's time
    form4_->apply_language(language_);
    form4_->show();
    form4_->raise();
    auto* short_list = child<QListWidget>("ListBox6");
    QWidget* panel = widget("Panel17");
    panel->setVisible(checked("Damier2D1"));
    panel->raise();
    widget("Learn")->hide();
    saved_pondering_option_ = flow.options.ponder;
    set_checked("Rflexionsurtempsadverse1", false);
    set_enabled("Dbuteruneanalyse1", false);
    set_enabled("Arrtercettephase1", true);
    set_enabled("Terminerlanalyse1", true);
    apply_locks(true);  // what changes the game stays out of reach while the analysis runs
    cancel_entry();
    pending_analysis_line_ = -1;

    AnalysisSettings settings;
    settings.time_budget = clocks.time_budget;
    settings.clock_limit = clocks.clock_limit;
    settings.learning_session = game.learning_session;
    settings.fixed_depth = engine_.fixed_depth();
    const uint8_t library = search.library_enabled;
    search.library_enabled = checked("Bibliothquesactives1");
    WindowAnalysisView view(language_, *form4_, *short_list, [this] {
        board_->placer_pions();
        show_clocks();
        show_totals();
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ticking = timer_->isActive();  // the clocks are the record's meanwhile
    timer_->stop();
    flow.searching = 1;
    qv::Analyser(settings, &view);
    flow.searching = 0;
    if (ticking) timer_->start();
    QApplication::restoreOverrideCursor();
    search.library_enabled = library;
    apply_locks();
    game.skip_ponder = 1;
    board_->placer_pions();
    show_clocks();
    show_totals();
    if (pending_analysis_line_ >= 0) {
        const int line = pending_analysis_line_;
        pending_analysis_line_ = -1;
        ListBox4Click(line);
    }
}

void MainWindow::end_analysis(bool keep_short_list) {
    qv::fin_analyse();
    set_checked("Rflexionsurtempsadverse1", saved_pondering_option_);
    set_enabled("Dbuteruneanalyse1", true);
    set_enabled("Arrtercettephase1", false);
    set_enabled("Terminerlanalyse1", false);
    form4_->hide();
    if (!keep_short_list) widget("Panel17")->hide();
    if (!game.learning_session) {
        QWidget* learn = widget("Learn");
        learn->show();
        learn->raise();
    }
}

void MainWindow::fin_analyse() {
    if (!action("Terminerlanalyse1")->isEnabled() && !analysis.running) {
        // Nothing runs: the button only puts the list away.
        widget("Panel17")->hide();
        form4_->hide();
        return;
    }
    end_analysis(false);
}

void MainWindow::ListBox4Click(int index) {
    if (analysis.running) {
        // The search in progress ends first; the position is taken once the loop is left.
        pending_analysis_line_ = index;
        end_analysis(true);
        return;
    }
    if (action("Terminerlanalyse1")->isEnabled()) end_analysis(true);
    const int ply = analysis_line_ply(index);
    if (ply < 0) return;
    restore_analysed_ply(ply);
    cancel_entry();
    game.list_selection = game.current_ply / 2 - 1;
    sync_list();
    board_->placer_pions();
    show_clocks();
    show_totals();
    clocks.white_turn_start = clocks.black_turn_start = now();
    game.skip_ponder = 1;
}

namespace {

// The lines of the analysis window's list from the game's current ply to the last one.
QStringList exported_lines(const QListWidget* list) {
    const int count = analysis_export_count(game.current_ply);
    QStringList lines;
    for (int i = 0; i < count && i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

}  // namespace

void MainWindow::Button3Click() {
    const QString path = platform_.save_file_name(
        this, documents_folder(), msg(Msg::FILTER_TEXT_FILES) + " (*.txt *.TXT)", "txt");
    if (path.isEmpty()) return;
    std::vector<std::string> lines;
    for (const QString& l : exported_lines(form4_->list())) lines.push_back(l.toStdString());
    if (!write_file_atomic(path.toStdString(), join_lines_crlf(lines)))
        show_error(Msg::CANNOT_OPEN_FILE);
}

void MainWindow::print_analysis_to(QPrinter& printer) {
    QPainter p;
    if (!p.begin(&printer)) {
        show_error(Msg::CANNOT_OPEN_FILE);
        return;
    }
    p.setFont(QFont("monospace", 9));
    const int h = p.fontMetrics().height();
    const int page_height = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    constexpr int TOP = 150;
    const int per_page = std::max(1, (page_height - TOP) / h);
    p.drawText(5, 5 + h, QString::fromStdString(game.white_name + "-" + game.black_name));
    const QStringList lines = exported_lines(form4_->list());
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0 && i % per_page == 0) printer.newPage();
        p.drawText(1, TOP + (i % per_page + 1) * h, lines[i]);
    }
    p.end();
}

void MainWindow::Button3aClick() {
    QPrinter printer;
    printer.setDocName("Analyse");
    if (!platform_.choose_printer(this, printer)) return;
    print_analysis_to(printer);
}

}  // namespace qv::ui
