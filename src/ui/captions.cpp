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

extern const Caption FRENCH_CAPTIONS[], ENGLISH_CAPTIONS[], DUTCH_CAPTIONS[], PORTUGUESE_CAPTIONS[],
    SPANISH_CAPTIONS[], ITALIAN_CAPTIONS[];
extern const int FRENCH_CAPTION_COUNT, ENGLISH_CAPTION_COUNT, DUTCH_CAPTION_COUNT,
    PORTUGUESE_CAPTION_COUNT, SPANISH_CAPTION_COUNT, ITALIAN_CAPTION_COUNT;

std::span<const Caption> caption_table(int language) {
    switch (language) {
        case ENGLISH:
            return {ENGLISH_CAPTIONS, size_t(ENGLISH_CAPTION_COUNT)};
        case DUTCH:
            return {DUTCH_CAPTIONS, size_t(DUTCH_CAPTION_COUNT)};
        case PORTUGUESE:
            return {PORTUGUESE_CAPTIONS, size_t(PORTUGUESE_CAPTION_COUNT)};
        case SPANISH:
            return {SPANISH_CAPTIONS, size_t(SPANISH_CAPTION_COUNT)};
        case ITALIAN:
            return {ITALIAN_CAPTIONS, size_t(ITALIAN_CAPTION_COUNT)};
        default:
            return {FRENCH_CAPTIONS, size_t(FRENCH_CAPTION_COUNT)};
    }
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
