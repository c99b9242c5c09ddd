#pragma once

#include "board/chess_diagram.h"
#include "board/piece_pictures.h"

#include <QImage>
#include <QPoint>
#include <QTimer>

#include <array>

// The board drawn with piece pictures: 8 x 8 squares of 38 pixels, no border.
// Everything is drawn into the canvas, the image the widget shows; a drag
// works on a back buffer (the board without the dragged piece) so that each
// mouse move repaints only the rectangle covering the piece's old and new
// places.
class TChessDiagram2D : public TChessDiagram
{
    Q_OBJECT

public:
    static constexpr int S = 38;

    // Shows "Error loading PIECEn" and asks the application to quit for each
    // picture the font cannot give.
    explicit TChessDiagram2D(QWidget *parent = nullptr,
                             const QString &fontFile = TPiecePictures::defaultFontFile());

    QSize SquareSize() const { return {S, S}; }
    // Top-left pixel of q with the board's orientation.
    QPoint squareOrigin(Square q) const;
    // What the widget shows.
    const QImage &canvas() const { return m_canvas; }
    bool isDragging() const { return m_dragging; }
    bool isAnimating() const { return m_animating; }

    void RedrawSquare(Square q) override;
    void DrawPiece(PieceCode piece, int x, int y) override;
    void ClampToBoard(int &x, int &y) const override;
    void StartMoveAnimation(PieceCode piece, Square from, Square to) override;
    int SquareAt(int x, int y) const override;
    void DrawSquare(PieceCode piece, Square q) override;
    void AnimationStep() override;
    void EndAnimation() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Mask with AND, image with OR.
    void drawPieceInto(QImage &target, PieceCode piece, int x, int y) const;
    // Shows the back buffer's rect on the canvas.
    void showFromBackBuffer(const QRect &rect);
    // Moves the floating piece to the top-left (x, y): four one-square
    // transfers in the back buffer and one of the covering rectangle.
    void moveFloatingPiece(int x, int y);

    std::array<QImage, TPiecePictures::Count + 1> m_pictures;  // 1..24
    QImage m_canvas;
    QImage m_backBuffer;
    QImage m_saveBuffer;
    QPoint m_current;
    QPoint m_target;
    QPoint m_start;
    QTimer m_animationTimer;
};
