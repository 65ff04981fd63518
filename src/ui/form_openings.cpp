#include "ui/form_openings.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/file_io.h"
#include "files/game_file.h"
#include "lang/messages.h"
#include "search/book.h"
#include "search/book_edit.h"
#include "ui/captions.h"
#include "ui/platform.h"

namespace qv::ui {

namespace {

QPushButton* button(QWidget* parent, const char* name, QRect geometry) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    return b;
}

}  // namespace

std::string OpeningsForm::active_file(int side) {
    return data_path(side == WHITE ? "ouvert_b.ouv" : "ouvert_n.ouv").string();
}

std::string OpeningsForm::user_file(int side) {
    return user_path(side == WHITE ? "ouvert_b.ouv" : "ouvert_n.ouv").string();
}

OpeningsForm::OpeningsForm(QWidget* parent, Platform& platform, int side)
    : QWidget(parent, Qt::Window), platform_(platform), side_(side) {
    setObjectName(side == WHITE ? "Form2" : "Form3");
    setFixedSize(470, 540);
    auto* group = new QGroupBox(this);
    group->setObjectName(side == WHITE ? "Ouvertures_blancs" : "Ouvertures_noirs");
    group->setGeometry(8, 6, 454, 480);

    field_ = new QLineEdit(group);
    field_->setObjectName("Nouvelle_Ouverture");
    field_->setGeometry(10, 26, 434, 28);
    field_->setFont(QFont("monospace", 10));
    connect(field_, &QLineEdit::textChanged, this, [this] { show_check(); });
    connect(field_, &QLineEdit::returnPressed, this, [this] { Valide_OuvertureClick(); });
    status_ = new QLabel(group);
    status_->setObjectName("Verification");
    status_->setGeometry(10, 56, 434, 20);
    status_->setStyleSheet("color:#b00000");

    auto* add = button(group, "Valide_Ouverture", QRect(10, 80, 136, 28));
    connect(add, &QPushButton::clicked, this, [this] { Valide_OuvertureClick(); });
    auto* replace = button(group, "Remplacer", QRect(159, 80, 136, 28));
    connect(replace, &QPushButton::clicked, this, [this] { RemplacerClick(); });
    auto* erase = button(group, "Effacer", QRect(308, 80, 136, 28));
    connect(erase, &QPushButton::clicked, this, [this] { EffacerClick(); });

    list_ = new QListWidget(group);
    list_->setObjectName("Liste_Ouvertures");
    list_->setGeometry(10, 116, 434, 354);
    list_->setFont(QFont("monospace", 10));
    connect(list_, &QListWidget::itemClicked, this, [this] { Liste_OuverturesClick(); });

    auto* save = button(this, "BitBtn1", QRect(100, 496, 120, 32));
    connect(save, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    auto* cancel = button(this, "BitBtn2", QRect(250, 496, 120, 32));
    connect(cancel, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    set_language(FRENCH);
}

void OpeningsForm::set_language(int language) {
    language_ = language;
    setWindowTitle(QString::fromUtf8(caption_of(language, objectName().toLatin1().constData())));
    apply_captions(this, language);
    const std::pair<const char*, Msg> tips[] = {{"Valide_Ouverture", Msg::TIP_ADD_OPENING},
                                                {"Remplacer", Msg::TIP_REPLACE_OPENING},
                                                {"Effacer", Msg::TIP_DELETE_OPENING}};
    for (auto [name, id] : tips)
        findChild<QWidget*>(name)->setToolTip(QString::fromUtf8(message(id, language)));
    show_check();
}

void OpeningsForm::refill() {
    list_->clear();
    for (const auto& line : book.lists[side_]) list_->addItem(QString::fromStdString(line));
}

void OpeningsForm::open_with(const QString& line) {
    load_book_list(side_, active_file(side_));
    refill();
    field_->setText(line);
    show();
    raise();
}

QString OpeningsForm::fault_text(const QString& text, std::string* canonical) const {
    const BookLineCheck check = check_book_line(text.toStdString());
    if (canonical) *canonical = check.canonical;
    const auto words = [this](const char* component) {
        return QString::fromUtf8(caption_of(language_, component));
    };
    switch (check.fault) {
        case BookLineFault::none:
            return {};
        case BookLineFault::empty:
            return words("Message_vide");
        case BookLineFault::syntax:
            return words("Message_syntaxe").arg(check.ply).arg(QString::fromStdString(check.move));
        case BookLineFault::illegal:
            return words("Message_illegal").arg(check.ply).arg(QString::fromStdString(check.move));
    }
    return {};
}

void OpeningsForm::show_check() {
    // An empty field is not an error while typing.
    status_->setText(field_->text().trimmed().isEmpty() ? QString()
                                                        : fault_text(field_->text(), nullptr));
}

void OpeningsForm::select_line(int index) {
    if (index >= 0 && index < list_->count()) {
        list_->setCurrentRow(index);
        list_->scrollToItem(list_->item(index));
    }
}

void OpeningsForm::Valide_OuvertureClick() {
    std::string line;
    const QString fault = fault_text(field_->text(), &line);
    if (!fault.isEmpty()) {
        platform_.error_box(this, fault);
        return;
    }
    const int at = insert_book_line(side_, line);
    refill();
    select_line(at);
}

void OpeningsForm::RemplacerClick() {
    const int row = list_->currentRow();
    if (row < 0) return;
    std::string line;
    const QString fault = fault_text(field_->text(), &line);
    if (!fault.isEmpty()) {
        platform_.error_box(this, fault);
        return;
    }
    delete_book_line(side_, row);
    const int at = insert_book_line(side_, line);
    refill();
    select_line(at);
}

void OpeningsForm::EffacerClick() {
    field_->clear();
    const int row = list_->currentRow();
    if (row < 0 || !list_->item(row)->isSelected()) return;
    delete_book_line(side_, row);
    refill();
}

void OpeningsForm::Liste_OuverturesClick() {
    if (QListWidgetItem* item = list_->currentItem()) field_->setText(item->text());
}

void OpeningsForm::BitBtn1Click() {
    // A library set N: the marker "N.ovv" and the lists "N_b.ouv" and "N_n.ouv" in
    // Parametres; this window's list also becomes the active file.
    const auto folder = user_folder("Parametres");
    const QString chosen = platform_.save_file_name(
        this, QString::fromStdString(folder.string()),
        QString::fromUtf8(message(Msg::FILTER_OPENING_SETS, language_)) + " (*.ovv *.OVV)", "ovv");
    if (!chosen.isEmpty()) {
        QString base = chosen;
        if (base.endsWith(".ovv", Qt::CaseInsensitive)) base.chop(4);
        const std::string own = side_ == WHITE ? "_b.ouv" : "_n.ouv";
        const std::string other = side_ == WHITE ? "_n.ouv" : "_b.ouv";
        const std::string stem = base.toStdString();
        std::vector<std::string> other_lines;
        read_book_lines(active_file(1 - side_), other_lines);  // missing: an empty list
        const bool ok = write_file_atomic(stem + ".ovv", "") && save_book_list(side_, stem + own) &&
                        save_book_list(side_, user_file(side_)) &&
                        write_file_atomic(stem + other, join_lines_crlf(other_lines));
        if (!ok)
            platform_.error_box(this, QString::fromUtf8(message(Msg::CANNOT_OPEN_FILE, language_)));
    }
    hide();
}

void OpeningsForm::BitBtn2Click() {
    load_book_list(side_, active_file(side_));
    refill();
    hide();
}

}  // namespace qv::ui
