// The analysis window "Analyse": the explanation, the list of long analysis lines with the
// legend below them, and the buttons "Suivant", "Fin analyse", "Editer analyse" and
// "Imprimer analyse". A window of its own; the main window drives it.
#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace qv::ui {

class Form4 : public QWidget {
    Q_OBJECT
  public:
    Form4();
    QListWidget* list() const { return list_; }           // ListBox1
    QLabel* explanation() const { return explanation_; }  // Label1
    // BitBtn1 "Suivant", BitBtn4 "Fin analyse", BitBtn2 "Editer analyse",
    // BitBtn3 "Imprimer analyse".
    QPushButton* button(const char* name) const;
    // Title and buttons in `language` (captions "Form4", "Form4.BitBtn1", ...).
    void apply_language(int language);

  private:
    QLabel* explanation_ = nullptr;
    QListWidget* list_ = nullptr;
};

}  // namespace qv::ui
