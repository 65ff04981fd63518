// Stand-ins for the desktop and the search, so the window can be driven without either.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QStringList>
#include <string>
#include <vector>

#include "board/host.h"
#include "board/movegen.h"
#include "ui/engine.h"
#include "ui/platform.h"

namespace qv::ui::test {

class FakePlatform : public Platform {
  public:
    QString next_file;
    QStringList errors, infos, sounds, documents, help_pages;
    QString pdf_path, doc_name;
    bool print_confirmed = true;
    int file_dialogs = 0;
    QString last_dialog_dir;

    QString open_file_name(QWidget*, const QString& dir, const QString&) override {
        ++file_dialogs;
        last_dialog_dir = dir;
        return next_file;
    }
    QString save_file_name(QWidget*, const QString& dir, const QString&, const QString&) override {
        ++file_dialogs;
        last_dialog_dir = dir;
        return next_file;
    }
    void error_box(QWidget*, const QString& text) override { errors << text; }
    void info_box(QWidget*, const QString& text) override { infos << text; }
    bool choose_printer(QWidget*, QPrinter& printer) override {
        doc_name = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf_path);
        return print_confirmed;
    }
    void play_sound(const QString& path) override { sounds << path; }
    bool opens_documents = true;
    bool open_document(const QString& path) override {
        documents << path;
        return opens_documents;
    }
    void show_help(QWidget*, const QString& path) override { help_pages << path; }
};

// Plays the first legal move; optionally "thinks" until stopped or `think_ms` has passed,
// keeping the window alive the way the search does.
class FakeEngine : public Engine {
  public:
    int think_ms = 0;
    int searches = 0;
    qint64 stopped_after_ms = -1;
    SearchProgress progress = [] {
        SearchProgress p;
        p.depth = 3;
        p.nodes = 1234;
        return p;
    }();

    void (*on_start)() = nullptr;  // what loading the engine's files does in a test
    void start() override {
        if (on_start) on_start();
    }
    int choose_move(int side, bool pondering) override {
        score_side = side;
        if (pondering) return 0;
        ++searches;
        const int n = legal_moves(side);
        if (n == 0) return NO_MOVE;
        host().show_progress(progress);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < think_ms && !stop_) {
            host().process_events();
        }
        if (stop_) stopped_after_ms = t.elapsed();
        legal_moves(side);
        if (abandon_) return 0;
        return n == 1 ? SINGLE_MOVE : 0;
    }
    void request_stop(bool abandon) override {
        stop_ = true;
        abandon_ = abandon_ || abandon;
    }
    void clear_stop() override { stop_ = abandon_ = false; }
    bool stop_requested() const override { return stop_; }
    bool abandoned() const override { return abandon_; }
    int last_score() const override { return score; }
    int last_score_side() const override { return score_side; }
    void set_level(int32_t budget, int32_t limit) override {
        time_budget = budget;
        clock_limit = limit;
    }
    int score = 0;  // from the view of score_side, the side of the last search
    int score_side = BLACK;
    int32_t time_budget = 0, clock_limit = 0;

  private:
    bool stop_ = false;
    bool abandon_ = false;
};

}  // namespace qv::ui::test
