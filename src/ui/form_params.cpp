#include "ui/form_params.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/captions.h"

namespace qv::ui {

namespace {

constexpr int FIELD_W = 34;
constexpr int FIELD_H = 20;
constexpr int TABLE_X = 130;     // first table's left edge
constexpr int TABLE_STEP = 215;  // from one table to the next
constexpr int ROW_STEP = 22;

QLabel* label(QWidget* parent, const QString& name, QRect geometry) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    return l;
}

QLineEdit* field(QWidget* parent, QPoint at) {
    auto* e = new QLineEdit(parent);
    e->setGeometry(QRect(at, QSize(FIELD_W, FIELD_H)));
    e->setAlignment(Qt::AlignRight);
    return e;
}

QString number(int8_t v) {
    return QString::number(int(v));
}

int8_t value_of(const QLineEdit* e) {
    return parse_parameter_field(e->text().toStdString());
}

}  // namespace

ParamsForm::ParamsForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form5");
    setFixedSize(980, 676);
    QFont small = font();
    small.setPointSize(8);

    // The phase limits in one row.
    const struct {
        const char* caption;
        const char* pieces;
        int x;
        int width;
    } limits[] = {{"Label_debut", "Label_pieces1", 10, 150},
                  {"Label_milieu", "Label_pieces2", 260, 160},
                  {"Label_prefinale", "Label_pieces3", 520, 110}};
    for (int i = 0; i < 3; ++i) {
        const auto& l = limits[i];
        label(this, l.caption, QRect(l.x, 12, l.width, FIELD_H));
        thresholds_[i] = field(this, QPoint(l.x + l.width, 12));
        thresholds_[i]->setObjectName(QString("Seuil%1").arg(i + 1));
        label(this, l.pieces, QRect(l.x + l.width + FIELD_W + 4, 12, 50, FIELD_H));
    }
    label(this, "Label_finale", QRect(760, 12, 200, FIELD_H));

    // Two bands of four tables, each under its tempo coefficient and caption.
    for (int band = 0; band < 2; ++band) {
        const int top = band == 0 ? 44 : 304;
        label(this, QString("Label_tempo%1").arg(band + 1), QRect(10, top, 118, FIELD_H));
        for (int k = 0; k < 4; ++k) {
            const int t = 4 * band + k;
            const int x = TABLE_X + TABLE_STEP * k;
            tempo_[t] = field(this, QPoint(x, top));
            tempo_[t]->setObjectName(QString("Tempo%1").arg(t + 1));
            label(this, QString("Label_pion%1").arg(t + 1),
                  QRect(x + FIELD_W + 4, top, 120, FIELD_H));
            label(this, QString("Label_table%1").arg(t + 1), QRect(x, top + 26, 200, FIELD_H));
            build_table(t, QPoint(x, top + 50));
        }
    }
    auto* note = label(this, "Label_note", QRect(TABLE_X, 282, 700, FIELD_H));
    note->setFont(small);

    build_squares(0, QPoint(10, 540));
    build_squares(1, QPoint(500, 540));

    auto* ok = new QPushButton(this);
    ok->setObjectName("parametreOK");
    ok->setGeometry(370, 632, 110, 32);
    connect(ok, &QPushButton::clicked, this, [this] { parametreOKClick(); });
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("parametrecancel");
    cancel->setGeometry(500, 632, 110, 32);
    connect(cancel, &QPushButton::clicked, this, [this] { parametrecancelClick(); });
    set_language(FRENCH);
}

void ParamsForm::build_table(int table, QPoint origin) {
    // Entries 29..32 on the top row, 1..4 on the bottom row, left to right; every other
    // row shifted by half a field, as the dark squares are.
    for (int e = 1; e <= 32; ++e) {
        const int row = (e - 1) / 4;  // 0: the owner's back row
        const int x = origin.x() + 44 * ((e - 1) % 4) + (row % 2 == 1 ? 22 : 0);
        const int y = origin.y() + ROW_STEP * (7 - row);
        QLineEdit* f = field(this, QPoint(x, y));
        f->setObjectName(QString("Table%1_%2").arg(table + 1).arg(e));
        tables_[table][e] = f;
    }
}

void ParamsForm::build_squares(int variant, QPoint origin) {
    const int v = variant + 1;
    label(this, QString("Label_variante%1").arg(v), QRect(origin, QSize(480, FIELD_H)));
    for (int colour = 0; colour < 2; ++colour) {
        const int y = origin.y() + 26 + 26 * colour;
        label(this, QString(colour == 0 ? "Label_blanches%1" : "Label_noires%1").arg(v),
              QRect(origin.x(), y, 190, FIELD_H));
        for (int i = 0; i < 7; ++i) {
            QLineEdit* f = field(this, QPoint(origin.x() + 196 + 40 * i, y));
            f->setObjectName(QString("Variante%1_%2_%3").arg(v).arg(colour).arg(i + 1));
            squares_[variant][colour][i] = f;
        }
    }
}

void ParamsForm::set_language(int language) {
    setWindowTitle(QString::fromUtf8(caption_of(language, "Form5")));
    apply_captions(this, language);
}

void ParamsForm::fill() {
    const Parameters& p = params;
    const int8_t limits[3] = {p.opening_threshold, p.middle_threshold, p.prefinal_threshold};
    for (int i = 0; i < 3; ++i) thresholds_[i]->setText(number(limits[i]));
    for (int t = 0; t < MAN_TABLE_COUNT; ++t) {
        tempo_[t]->setText(number(p.tempo_coef[t]));
        for (int e = 1; e <= 32; ++e) tables_[t][e]->setText(number(p.man_tables[t][e]));
    }
    const int8_t* sets[2][2] = {{p.variant1_white_squares, p.variant1_black_squares},
                                {p.variant2_white_squares, p.variant2_black_squares}};
    for (int v = 0; v < 2; ++v)
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 7; ++i) squares_[v][c][i]->setText(number(sets[v][c][i]));
}

void ParamsForm::parametreOKClick() {
    hide();
    emit accepted();
}

void ParamsForm::apply() const {
    Parameters& p = params;
    p.opening_threshold = value_of(thresholds_[0]);
    p.middle_threshold = value_of(thresholds_[1]);
    p.prefinal_threshold = value_of(thresholds_[2]);
    for (int t = 0; t < MAN_TABLE_COUNT; ++t) {
        p.tempo_coef[t] = value_of(tempo_[t]);
        for (int e = 1; e <= 32; ++e) p.man_tables[t][e] = value_of(tables_[t][e]);
    }
    int8_t* sets[2][2] = {{p.variant1_white_squares, p.variant1_black_squares},
                          {p.variant2_white_squares, p.variant2_black_squares}};
    for (int v = 0; v < 2; ++v)
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 7; ++i) sets[v][c][i] = value_of(squares_[v][c][i]);
}

void ParamsForm::parametrecancelClick() {
    hide();
}

}  // namespace qv::ui
