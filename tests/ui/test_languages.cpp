// The six interface languages: caption tables, the window re-captioned on a switch,
// messages worded in the language in force, and texts that fit their widgets.
#include <QAbstractButton>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <set>

#include "common/languages.h"
#include "lang/messages.h"
#include "ui/captions.h"
#include "ui/form4.h"
#include "window_fixture.h"

namespace qv::ui::test {
namespace {

const char* const LANGUAGE_BUTTONS[LANGUAGES] = {"Button5", "Button6", "Button7",
                                                 "Button2", "Button8", "Button1A"};

std::string language_name(const testing::TestParamInfo<int>& info) {
    return qv::test::LANGUAGE_TABLE[info.param].name;
}

// ---- texts of the window's components -----------------------------------------------------

// The caption a component shows, whatever kind of component it is.
std::optional<QString> shown_caption(MainWindow& w, const char* name) {
    if (QAction* a = w.find_action(name)) return a->text();
    if (auto* m = w.findChild<QMenu*>(name)) return m->title();
    QWidget* widget = w.findChild<QWidget*>(name);
    if (!widget) return std::nullopt;
    if (auto* l = qobject_cast<QLabel*>(widget)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(widget)) return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(widget)) return g->title();
    for (QWidget* p = widget->parentWidget(); p; p = p->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
            const int i = tabs->indexOf(widget);
            if (i >= 0) return tabs->tabText(i);
        }
    return std::nullopt;  // a frame: nothing to show
}

// Every text a component may show in `language`.
QStringList texts_of(int language, const char* component) {
    QStringList out;
    for (int k = 0; *caption_variant(language, component, k); ++k)
        out << QString::fromUtf8(caption_variant(language, component, k));
    return out;
}

class Language : public WindowTest, public testing::WithParamInterface<int> {
  protected:
    // Components of the table that the window shows, each compared with the table.
    void expect_every_component_in(int l) {
        int compared = 0;
        for (const Caption& c : caption_table(l)) {
            const auto shown = shown_caption(*window, c.component);
            if (!shown) continue;  // a component of a window still to come
            ++compared;
            EXPECT_TRUE(texts_of(l, c.component).contains(*shown))
                << c.component << " shows \"" << shown->toStdString() << "\" in "
                << qv::test::LANGUAGE_TABLE[l].name;
        }
        EXPECT_GT(compared, 120);
    }
};

// No text is wider than the widget that shows it. Returns the offenders.
QStringList overflowing(QWidget* root) {
    QStringList out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const QFontMetrics fm(w->font());
        // The ink of the text, not its advance: a colon in a narrow label is not cut.
        const auto too_wide = [&](const QString& text, int room) {
            if (!text.isEmpty() && fm.tightBoundingRect(text).right() >= room)
                out << w->objectName() + ": \"" + text + "\"";
        };
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (!l->wordWrap() && l->pixmap().isNull()) too_wide(l->text(), l->width());
        } else if (auto* r = qobject_cast<QRadioButton*>(w)) {
            too_wide(r->text(), r->width() - 22);
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            if (b->icon().isNull()) too_wide(b->text(), b->width() - 6);
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            too_wide(g->title(), g->width() - 12);
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            too_wide(e->text(), e->width() - 8);
        } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
            int used = 0;
            for (int i = 0; i < bar->count(); ++i) used += bar->tabRect(i).width();
            if (used > bar->width())
                out << w->objectName() + ": tabs need " + QString::number(used);
            for (int i = 0; i < bar->count(); ++i) {
                const QString full = bar->tabText(i);
                if (fm.horizontalAdvance(full) > bar->tabRect(i).width())
                    out << "tab \"" + full + "\"";
            }
        }
    }
    return out;
}

