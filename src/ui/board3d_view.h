// The perspective board (Image5): a pre-rendered picture of the board without pieces on
// which every square is drawn as a separate sprite at its fixed place. It follows every
// drawing call of the 2D board, so that both boards show the same position.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <array>
#include <cstdint>

#include "ui/board_widget.h"
#include "ui/themes.h"

namespace qv::ui {

class Board3dView : public QWidget, public BoardFollower {
    Q_OBJECT
  public:
    explicit Board3dView(QWidget* parent);

    ThemeState& themes() { return themes_; }
    const ThemeState& themes() const { return themes_; }

    // The 160 sprites of set T from "ImagesTi"; a missing file leaves its sprite empty.
    void load_sprite_set(int set);
    // damierNwi.bmp becomes the off-screen background, damierNi.bmp the picture shown,
    // then the background is drawn over it.
    void load_background(int number);
    // Loads what a switch to `theme` needs and records the theme as current.
    void switch_to(int theme);
    // Loads what leaving for the 2D board needs (set 1 and background 1 after a theme
    // above 2).
    void switch_to_2d();

    // BoardFollower: the whole picture from the background, single squares, move dots.
    void clear_to_background() override;
    void draw_square(int s, uint8_t code) override;
    void frame_square(int s, Rgb colour) override;

    // "Indication des mouvements": move dots are drawn only while it is ticked.
    void set_move_dots(bool on) { move_dots_ = on; }
    // "Jeu en aveugle": pieces are not drawn; switching it on wipes them at once.
    void set_blind(bool on);
    bool blind() const { return blind_; }

    // The picture shown, pieces included, written as a bitmap (through a temporary file).
    bool save_bitmap(const QString& path) const;

    const QImage& picture() const { return picture_; }
    const QImage& sprite(int code, int place) const { return sprites_[code][place]; }

  signals:
    // A mouse-down on the picture, in the picture's pixels.
    void pressed(QPoint p);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QRect box(int place) const;
    // The square's label at the top-left corner of its place.
    QRect tag(int place) const;
    void draw_tag(QPainter& p, int place);

    ThemeState themes_;
    QImage picture_;
    QImage background_;
    std::array<std::array<QImage, 33>, 5> sprites_;  // [code][place]
    bool move_dots_ = false;
    bool blind_ = false;
};

}  // namespace qv::ui
