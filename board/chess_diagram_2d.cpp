#include "board/chess_diagram_2d.h"

#include "ui/prompts.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int AnimationPixelsPerStep = 6;
constexpr int AnimationIntervalMs = 15;
} // namespace

TChessDiagram2D::TChessDiagram2D(QWidget *parent, const QString &fontFile)
    : TChessDiagram(parent)
    , m_canvas(8 * S, 8 * S, QImage::Format_RGB32)
    , m_backBuffer(8 * S, 8 * S, QImage::Format_RGB32)
    , m_saveBuffer(S, S, QImage::Format_RGB32)
{
    resize(8 * S, 8 * S);
    setAttribute(Qt::WA_OpaquePaintEvent);

    const TPiecePictures pictures(fontFile, S);
    bool failed = false;
    for (int index = 1; index <= TPiecePictures::Count; ++index) {
        m_pictures[index] = pictures.picture(index);
        if (m_pictures[index].isNull()) {
            // A blank picture draws nothing: an all-white mask, a black image.
            m_pictures[index] = QImage(S, S, QImage::Format_RGB32);
            m_pictures[index].fill(index > 12 ? Qt::white : Qt::black);
            // One box says what is missing; one a picture would say it 24 times.
            if (!failed)
                MessageDlg(QStringLiteral("Error loading ") + TPiecePictures::resourceName(index),
                           TPrompts::Icon::Error, TPrompts::Button::Ok, this);
            failed = true;
        }
    }
    if (failed && QCoreApplication::instance())
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);

    m_animationTimer.setInterval(AnimationIntervalMs);
    connect(&m_animationTimer, &QTimer::timeout, this, &TChessDiagram2D::AnimationStep);
    Redraw();
}

QPoint TChessDiagram2D::squareOrigin(Square q) const
{
    const int shown = WhiteIsAtBottom() ? q : 77 - q;
    return {S * (shown % 10), S * (7 - shown / 10)};
}

int TChessDiagram2D::SquareAt(int x, int y) const
{
    ClampToBoard(x, y);
    const int q = (7 - y / S) * 10 + x / S;
    return WhiteIsAtBottom() ? q : 77 - q;
}

void TChessDiagram2D::ClampToBoard(int &x, int &y) const
{
    x = std::clamp(x, S / 2, 8 * S - S / 2);
    y = std::clamp(y, S / 2, 8 * S - S / 2);
}

void TChessDiagram2D::RedrawSquare(Square q)
{
    DrawSquare(PieceAt(q), q);
}

void TChessDiagram2D::drawPieceInto(QImage &target, PieceCode piece, int x, int y) const
{
    if (piece == Piece::Empty || piece > Piece::BlackKing)
        return;
    QPainter p(&target);
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(x, y, m_pictures[piece + 12]);
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    p.drawImage(x, y, m_pictures[piece]);
}

void TChessDiagram2D::DrawPiece(PieceCode piece, int x, int y)
{
    drawPieceInto(m_canvas, piece, x, y);
    update(x, y, S, S);
}

void TChessDiagram2D::DrawSquare(PieceCode piece, Square q)
{
    if (TChessPosition::IsOffBoard(q))
        return;
    const QPoint at = squareOrigin(q);
    QPainter(&m_canvas).fillRect(QRect(at, QSize(S, S)), squareColor(q));
    DrawPiece(piece, at.x(), at.y());
    update(QRect(at, QSize(S, S)));
}

void TChessDiagram2D::showFromBackBuffer(const QRect &rect)
{
    QPainter(&m_canvas).drawImage(rect.topLeft(), m_backBuffer, rect);
    update(rect);
}

void TChessDiagram2D::moveFloatingPiece(int x, int y)
{
    const QRect covering = QRect(m_current, QSize(S, S)) | QRect(x, y, S, S);
    m_saveBuffer = m_backBuffer.copy(x, y, S, S);
    drawPieceInto(m_backBuffer, m_draggedPiece, x, y);
    showFromBackBuffer(covering);
    QPainter(&m_backBuffer).drawImage(x, y, m_saveBuffer);
    m_current = {x, y};
}

void TChessDiagram2D::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect board = m_canvas.rect();
    for (const QRect &r : event->region()) {
        const QRect part = r.intersected(board);
        if (!part.isEmpty())
            p.drawImage(part.topLeft(), m_canvas, part);
        for (const QRect &outside : QRegion(r).subtracted(board))
            p.fillRect(outside, palette().window());
    }
}

void TChessDiagram2D::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit mouseDown(event->button(), event->modifiers(), at);
    if (m_dragging)
        return;
    EndAnimation();
    const Square q = Square(SquareAt(at.x(), at.y()));
    m_dragResult = MoveRecord{};
    m_dragResult.From = q;
    m_dragResult.To = q;
    m_dragResult.Annotation = 1;
    m_draggedPiece = PieceAt(q);
    if (m_draggedPiece == Piece::Empty)
        return;
    m_backBuffer = m_canvas.copy();
    m_current = squareOrigin(q);
    QPainter(&m_backBuffer).fillRect(QRect(m_current, QSize(S, S)), squareColor(q));
    m_dragging = true;
}

void TChessDiagram2D::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    int x = event->position().toPoint().x(), y = event->position().toPoint().y();
    ClampToBoard(x, y);
    moveFloatingPiece(x - S / 2, y - S / 2);
}

void TChessDiagram2D::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    showFromBackBuffer(QRect(m_current, QSize(S, S)));
    m_dragResult.To = Square(SquareAt(m_current.x() + S / 2, m_current.y() + S / 2));
    if (m_draggedPiece == Piece::WhitePawn && m_dragResult.To >= 70)
        m_dragResult.Promotion = DefaultPromotionPiece;
    else if (m_draggedPiece == Piece::BlackPawn && m_dragResult.To < 8)
        m_dragResult.Promotion = PieceCode(DefaultPromotionPiece + Piece::BlackOffset);
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void TChessDiagram2D::StartMoveAnimation(PieceCode piece, Square from, Square to)
{
    TChessDiagram::StartMoveAnimation(piece, from, to);
    m_draggedPiece = piece;
    m_backBuffer = m_canvas.copy();
    m_current = m_start = squareOrigin(from);
    m_target = squareOrigin(to);
    QPainter(&m_backBuffer).fillRect(QRect(m_start, QSize(S, S)), squareColor(from));
    m_animating = true;
    m_animationTimer.start();
}

void TChessDiagram2D::AnimationStep()
{
    if (!m_animating)
        return;
    const QPoint left = m_target - m_current;
    const double distance = std::hypot(left.x(), left.y());
    if (distance <= AnimationPixelsPerStep) {
        moveFloatingPiece(m_target.x(), m_target.y());
        EndAnimation();
        return;
    }
    const double f = AnimationPixelsPerStep / distance;
    moveFloatingPiece(m_current.x() + int(std::lround(left.x() * f)),
                      m_current.y() + int(std::lround(left.y() * f)));
}

void TChessDiagram2D::EndAnimation()
{
    if (!m_animating)
        return;
    m_animating = false;
    m_animationTimer.stop();
    showFromBackBuffer(QRect(m_current, QSize(S, S)));
    DrawSquare(m_draggedPiece, m_lastTo);
}