// The start-up panel, every component, a few composed texts and the fit of the texts, in
// one language. Screenshots for French and for the languages whose long labels change the
// layout (Dutch, Portuguese).
TEST_P(Language, CaptionsEveryComponentWordsTheMessagesAndFits) {
    const int l = GetParam();
    const bool shots = l == FRENCH || l == DUTCH || l == PORTUGUESE;
    const auto shot = [&](QWidget* w, const char* screen) {
        if (shots)
            screenshot(
                w, qPrintable(
                       QString("lang_%1_%2.png").arg(screen, qv::test::LANGUAGE_TABLE[l].code)));
    };
    const auto expect_fit = [](QWidget* root) {
        const QStringList cut = overflowing(root);
        EXPECT_TRUE(cut.isEmpty()) << cut.join("\n").toStdString();
    };

    // The start-up button words the start-up panel.
    QTest::mouseClick(button(LANGUAGE_BUTTONS[l]), Qt::LeftButton);
    window->run_until_idle();
    EXPECT_TRUE(window->action(qv::test::LANGUAGE_TABLE[l].item)->isChecked());
    EXPECT_EQ(label("Label3D5")->text(), QString::fromUtf8(message(Msg::THEME_VENICE, l)));
    EXPECT_EQ(label("Label3D1")->text(), QString::fromUtf8(message(Msg::INTRO_THEME_CLASSIC, l)));
    EXPECT_EQ(label("Label3D4")->text(), "Rimini");
    EXPECT_TRUE(
        label("Conseil1")->text().startsWith(QString::fromUtf8(message(Msg::SCREEN_ADVICE_1, l))));
    expect_every_component_in(l);
    shot(window.get(), "intro");
    expect_fit(window->widget("Intro"));

    // Another language from the menu, then this one again (twice: selecting the language in
    // force changes nothing), so that nothing is right by chance.
    start_2d();
    const int other = l == ITALIAN ? FRENCH : ITALIAN;
    trigger(qv::test::LANGUAGE_TABLE[other].item);
    ASSERT_EQ(window->windowTitle(), QString::fromUtf8(message(Msg::WINDOW_TITLE, other)));
    trigger(qv::test::LANGUAGE_TABLE[l].item);
    trigger(qv::test::LANGUAGE_TABLE[l].item);
    expect_every_component_in(l);
    for (int k = 0; k < LANGUAGES; ++k)
        EXPECT_EQ(window->action(qv::test::LANGUAGE_TABLE[k].item)->isChecked(), k == l);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(message(Msg::WINDOW_TITLE, l)));
    // Qt's own dialogs too (qt6-translations-l10n).
    const char* cancel[LANGUAGES] = {"Annuler",  "Cancel",   "Annuleren",
                                     "Cancelar", "Cancelar", "Annulla"};
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), cancel[l]);
    const QStringList orientation = texts_of(l, "Bas_Haut");  // flipped, then upright
    EXPECT_EQ(button("Bas_Haut")->text(), orientation[1]);
    trigger("Inverserdamier1");
    EXPECT_EQ(button("Bas_Haut")->text(), orientation[0]);
    trigger("Inverserdamier1");

    // The main screen, the new-game dialog and the set-up screen.
    window->side_panel()->setCurrentIndex(1);
    shot(window.get(), "main");
    window->side_panel()->setCurrentIndex(0);
    trigger("Nouveau2");
    QWidget* dialog = window->widget("Nouvelle_partie");
    ASSERT_TRUE(dialog->isVisible());
    shot(window.get(), "new_game");
    window->findChild<QTabWidget*>("Pages_nouveau")->setCurrentIndex(2);
    shot(dialog, "new_game_people");
    expect_fit(dialog);
    QTest::mouseClick(button("Annule_nouveau"), Qt::LeftButton);
    trigger("Installeruneposition1");
    shot(window.get(), "setup");
    expect_fit(window.get());
    trigger("Installeruneposition1");

    // A draw offer, refused with a full board, then a result.
    window->ProposernulClick();
    EXPECT_TRUE(label("Nulrefus")->isVisible());
    window->end_of_game(EndReason::agreed_draw);
    EXPECT_EQ(label("qui_gagne")->text(), QString::fromUtf8(message(Msg::DRAW, l)));
    EXPECT_TRUE(window->widget("fin_de_parties")->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Six, Language, testing::Range(0, LANGUAGES), language_name);

