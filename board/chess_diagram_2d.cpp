#include "board/chess_diagram_2d.h"

#include "ui/prompts.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {
constexpr int AnimationIntervalMs = 15;
// A slide takes about the same time at every size.
constexpr int AnimationStepsPerSquare = 6;

// Over either square colour, so both squares of the last move read as a pair.
const QColor LastMoveTint(255, 210, 0, 100);
const QColor CheckColour(220, 0, 0);

bool IsBoardSquare(int q)
{
    return q >= 0 && q <= 77 && q % 10 <= 7;
}
} // namespace

TChessDiagram2D::TChessDiagram2D(QWidget *parent, const QString &fontFile)
    : TChessDiagram(parent)
    , m_fontFile(fontFile)
{
    resize(8 * S, 8 * S);
    setMinimumSize(8 * S, 8 * S);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_animationTimer.setInterval(AnimationIntervalMs);
    connect(&m_animationTimer, &QTimer::timeout, this, &TChessDiagram2D::AnimationStep);
    fitToWidget();
}

void TChessDiagram2D::fitToWidget()
{
    const qreal ratio = devicePixelRatioF();
    const int logicalSide = std::max(std::min(width(), height()), 8 * S);
    const int side = std::max(1, int(std::floor(logicalSide * ratio / 8)));
    if (!m_canvas.isNull() && ratio == m_ratio && side == m_side)
        return;
    m_ratio = ratio;
    m_side = side;
    // A drag or slide in progress refers to the old geometry: it ends here
    // and the board shows the position as it stands.
    m_dragging = false;
    m_animating = false;
    m_animationTimer.stop();
    makePictures(!m_picturesFailed);
    m_canvas = QImage(8 * m_side, 8 * m_side, QImage::Format_RGB32);
    m_backBuffer = m_canvas;
    m_saveBuffer = QImage(m_side, m_side, QImage::Format_RGB32);
    Redraw();
    update();
}

void TChessDiagram2D::makePictures(bool reportFailure)
{
    const TPiecePictures pictures(m_fontFile, m_side);
    bool failed = false;
    for (int index = 1; index <= TPiecePictures::Count; ++index) {
        m_pictures[index] = pictures.picture(index);
        if (!m_pictures[index].isNull())
            continue;
        // A blank picture draws nothing: an all-white mask, a black image.
        m_pictures[index] = QImage(m_side, m_side, QImage::Format_RGB32);
        m_pictures[index].fill(index > 12 ? Qt::white : Qt::black);
        // One box says what is missing; one a picture would say it 24 times.
        if (reportFailure && !failed)
            MessageDlg(QStringLiteral("Error loading ") + TPiecePictures::resourceName(index),
                       TPrompts::Icon::Error, TPrompts::Button::Ok, this);
        failed = true;
    }
    m_picturesFailed = m_picturesFailed || failed;
    if (failed && reportFailure && QCoreApplication::instance())
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
}

QSize TChessDiagram2D::SquareSize() const
{
    const int side = int(std::floor(m_side / m_ratio));
    return {side, side};
}

QPoint TChessDiagram2D::deviceOrigin(Square q) const
{
    const int shown = WhiteIsAtBottom() ? q : 77 - q;
    return {m_side * (shown % 10), m_side * (7 - shown / 10)};
}

QPoint TChessDiagram2D::squareOrigin(Square q) const
{
    const QPoint at = deviceOrigin(q);
    return {int(std::ceil(at.x() / m_ratio)), int(std::ceil(at.y() / m_ratio))};
}

QPoint TChessDiagram2D::squareCentre(Square q) const
{
    const QPoint at = deviceOrigin(q) + QPoint(m_side / 2, m_side / 2);
    return {int(std::floor(at.x() / m_ratio)), int(std::floor(at.y() / m_ratio))};
}

QImage TChessDiagram2D::squareImage(Square q) const
{
    return m_canvas.copy(deviceSquare(q));
}

QPoint TChessDiagram2D::toDevice(QPointF logical) const
{
    return {int(std::floor(logical.x() * m_ratio)), int(std::floor(logical.y() * m_ratio))};
}

void TChessDiagram2D::updateDevice(const QRect &rect)
{
    update(QRectF(rect.x() / m_ratio, rect.y() / m_ratio, rect.width() / m_ratio, rect.height() / m_ratio)
               .toAlignedRect());
}

