#include "ui/captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <cstring>

namespace qv::ui {

// The tables that make_texts writes from data/lang, one per language, all in
// the order of the French file.
extern const int CAPTION_ROWS;
extern const Caption* const CAPTION_TABLES[LANGUAGES];

std::span<const Caption> caption_table(int language) {
    if (language < 0 || language >= LANGUAGES) language = FRENCH;
    return {CAPTION_TABLES[language], size_t(CAPTION_ROWS)};
}

const char* caption_variant(int language, const char* component, int k) {
    for (const Caption& c : caption_table(language))
        if (std::strcmp(c.component, component) == 0 && k-- == 0) return c.text;
    return "";
}

const char* caption_of(int language, const char* component) {
    return caption_variant(language, component, 0);
}

namespace {

bool listed_twice(std::span<const Caption> table, const char* component) {
    int n = 0;
    for (const Caption& c : table) n += std::strcmp(c.component, component) == 0;
    return n > 1;
}

void assign(QObject* object, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
        group->setTitle(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        edit->setText(text);
    } else if (auto* page = qobject_cast<QWidget*>(object)) {
        // A tab page: its caption is the tab's text.
        for (QWidget* w = page->parentWidget(); w; w = w->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                const int i = tabs->indexOf(page);
                if (i >= 0) tabs->setTabText(i, text);
                break;
            }
        }
    }
}

}  // namespace

void apply_captions(QObject* root, int language) {
    const auto table = caption_table(language);
    for (const Caption& c : table) {
        if (listed_twice(table, c.component)) continue;
        const QString name = QString::fromLatin1(c.component);
        const QString text = QString::fromUtf8(c.text);
        if (root->objectName() == name) assign(root, text);
        for (QObject* o : root->findChildren<QObject*>(name)) assign(o, text);
    }
}

}  // namespace qv::ui