// ---- switching at any time ---------------------------------------------------------------

TEST_F(WindowTest, SwitchingDuringASearchRewordsItAndKeepsTheOrientation) {
    start_2d();
    trigger("Inverserdamier1");
    engine.think_ms = 3000;
    engine.progress.depth = 5;
    engine.progress.nodes = 4321;
    bool seen_french = false;
    QTimer::singleShot(300, window.get(), [&] {
        seen_french = window->progress_list()->count() > 0 &&
                      window->progress_list()->item(0)->text() == "Profondeur :     5";
        window->action("Espanol1")->trigger();
        QTimer::singleShot(200, window.get(), [&] { engine.request_stop(false); });
    });
    play_a_move();  // the computer answers with the fake search, thinking until stopped
    EXPECT_TRUE(seen_french);
    EXPECT_GT(engine.searches, 0);
    EXPECT_EQ(button("Bas_Haut")->text(), "Bl.:Arriba->Abajo");
    ASSERT_GT(window->progress_list()->count(), 1);
    EXPECT_EQ(window->progress_list()->item(0)->text(), "Profundidad:     5");
    EXPECT_EQ(window->progress_list()->item(1)->text(), "Nodos:     4321");
    EXPECT_EQ(window->findChild<QTabWidget*>("Onglet")->tabText(1), "Cálculo");
}

TEST_F(WindowTest, SwitchingWithTheNewGameDialogOpenRewordsIt) {
    start_2d();
    trigger("Nouveau2");
    trigger("Italiano1");
    EXPECT_EQ(window->findChild<QTabWidget*>("Pages_nouveau")->tabText(0), "Allenamento");
    EXPECT_EQ(window->findChild<QLineEdit*>("Joueur2")->text(), "Bianco");
    EXPECT_TRUE(window->widget("Nouvelle_partie")->isVisible());
    // The analysis window, a window of its own, follows too.
    EXPECT_EQ(window->form4()->button("BitBtn4")->text(), caption_of(5, "Form4.BitBtn4"));
}

TEST_F(WindowTest, AResultOnScreenIsReworded) {
    start_2d();
    window->end_of_game(EndReason::agreed_draw);
    EXPECT_EQ(label("qui_gagne")->text(), "Match nul !");
    trigger("Nederlands1");
    EXPECT_EQ(label("qui_gagne")->text(), "Remise!");
}

// ---- no French left outside the French texts ---------------------------------------------

// Words of the French texts that no other language uses: a string of the program that
// holds one of them was written in French.
std::set<QString> french_words() {
    const QRegularExpression word("[\\p{L}]{4,}");
    auto words_of = [&](const char* text, std::set<QString>& into) {
        auto it = word.globalMatch(QString::fromUtf8(text));
        while (it.hasNext()) into.insert(it.next().captured());
    };
    std::set<QString> french, others;
    for (int l = 0; l < LANGUAGES; ++l) {
        std::set<QString>& into = l == FRENCH ? french : others;
        for (const Caption& c : caption_table(l)) words_of(c.text, into);
        for (const MessageRow& r : message_rows()) words_of(r.text[l], into);
    }
    std::set<QString> out;
    for (const QString& w : french)
        if (!others.count(w)) out.insert(w);
    return out;
}

