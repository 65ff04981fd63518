// The commentary of the lesson in hand, under the move list: a problem's task, the text in
// the person's language (French when the commentary lacks it), a problem's solution once it
// is played or asked for, and a button that opens the file in the desktop's editor.
#pragma once

#include <QFrame>
#include <filesystem>

#include "files/commentary.h"
#include "files/lessons.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qv::ui {

class Platform;

class LessonPanel : public QFrame {
  public:
    // Lives on the move list's page and takes the lower part of the list's place while shown.
    LessonPanel(QWidget* move_list, Platform& platform);

    // Reads `commentary` (a missing file is said so) for the lesson just opened; `side` is
    // the side to move as it opens. A problem's solution stays hidden.
    void open(const std::filesystem::path& commentary, int side);
    void show_solution();
    // After every move or step: a problem's solution shows once the game stands at its end.
    void follow_game();
    // A problem whose solution is still kept back (its moves are not listed either).
    bool hides_solution() const;
    void set_language(int language);
    // Shown or hidden with the lesson, the move list shortened or given back its height.
    void setVisible(bool visible) override;

  private:
    void word();
    void open_in_editor();

    Platform& platform_;
    QWidget* move_list_;
    int language_ = 0;
    std::filesystem::path file_;
    bool has_file_ = false;
    bool latin1_ = false;  // a file written by hand in a Windows code page
    Commentary commentary_;
    int side_ = 0;
    bool solution_shown_ = false;
    LessonEnd end_;
    QLabel* task_;
    QPlainTextEdit* text_;
    QLabel* later_;
    QPushButton* editor_;
};

}  // namespace qv::ui
