#pragma once

#include "board/board_marks.h"
#include "board/chess_diagram.h"
#include "board/piece_pictures.h"

#include <QImage>
#include <QPoint>
#include <QTimer>

#include <array>

// The board drawn with piece pictures: 8 x 8 squares, no border. The squares
// are as large as the widget allows (at least S logical pixels), and
// everything is drawn in device pixels: the pieces are made from the glyph
// outlines at the square's size in device pixels, so they stay sharp at any
// size and pixel ratio. Everything is drawn into the canvas, the image the
// widget shows; a drag works on a back buffer (the board without the dragged
// piece) so that each mouse move repaints only the rectangle covering the
// piece's old and new places.
//
// Public coordinates (mouse points, squareOrigin, SquareAt) are the widget's
// logical pixels; canvas() is in device pixels.
class TChessDiagram2D : public TChessDiagram
{
    Q_OBJECT

public:
    // The smallest square, the one of a board 304 pixels wide.
    static constexpr int S = 38;

    // Shows "Error loading PIECEn" and asks the application to quit for each
    // picture the font cannot give.
    explicit TChessDiagram2D(QWidget *parent = nullptr,
                             const QString &fontFile = TPiecePictures::defaultFontFile());

    // A square's side in logical pixels, rounded down.
    QSize SquareSize() const;
    // Top-left logical pixel of q with the board's orientation, rounded up.
    QPoint squareOrigin(Square q) const;
    // A logical pixel near the centre of q.
    QPoint squareCentre(Square q) const;
    // What the widget shows, in device pixels, and the part of it showing q.
    const QImage &canvas() const { return m_canvas; }
    QImage squareImage(Square q) const;
    // Device pixels per logical pixel, and per square, the canvas is drawn at.
    qreal pixelRatio() const { return m_ratio; }
    int deviceSquareSide() const { return m_side; }
    bool isDragging() const { return m_dragging; }
    bool isAnimating() const { return m_animating; }

    // File letters and rank numbers along the lower and left edges, the
    // last move's squares tinted and the checked king marked; all off until
    // set. Each takes effect at the next Redraw().
    bool showCoordinates() const { return m_showCoordinates; }
    void setShowCoordinates(bool show) { m_showCoordinates = show; }
    bool showLastMove() const { return m_showLastMove; }
    void setShowLastMove(bool show) { m_showLastMove = show; }
    bool showCheck() const { return m_showCheck; }
    void setShowCheck(bool show) { m_showCheck = show; }
    const BoardMarks &marks() const { return m_marks; }
    // Redraws the squares whose marks change.
    void setMarks(const BoardMarks &marks);

    void RedrawSquare(Square q) override;
    void DrawPiece(PieceCode piece, int x, int y) override;
    void ClampToBoard(int &x, int &y) const override;
    void StartMoveAnimation(PieceCode piece, Square from, Square to) override;
    int SquareAt(int x, int y) const override;
    void DrawSquare(PieceCode piece, Square q) override;
    void AnimationStep() override;
    void EndAnimation() override;

    QSize sizeHint() const override { return {8 * S, 8 * S}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Sizes the square to the widget and its screen; on a change remakes the
    // pictures and buffers, drops a drag or animation and redraws.
    void fitToWidget();
    void makePictures(bool reportFailure);
    QPoint deviceOrigin(Square q) const;
    QRect deviceSquare(Square q) const { return {deviceOrigin(q), QSize(m_side, m_side)}; }
    int deviceSquareAt(int x, int y) const;
    void deviceClamp(int &x, int &y) const;
    QPoint toDevice(QPointF logical) const;
    // Asks for a repaint of a rectangle of the canvas.
    void updateDevice(const QRect &rect);
    // The square's colour with the last-move tint and the check mark; the
    // coordinates go over the piece.
    void drawGround(QImage &target, Square q) const;
    void drawCoordinates(QImage &target, Square q) const;
    // Mask with AND, image with OR; at device pixel (x, y).
    void drawPieceInto(QImage &target, PieceCode piece, int x, int y) const;
    // Shows the back buffer's rect on the canvas.
    void showFromBackBuffer(const QRect &rect);
    // Moves the floating piece to the top-left (x, y): four one-square
    // transfers in the back buffer and one of the covering rectangle.
    void moveFloatingPiece(int x, int y);

    QString m_fontFile;
    bool m_picturesFailed = false;
    qreal m_ratio = 1;
    int m_side = S;
    bool m_showCoordinates = false;
    bool m_showLastMove = false;
    bool m_showCheck = false;
    BoardMarks m_marks;
    std::array<QImage, TPiecePictures::Count + 1> m_pictures;  // 1..24
    QImage m_canvas;
    QImage m_backBuffer;
    QImage m_saveBuffer;
    QPoint m_current;
    QPoint m_target;
    QPoint m_start;
    QTimer m_animationTimer;
};