// A translation identical to the French text is a text left untranslated, unless the
// word is the same in both languages or the French window's own English caption.
TEST(FrenchLeftOver, NoOtherColumnRepeatsAFrenchText) {
    const std::set<std::string> shared = {
        "Options",       "Analyse", "Niveau", "minutes",    "Pause",
        "Match",         "OK",      "Luxe",   "Sons",       "Documentation",
        "7: long, long", "White",   "Black",  "Parameters", "Cancel"};
    for (int l = 1; l < LANGUAGES; ++l) {
        for (size_t i = 0; i < caption_table(l).size(); ++i) {
            const char* fr = caption_table(FRENCH)[i].text;
            const char* text = caption_table(l)[i].text;
            if (std::string(fr) == text) {
                EXPECT_TRUE(shared.count(text)) << caption_table(l)[i].component << " in "
                                                << qv::test::LANGUAGE_TABLE[l].name << ": " << text;
            }
        }
        for (const MessageRow& r : message_rows())
            if (std::string(r.text[0]) == r.text[l]) {
                EXPECT_TRUE(shared.count(r.text[l]))
                    << r.key << " in " << qv::test::LANGUAGE_TABLE[l].name;
            }
    }
}

// The string literals of a C++ source, comments left out, with their line numbers.
std::vector<std::pair<int, QString>> literals_of(const QString& source) {
    std::vector<std::pair<int, QString>> out;
    int line = 1;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source[i];
        if (c == '\n') ++line;
        if (c == '/' && i + 1 < source.size() && source[i + 1] == '/') {
            while (i < source.size() && source[i] != '\n') ++i;
            ++line;
        } else if (c == '/' && i + 1 < source.size() && source[i + 1] == '*') {
            for (i += 2; i + 1 < source.size() && !(source[i] == '*' && source[i + 1] == '/'); ++i)
                if (source[i] == '\n') ++line;
            ++i;
        } else if (c == '\'' && !(i > 0 && source[i - 1].isLetterOrNumber())) {
            for (++i; i < source.size() && source[i] != '\''; ++i)
                if (source[i] == '\\') ++i;
        } else if (c == '"') {
            QString text;
            for (++i; i < source.size() && source[i] != '"'; ++i) {
                if (source[i] == '\\') text += source[i++];
                text += source[i];
            }
            out.emplace_back(line, text);
        }
    }
    return out;
}

TEST(FrenchLeftOver, NoFrenchLiteralOutsideTheFrenchTexts) {
    const std::set<QString> words = french_words();
    ASSERT_GT(words.size(), 100u);
    // Names that are data, not texts: object names, the stem of the board pictures' file
    // names, the players file's unknown player, and the languages' own names.
    const std::set<QString> names = {"Blancs", "Noirs",   "Joueurs",  "Joueur",
                                     "damier", "Inconnu", "Français", "Português"};
    const QRegularExpression identifier("^[A-Za-z_][A-Za-z0-9_%]*$");
    const QRegularExpression path("^[\\w./-]*[./][\\w./-]*$");
    const QRegularExpression style_sheet("(^|[{;])[a-z-]+:[^ :]");  // "font-weight:bold"
    const QRegularExpression word("[\\p{L}]{4,}");
    QStringList found;
    QDirIterator files(QString(QUORVEL_SOURCE_DIR) + "/src", {"*.cpp", "*.h"}, QDir::Files,
                       QDirIterator::Subdirectories);
    int scanned = 0;
    while (files.hasNext()) {
        const QString name = files.next();
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        ++scanned;
        for (const auto& [line, text] : literals_of(QString::fromUtf8(f.readAll()))) {
            if (names.count(text) || path.match(text).hasMatch() ||
                style_sheet.match(text).hasMatch())
                continue;
            // Object names carry a digit or an underscore, or are named in the tables.
            if (identifier.match(text).hasMatch() &&
                (text.contains(QRegularExpression("[0-9_%]")) ||
                 *caption_of(FRENCH, text.toLatin1().constData())))
                continue;
            bool french =
                text.contains("\\xC3") || text.contains(QRegularExpression("[àâçéèêëîïôûùœ]"));
            auto it = word.globalMatch(text);
            while (!french && it.hasNext()) french = words.count(it.next().captured()) > 0;
            if (french)
                found << name.mid(name.indexOf("/src/") + 1) + ":" + QString::number(line) +
                             ": \"" + text + "\"";
        }
    }
    EXPECT_GT(scanned, 100);
    EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();
}

}  // namespace
}  // namespace qv::ui::test
