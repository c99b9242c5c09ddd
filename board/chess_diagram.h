#pragma once

#include "chess/encodings.h"
#include "chess/game_record.h"
#include "chess/position.h"

#include <QColor>
#include <QWidget>

// The board the user looks at: it owns the shown position, the orientation
// and the result of the last drag, and declares the drawing and geometry
// operations a concrete board implements. It never judges a move: after a
// drop it fires mouseUp() and its owner reads GetMove(), decides and redraws.
class TChessDiagram : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Version READ Version)
    Q_PROPERTY(bool WhiteIsAtBottom READ WhiteIsAtBottom WRITE setWhiteIsAtBottom)
    Q_PROPERTY(QColor LightSquareColor READ LightSquareColor WRITE setLightSquareColor)
    Q_PROPERTY(QColor DarkSquareColor READ DarkSquareColor WRITE setDarkSquareColor)

public:
    explicit TChessDiagram(QWidget *parent = nullptr);

    QString Version() const { return QStringLiteral("1.0"); }
    bool WhiteIsAtBottom() const { return m_whiteIsAtBottom; }
    // Stores the orientation and repaints the whole board.
    void setWhiteIsAtBottom(bool whiteAtBottom);
    QColor LightSquareColor() const { return m_lightColor; }
    QColor DarkSquareColor() const { return m_darkColor; }
    // The colours take effect at the next Redraw().
    void setLightSquareColor(const QColor &color) { m_lightColor = color; }
    void setDarkSquareColor(const QColor &color) { m_darkColor = color; }
    // a1 is dark: rank + file even.
    QColor squareColor(Square q) const;

    // The shown position; the whole program reads and changes it here.
    TChessPosition &Position() { return m_position; }
    const TChessPosition &Position() const { return m_position; }

    // The white piece a pawn dragged to the last rank becomes by default;
    // Black's is this plus 6.
    PieceCode DefaultPromotionPiece() const { return m_defaultPromotionPiece; }
    void setDefaultPromotionPiece(PieceCode piece) { m_defaultPromotionPiece = piece; }

    virtual void RedrawSquare(Square q);
    virtual void DrawPiece(PieceCode piece, int x, int y);
    virtual void ClampToBoard(int &x, int &y) const;
    // Makes the change in the position (from empty, to holding piece) and
    // remembers the squares; a drawing board then slides the piece across.
    virtual void StartMoveAnimation(PieceCode piece, Square from, Square to);
    // The square under a pixel; -1 where a board has no geometry.
    virtual int SquareAt(int x, int y) const;
    virtual void DrawSquare(PieceCode piece, Square q);
    virtual void AnimationStep();
    virtual void EndAnimation();
    // Animates move when its from-square holds a piece.
    virtual void PlayMove(const MoveRecord &move);
    // The last dragged move: From, To, Promotion and Annotation 1.
    virtual void GetMove(MoveRecord &move) const;

    // Repaints every square from the position.
    void Redraw();
    // Puts piece on q in the position and draws the square.
    void SetSquare(PieceCode piece, Square q);
    PieceCode PieceAt(Square q) const { return m_position.GetPiece(q); }

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
    // A drag ended; a click on an empty square fires none.
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);

protected:
    MoveRecord m_dragResult;
    bool m_dragging = false;
    bool m_animating = false;
    PieceCode m_draggedPiece = Piece::WhitePawn;
    Square m_lastFrom = 0;
    Square m_lastTo = 0;

private:
    bool m_whiteIsAtBottom = true;
    QColor m_lightColor = QColor(255, 255, 255);
    QColor m_darkColor = QColor(128, 128, 128);
    TChessPosition m_position;
    PieceCode m_defaultPromotionPiece = Piece::WhiteQueen;
};
