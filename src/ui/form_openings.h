// The opening-list editors ("Form2" for White's list, "Form3" for Black's): the list the
// driver reads, a field in which a line is typed and checked move by move, and the
// commands that add, replace and delete lines and save the list as a library set.
#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;

namespace qv::ui {

class Platform;

class OpeningsForm : public QWidget {
    Q_OBJECT
  public:
    OpeningsForm(QWidget* parent, Platform& platform, int side);

    int side() const { return side_; }
    // Shows the window with `line` in the field and the list read again from the active file.
    void open_with(const QString& line);
    // The list box from the engine's list (after a change of library set).
    void refill();
    void set_language(int language);

    void Valide_OuvertureClick();  // "Ajouter"
    void RemplacerClick();
    void EffacerClick();
    void Liste_OuverturesClick();
    void BitBtn1Click();  // "Enregistrer"
    void BitBtn2Click();  // cancel

    QLineEdit* field() const { return field_; }
    QListWidget* list() const { return list_; }
    QLabel* status() const { return status_; }

    // The active list of a side, as read: the person's copy, else the shipped one.
    static std::string active_file(int side);
    // Where the active list of `side` is written: the person's folder.
    static std::string user_file(int side);

  private:
    // The typed line checked; empty when it can be added, else the reason in words.
    QString fault_text(const QString& text, std::string* canonical) const;
    void show_check();
    void select_line(int index);

    Platform& platform_;
    int side_;
    int language_ = 0;
    QLineEdit* field_ = nullptr;   // Nouvelle_Ouverture
    QListWidget* list_ = nullptr;  // Liste_Ouvertures
    QLabel* status_ = nullptr;
};

}  // namespace qv::ui