int TChessDiagram2D::SquareAt(int x, int y) const
{
    const QPoint at = toDevice(QPointF(x, y));
    return deviceSquareAt(at.x(), at.y());
}

int TChessDiagram2D::deviceSquareAt(int x, int y) const
{
    deviceClamp(x, y);
    const int q = (7 - y / m_side) * 10 + x / m_side;
    return WhiteIsAtBottom() ? q : 77 - q;
}

void TChessDiagram2D::ClampToBoard(int &x, int &y) const
{
    const int side = SquareSize().width();
    x = std::clamp(x, side / 2, 8 * side - side / 2);
    y = std::clamp(y, side / 2, 8 * side - side / 2);
}

void TChessDiagram2D::deviceClamp(int &x, int &y) const
{
    x = std::clamp(x, m_side / 2, 8 * m_side - m_side / 2);
    y = std::clamp(y, m_side / 2, 8 * m_side - m_side / 2);
}

void TChessDiagram2D::setMarks(const BoardMarks &marks)
{
    const BoardMarks old = std::exchange(m_marks, marks);
    for (const int q : {old.LastFrom, old.LastTo, old.CheckedKing, marks.LastFrom, marks.LastTo, marks.CheckedKing})
        if (IsBoardSquare(q) && !m_dragging)
            RedrawSquare(Square(q));
}

void TChessDiagram2D::RedrawSquare(Square q)
{
    DrawSquare(PieceAt(q), q);
}

void TChessDiagram2D::drawGround(QImage &target, Square q) const
{
    const QRect square = deviceSquare(q);
    QPainter p(&target);
    p.fillRect(square, squareColor(q));
    if (m_showLastMove && (q == m_marks.LastFrom || q == m_marks.LastTo))
        p.fillRect(square, LastMoveTint);
    if (m_showCheck && q == m_marks.CheckedKing) {
        QRadialGradient glow(QRectF(square).center(), m_side * 0.6);
        glow.setColorAt(0.0, CheckColour);
        glow.setColorAt(0.45, QColor(CheckColour.red(), CheckColour.green(), CheckColour.blue(), 170));
        glow.setColorAt(1.0, Qt::transparent);
        p.fillRect(square, glow);
    }
}

void TChessDiagram2D::drawCoordinates(QImage &target, Square q) const
{
    if (!m_showCoordinates)
        return;
    const int shown = WhiteIsAtBottom() ? q : 77 - q;
    const bool bottomRow = shown / 10 == 0, leftColumn = shown % 10 == 0;
    if (!bottomRow && !leftColumn)
        return;
    const QRect square = deviceSquare(q);
    QPainter p(&target);
    // In the other square colour, small and in the corners, over the piece's
    // foot so a piece never hides them.
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(squareColor(q) == LightSquareColor() ? DarkSquareColor() : LightSquareColor());
    QFont font = p.font();
    font.setPixelSize(std::max(7, m_side / 6));
    font.setBold(true);
    p.setFont(font);
    const QRect inner = square.adjusted(m_side / 20 + 1, m_side / 40, -(m_side / 20 + 1), -(m_side / 40));
    if (bottomRow)
        p.drawText(inner, Qt::AlignRight | Qt::AlignBottom, QString(QChar(u'a' + FileOf(q))));
    if (leftColumn)
        p.drawText(inner, Qt::AlignLeft | Qt::AlignTop, QString(QChar(u'1' + RankOf(q))));
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
    const QPoint at = toDevice(QPointF(x, y));
    drawPieceInto(m_canvas, piece, at.x(), at.y());
    updateDevice(QRect(at, QSize(m_side, m_side)));
}

void TChessDiagram2D::DrawSquare(PieceCode piece, Square q)
{
    if (TChessPosition::IsOffBoard(q))
        return;
    drawGround(m_canvas, q);
    drawPieceInto(m_canvas, piece, deviceOrigin(q).x(), deviceOrigin(q).y());
    drawCoordinates(m_canvas, q);
    updateDevice(deviceSquare(q));
}

void TChessDiagram2D::showFromBackBuffer(const QRect &rect)
{
    QPainter(&m_canvas).drawImage(rect.topLeft(), m_backBuffer, rect);
    updateDevice(rect);
}

