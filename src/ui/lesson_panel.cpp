#include "ui/lesson_panel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "board/board.h"
#include "board/file_io.h"
#include "lang/messages.h"
#include "ui/captions.h"
#include "ui/platform.h"

namespace qv::ui {

namespace {

// The move list's height alone on its page, and shortened with the panel under it.
constexpr int LIST_TALL = 440, LIST_SHORT = 170, GAP = 6;
// A commentary is a page or two of text; more is not read.
constexpr size_t MAX_COMMENTARY_BYTES = 64000;

// The lines of a paragraph flow together in the narrow panel; blank lines still part them.
QString flowed(const QString& text) {
    static const QRegularExpression single_break("(?<!\n)\n(?!\n)");
    return QString(text.trimmed()).replace(single_break, " ");
}

}  // namespace

LessonPanel::LessonPanel(QWidget* move_list, Platform& platform)
    : QFrame(move_list->parentWidget()), platform_(platform), move_list_(move_list) {
    setObjectName("LessonPanel");
    const QRect list = move_list->geometry();
    const int top = list.top() + LIST_SHORT + GAP;
    setGeometry(list.left(), top, list.width(), list.top() + LIST_TALL - top);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    task_ = new QLabel(this);
    task_->setObjectName("LessonTask");
    task_->setStyleSheet("font-weight:bold");
    task_->setWordWrap(true);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("LessonText");
    text_->setReadOnly(true);
    later_ = new QLabel(this);
    later_->setObjectName("LessonSolutionLater");
    later_->setStyleSheet("font-style:italic");
    later_->setWordWrap(true);
    editor_ = new QPushButton(this);
    editor_->setObjectName("LessonEditor");
    connect(editor_, &QPushButton::clicked, this, [this] { open_in_editor(); });
    for (QWidget* w : {static_cast<QWidget*>(task_), static_cast<QWidget*>(text_),
                       static_cast<QWidget*>(later_), static_cast<QWidget*>(editor_)})
        layout->addWidget(w);
    QFrame::setVisible(false);
}

void LessonPanel::setVisible(bool visible) {
    QFrame::setVisible(visible);
    QRect list = move_list_->geometry();
    list.setHeight(visible ? LIST_SHORT : LIST_TALL);
    move_list_->setGeometry(list);
}

void LessonPanel::open(const std::filesystem::path& commentary, int side) {
    file_ = commentary;
    std::string bytes;
    has_file_ = read_file_prefix(commentary, MAX_COMMENTARY_BYTES, bytes);
    commentary_ = has_file_ ? parse_commentary(bytes) : Commentary{};
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(QByteArray::fromStdString(bytes));
    latin1_ = utf8.hasError();
    side_ = side;
    end_ = lesson_end();
    solution_shown_ = false;
    word();
    show();
}

void LessonPanel::show_solution() {
    solution_shown_ = true;
    word();
}

void LessonPanel::follow_game() {
    if (isHidden() || solution_shown_ || commentary_.goal == LessonGoal::none) return;
    if (stands_at(end_)) show_solution();
}

bool LessonPanel::hides_solution() const {
    return !isHidden() && !solution_shown_ && commentary_.goal != LessonGoal::none;
}

void LessonPanel::set_language(int language) {
    language_ = language;
    word();
}

void LessonPanel::word() {
    const bool problem = commentary_.goal != LessonGoal::none;
    const Msg tasks[2][2] = {{Msg::PROBLEM_WHITE_WINS, Msg::PROBLEM_WHITE_DRAWS},
                             {Msg::PROBLEM_BLACK_WINS, Msg::PROBLEM_BLACK_DRAWS}};
    task_->setVisible(problem);
    if (problem)
        task_->setText(QString::fromUtf8(
            message(tasks[side_ == BLACK][commentary_.goal == LessonGoal::draw], language_)));
    const std::string shown = commentary_for(commentary_, language_, !problem || solution_shown_);
    if (!has_file_)
        text_->setPlainText(QString::fromUtf8(message(Msg::LESSON_NO_COMMENTARY, language_)));
    else
        text_->setPlainText(
            flowed(latin1_ ? QString::fromLatin1(shown) : QString::fromStdString(shown)));
    later_->setVisible(problem && !solution_shown_);
    later_->setText(QString::fromStdString(
        format_message(Msg::LESSON_SOLUTION_LATER, language_, caption_of(language_, "Panel14"))));
    editor_->setText(QString::fromUtf8(message(Msg::LESSON_OPEN_IN_EDITOR, language_)));
    editor_->setEnabled(has_file_);
    // Laid out now, not at the next showing: the texts fit their places before that too.
    layout()->invalidate();
    layout()->activate();
}

void LessonPanel::open_in_editor() {
    const QString path = QString::fromStdString(file_.string());
    if (!platform_.open_document(path))
        platform_.error_box(
            window(), QString::fromStdString(format_message(Msg::LESSON_EDITOR_FAILED, language_,
                                                            path.toUtf8().constData())));
}

}  // namespace qv::ui
