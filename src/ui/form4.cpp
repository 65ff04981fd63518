#include "ui/form4.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "ui/captions.h"

namespace qv::ui {

namespace {
constexpr const char* BUTTONS[] = {"BitBtn1", "BitBtn4", "BitBtn2", "BitBtn3"};
}

Form4::Form4() {
    setObjectName("Form4");
    setFixedSize(760, 520);
    explanation_ = new QLabel(this);
    explanation_->setObjectName("Label1");
    explanation_->setGeometry(10, 8, 740, 40);
    explanation_->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName("ListBox1");
    list_->setGeometry(10, 52, 740, 410);
    list_->setFont(QFont("monospace", 9));
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(BUTTONS[i]);
        b->setGeometry(10 + 186 * i, 474, 176, 34);
    }
    apply_language(FRENCH);
}

QPushButton* Form4::button(const char* name) const {
    return findChild<QPushButton*>(name);
}

void Form4::apply_language(int language) {
    setWindowTitle(QString::fromUtf8(caption_of(language, "Form4")));
    for (const char* name : BUTTONS) {
        const QString key = QString("Form4.") + name;
        button(name)->setText(QString::fromUtf8(caption_of(language, key.toLatin1().constData())));
    }
}

}  // namespace qv::ui
