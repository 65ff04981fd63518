// The 2D board: the window's canvas in the board's corner. Squares are drawn into a
// backing picture one at a time (light squares, piece, frame, label in that order) and
// only the changed square is repainted on screen.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>
#include <cstdint>

#include "ui/board_view.h"

namespace qv::ui {

inline constexpr int BOARD_LEFT = 19;
inline constexpr int BOARD_TOP = 25;
inline constexpr int SQUARE = 60;

// Top-left corner of square s on the 2D board in the current orientation.
QPoint square_corner(int s);

// Another picture of the board (the perspective board) that follows every drawing call.
class BoardFollower {
  public:
    virtual ~BoardFollower() = default;
    virtual void clear_to_background() = 0;
    virtual void draw_square(int s, uint8_t code) = 0;
    virtual void frame_square(int s, Rgb colour) = 0;
};

class BoardWidget : public QWidget {
    Q_OBJECT
  public:
    explicit BoardWidget(QWidget* parent);

    // Loads the pictures from "Images1i"; painted discs stand in for missing ones.
    void load_pictures();
    bool using_pictures() const { return pictures_loaded_; }

    // Whole board from shown_board (placer_pions).
    void placer_pions();
    void draw_square(int s, uint8_t code);
    void frame_square(int s, Rgb colour);
    void draw_labels();
    // The frame around the board is drawn only on the game screen.
    void set_frame_visible(bool visible) { frame_visible_ = visible; }
    void set_follower(BoardFollower* follower) { follower_ = follower; }

    // Colour of the backing picture at a point (tests).
    QColor pixel(QPoint p) const { return canvas_.toImage().pixelColor(p); }

  signals:
    // A mouse-down at window position `p` (the widget sits at the window's origin).
    void pressed(QPoint p);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void draw_piece_picture(QPainter& p, QRect r, uint8_t code);
    void draw_light_squares(QPainter& p);

    QPixmap canvas_;
    std::array<QPixmap, 5> pieces_;  // by code
    QPixmap light_;
    bool pictures_loaded_ = false;
    bool frame_visible_ = true;
    BoardFollower* follower_ = nullptr;
};

}  // namespace qv::ui
