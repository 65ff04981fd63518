// The evaluation parameter editor ("Parameters"): one field per value of the live
// parameter set, the tables drawn as boards seen from their owner's side.
#pragma once

#include <QWidget>
#include <array>

#include "eval/params.h"

class QLineEdit;

namespace qv::ui {

class ParamsForm : public QWidget {
    Q_OBJECT
  public:
    explicit ParamsForm(QWidget* parent);

    // The fields from the live parameters.
    void fill();
    void set_language(int language);
    void parametreOKClick();      // hides the editor and asks for the fields to be taken
    void parametrecancelClick();  // hide, nothing changed
    // Every field into the live parameters.
    void apply() const;

  signals:
    void accepted();

  public:
    QLineEdit* threshold_field(int i) const { return thresholds_[i]; }
    QLineEdit* tempo_field(int table) const { return tempo_[table]; }
    QLineEdit* table_field(int table, int entry) const { return tables_[table][entry]; }
    // variant 0/1, colour 0 white / 1 black, i 0..6
    QLineEdit* square_field(int variant, int colour, int i) const {
        return squares_[variant][colour][i];
    }

  private:
    void build_table(int table, QPoint origin);
    void build_squares(int variant, QPoint origin);

    std::array<QLineEdit*, 3> thresholds_{};
    std::array<QLineEdit*, MAN_TABLE_COUNT> tempo_{};
    std::array<std::array<QLineEdit*, 33>, MAN_TABLE_COUNT> tables_{};  // entry 0 unused
    std::array<std::array<std::array<QLineEdit*, 7>, 2>, 2> squares_{};
};

}  // namespace qv::ui
