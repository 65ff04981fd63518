#include "ui/board_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "board/board.h"
#include "board/data_dir.h"

namespace qv::ui {

namespace {
const QColor DARK(112, 72, 40);
const QColor LIGHT(236, 214, 170);
}  // namespace

QPoint square_corner(int s) {
    const int i = board_state.flipped ? 32 - s : s - 1;
    const int r = i / 4;
    const int k = i % 4;
    const int c = (r % 2) - 2 * k + 6;
    return {SQUARE * c + BOARD_LEFT, SQUARE * r + BOARD_TOP};
}

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent), canvas_(520, 520) {
    setObjectName("Damier2D");
    setFixedSize(520, 520);
    canvas_.fill(palette().color(QPalette::Window));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardWidget::load_pictures() {
    const char* names[5] = {"Images1i/1pva.bmp", "Images1i/1pba.BMP", "Images1i/1dba.bmp",
                            "Images1i/1pna.bmp", "Images1i/1dna.bmp"};
    bool all = true;
    for (int c = 0; c < 5; ++c) {
        pieces_[c] = QPixmap(QString::fromStdString(data_path(names[c]).string()));
        all = all && !pieces_[c].isNull();
    }
    light_ = QPixmap(QString::fromStdString(data_path("Images1i/1cache.BMP").string()));
    pictures_loaded_ = all && !light_.isNull();
}

void BoardWidget::draw_piece_picture(QPainter& p, QRect r, uint8_t code) {
    if (pictures_loaded_ && code <= 4) {
        p.drawPixmap(r, pieces_[code]);
        return;
    }
    // Painted stand-in: a dark square with a disc, a ring marking a king.
    p.fillRect(r, DARK);
    if (code == EMPTY || code > 4) return;
    const bool white = is_white(code);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(white ? QColor(90, 80, 60) : QColor(10, 10, 10), 2));
    p.setBrush(white ? QColor(244, 238, 222) : QColor(40, 36, 34));
    p.drawEllipse(r.adjusted(7, 7, -7, -7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r.adjusted(14, 14, -14, -14));
    if (is_king(code)) {
        p.setPen(QPen(QColor(212, 160, 23), 4));
        p.drawEllipse(r.adjusted(20, 20, -20, -20));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

void BoardWidget::draw_light_squares(QPainter& p) {
    for (int s = 1; s <= 32; ++s) {
        const int x = 120 * ((s - 1) % 4) + (((s + 3) & 4) ? 60 : 0) + BOARD_LEFT;
        const int y = 60 * ((s - 1) / 4) + BOARD_TOP;
        const QRect r(x, y, SQUARE, SQUARE);
        if (pictures_loaded_)
            p.drawPixmap(r, light_);
        else
            p.fillRect(r, LIGHT);
    }
}

void BoardWidget::placer_pions() {
    if (follower_) follower_->clear_to_background();
    canvas_.fill(palette().color(QPalette::Window));
    {
        QPainter p(&canvas_);
        if (frame_visible_) {
            p.setPen(QColor(0xFF, 0xFF, 0xFF));
            p.drawPolyline(QPolygon({{7, 7}, {509, 7}, {509, 509}, {7, 509}, {7, 7}}));
            p.setPen(QColor(0x80, 0x80, 0x80));
            p.drawPolyline(QPolygon({{6, 6}, {508, 6}, {508, 508}, {6, 508}, {6, 6}}));
        }
        draw_light_squares(p);
    }
    for (int s = 1; s <= 32; ++s) draw_square(s, shown_board[s]);
    update();
}

void BoardWidget::draw_square(int s, uint8_t code) {
    if (s < 1 || s > 32) return;
    if (follower_) follower_->draw_square(s, code);
    const QRect r(square_corner(s), QSize(SQUARE, SQUARE));
    {
        QPainter p(&canvas_);
        draw_piece_picture(p, r, code);
        if (board_state.show_numbers) {
            p.setPen(Qt::black);
            QFont f = p.font();
            f.setPixelSize(11);
            p.setFont(f);
            const QString text = QString::fromLatin1(label(s));
            const QRect box(r.left(), r.bottom() - 13, 17, 14);
            p.fillRect(box, QColor(0xC0, 0xC0, 0xC0));
            p.drawText(box, Qt::AlignCenter, text);
        }
    }
    update(r);
}

void BoardWidget::frame_square(int s, Rgb colour) {
    if (s < 1 || s > 32) return;
    if (follower_) follower_->frame_square(s, colour);
    const QPoint o = square_corner(s);
    {
        QPainter p(&canvas_);
        p.setPen(QColor(colour.r, colour.g, colour.b));
        p.setBrush(Qt::NoBrush);
        p.drawRect(o.x(), o.y(), 59, 59);
        p.drawRect(o.x() + 1, o.y() + 1, 57, 57);
    }
    update(QRect(o, QSize(SQUARE, SQUARE)));
}

void BoardWidget::draw_labels() {
    for (int s = 1; s <= 32; ++s) draw_square(s, shown_board[s]);
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawPixmap(event->rect(), canvas_, event->rect());
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint());
}

}  // namespace qv::ui
