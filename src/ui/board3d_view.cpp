#include "ui/board3d_view.h"

#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <string>

#include "board/board.h"
#include "board/board3d_geometry.h"
#include "board/data_dir.h"

namespace qv::ui {

namespace {
const QColor NO_PICTURE(48, 48, 48);

QImage load_picture(const std::string& relative) {
    QImage image(QString::fromStdString(data_path(relative).string()));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}
}  // namespace

Board3dView::Board3dView(QWidget* parent)
    : QWidget(parent), picture_(BOARD3D_WIDTH, BOARD3D_HEIGHT, QImage::Format_RGB32) {
    setObjectName("Image5");
    setFixedSize(BOARD3D_WIDTH, BOARD3D_HEIGHT);
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture_.fill(NO_PICTURE);
    background_ = picture_;
}

QRect Board3dView::box(int place) const {
    return {BOARD3D_X[place], BOARD3D_Y[place], BOARD3D_SPRITE, BOARD3D_SPRITE};
}

QRect Board3dView::tag(int place) const {
    return {BOARD3D_X[place], BOARD3D_Y[place], 17, 14};
}

void Board3dView::draw_tag(QPainter& p, int place) {
    QFont f = p.font();
    f.setPixelSize(11);
    p.setFont(f);
    p.fillRect(tag(place), QColor(0xC0, 0xC0, 0xC0));
    p.setPen(Qt::black);
    const int s = board3d_place(place, board_state.flipped != 0);  // the square shown there
    p.drawText(tag(place), Qt::AlignCenter, QString::fromLatin1(label(s)));
}

void Board3dView::load_sprite_set(int set) {
    const char* prefix[5] = {"pv", "pb", "db", "pn", "dn"};
    const std::string T = std::to_string(set);
    for (int s = 1; s <= 32; ++s)
        for (int c = 0; c <= 4; ++c)
            sprites_[c][s] = load_picture("Images" + T + "i/" + prefix[c] + T + "_" +
                                          std::to_string(s) + "i.bmp");
    themes_.loaded_set = uint8_t(set);
    ++themes_.set_loads;
}

void Board3dView::load_background(int number) {
    const std::string N = std::to_string(number);
    QImage empty = load_picture("damier" + N + "wi.bmp");
    if (empty.isNull()) {
        empty = QImage(BOARD3D_WIDTH, BOARD3D_HEIGHT, QImage::Format_RGB32);
        empty.fill(NO_PICTURE);
    }
    background_ = empty;
    QImage shown = load_picture("damier" + N + "i.bmp");
    picture_ = shown.isNull() ? background_ : shown;
    clear_to_background();
    themes_.loaded_background = uint8_t(number);
    ++themes_.background_loads;
}

void Board3dView::switch_to(int theme) {
    const ThemeLoads loads = plan_theme_switch(themes_, theme);
    if (loads.sprite_set) load_sprite_set(loads.sprite_set);
    if (loads.background) load_background(loads.background);
    themes_.current_theme = int8_t(theme);
}

void Board3dView::switch_to_2d() {
    const ThemeLoads loads = plan_2d_switch(themes_);
    if (!loads.sprite_set) return;
    load_sprite_set(loads.sprite_set);
    load_background(loads.background);
    themes_.current_theme = 1;
}

void Board3dView::clear_to_background() {
    {
        QPainter p(&picture_);
        p.drawImage(0, 0, background_);
    }
    update();
}

void Board3dView::draw_square(int s, uint8_t code) {
    if (s < 1 || s > 32) return;
    const int t = board3d_place(s, board_state.flipped != 0);
    const QRect r = box(t);
    QRect dirty = r;
    {
        QPainter p(&picture_);
        const QImage& piece = sprites_[code <= 4 && !blind_ ? code : EMPTY][t];
        // Without a sprite, or in blind play, the background's own piece of the picture.
        if (piece.isNull() || blind_)
            p.drawImage(r.topLeft(), background_, r);
        else
            p.drawImage(r.topLeft(), piece);
        if (board_state.show_numbers) {
            // Boxes overlap at their corners: labels of other places that this sprite
            // covered are written again.
            for (int u = 1; u <= 32; ++u)
                if (u == t || tag(u).intersects(r)) {
                    draw_tag(p, u);
                    dirty |= tag(u);
                }
        }
    }
    update(dirty);
}

void Board3dView::frame_square(int s, Rgb colour) {
    if (!move_dots_ || s < 1 || s > 32) return;
    const int t = board3d_place(s, board_state.flipped != 0);
    const QColor c(colour.r, colour.g, colour.b);
    {
        QPainter p(&picture_);
        p.setPen(c);
        p.setBrush(c);
        p.drawEllipse(QRect(QPoint(BOARD3D_X[t] + 25, BOARD3D_Y[t] + 25),
                            QPoint(BOARD3D_X[t] + 30, BOARD3D_Y[t] + 30)));
    }
    update(box(t));
}

void Board3dView::set_blind(bool on) {
    blind_ = on;
    if (on) clear_to_background();
}

bool Board3dView::save_bitmap(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QImageWriter writer(&file, "bmp");
    if (!writer.write(picture_)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void Board3dView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawImage(event->rect(), picture_, event->rect());
}

void Board3dView::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint());
}

}  // namespace qv::ui