void TChessDiagram2D::moveFloatingPiece(int x, int y)
{
    const QRect covering = QRect(m_current, QSize(m_side, m_side)) | QRect(x, y, m_side, m_side);
    m_saveBuffer = m_backBuffer.copy(x, y, m_side, m_side);
    drawPieceInto(m_backBuffer, m_draggedPiece, x, y);
    showFromBackBuffer(covering);
    QPainter(&m_backBuffer).drawImage(x, y, m_saveBuffer);
    m_current = {x, y};
}

void TChessDiagram2D::resizeEvent(QResizeEvent *event)
{
    TChessDiagram::resizeEvent(event);
    fitToWidget();
}

void TChessDiagram2D::paintEvent(QPaintEvent *event)
{
    fitToWidget();  // the window may have gone to a screen of another pixel ratio
    QPainter p(this);
    const QRectF board(0, 0, m_canvas.width() / m_ratio, m_canvas.height() / m_ratio);
    for (const QRect &r : event->region()) {
        if (!board.contains(QRectF(r)))
            p.fillRect(r, palette().window());
        // Whole device pixels of the canvas, one to one on the screen.
        const QRect source =
            QRectF(r.x() * m_ratio, r.y() * m_ratio, r.width() * m_ratio, r.height() * m_ratio).toAlignedRect()
            & m_canvas.rect();
        if (!source.isEmpty())
            p.drawImage(QRectF(source.x() / m_ratio, source.y() / m_ratio, source.width() / m_ratio,
                               source.height() / m_ratio),
                        m_canvas, source);
    }
}

void TChessDiagram2D::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    if (m_dragging)
        return;
    EndAnimation();
    const QPoint at = toDevice(event->position());
    const Square q = Square(deviceSquareAt(at.x(), at.y()));
    m_dragResult = MoveRecord{};
    m_dragResult.From = q;
    m_dragResult.To = q;
    m_dragResult.Annotation = 1;
    m_draggedPiece = PieceAt(q);
    if (m_draggedPiece == Piece::Empty)
        return;
    m_backBuffer = m_canvas.copy();
    m_current = deviceOrigin(q);
    drawGround(m_backBuffer, q);
    drawCoordinates(m_backBuffer, q);
    m_dragging = true;
}

void TChessDiagram2D::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    QPoint at = toDevice(event->position());
    deviceClamp(at.rx(), at.ry());
    moveFloatingPiece(at.x() - m_side / 2, at.y() - m_side / 2);
}

void TChessDiagram2D::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    showFromBackBuffer(QRect(m_current, QSize(m_side, m_side)));
    m_dragResult.To = Square(deviceSquareAt(m_current.x() + m_side / 2, m_current.y() + m_side / 2));
    if (m_draggedPiece == Piece::WhitePawn && m_dragResult.To >= 70)
        m_dragResult.Promotion = DefaultPromotionPiece();
    else if (m_draggedPiece == Piece::BlackPawn && m_dragResult.To < 8)
        m_dragResult.Promotion = PieceCode(DefaultPromotionPiece() + Piece::BlackOffset);
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void TChessDiagram2D::StartMoveAnimation(PieceCode piece, Square from, Square to)
{
    TChessDiagram::StartMoveAnimation(piece, from, to);
    m_draggedPiece = piece;
    m_backBuffer = m_canvas.copy();
    m_current = m_start = deviceOrigin(from);
    m_target = deviceOrigin(to);
    drawGround(m_backBuffer, from);
    drawCoordinates(m_backBuffer, from);
    m_animating = true;
    m_animationTimer.start();
}

void TChessDiagram2D::AnimationStep()
{
    if (!m_animating)
        return;
    const QPoint left = m_target - m_current;
    const double distance = std::hypot(left.x(), left.y());
    const double step = std::max(1.0, double(m_side) / AnimationStepsPerSquare);
    if (distance <= step) {
        moveFloatingPiece(m_target.x(), m_target.y());
        EndAnimation();
        return;
    }
    const double f = step / distance;
    moveFloatingPiece(m_current.x() + int(std::lround(left.x() * f)),
                      m_current.y() + int(std::lround(left.y() * f)));
}

void TChessDiagram2D::EndAnimation()
{
    if (!m_animating)
        return;
    m_animating = false;
    m_animationTimer.stop();
    showFromBackBuffer(QRect(m_current, QSize(m_side, m_side)));
    DrawSquare(m_draggedPiece, m_lastTo);
}
