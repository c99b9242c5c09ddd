#include "app/state_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon serverIcon(ServerState state)
{
    QPixmap pixmap = canvas(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A small tower of two server units.
    for (int unit = 0; unit < 2; ++unit) {
        const QRectF box(5, 4 + unit * 12, 22, 10);
        p.setPen(QPen(QColor(60, 60, 70), 1));
        p.setBrush(QColor(170, 178, 190));
        p.drawRoundedRect(box, 2, 2);
        p.setBrush(QColor(90, 200, 90));
        p.drawEllipse(QPointF(box.left() + 4, box.center().y()), 1.5, 1.5);
        p.setPen(QPen(QColor(90, 95, 105), 1));
        p.drawLine(QPointF(box.left() + 9, box.center().y()), QPointF(box.right() - 3, box.center().y()));
    }
    if (state == ServerState::NoMoveDue)
        return QIcon(pixmap);
    // A badge: a red "!" for a move due, a grey cross for a server not reached.
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(state == ServerState::MoveDue ? QColor(220, 40, 30) : QColor(95, 95, 105));
    p.drawEllipse(QRectF(18, 17, 13, 13));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    if (state == ServerState::MoveDue) {
        p.drawLine(QPointF(24.5, 19.5), QPointF(24.5, 25));
        p.drawPoint(QPointF(24.5, 27.5));
    } else {
        p.drawLine(QPointF(21.5, 20.5), QPointF(27.5, 26.5));
        p.drawLine(QPointF(27.5, 20.5), QPointF(21.5, 26.5));
    }
    return QIcon(pixmap);
}

QIcon disc(const QColor &fill, const QColor &rim, void (*mark)(QPainter &))
{
    QPixmap pixmap = canvas(16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(rim, 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    mark(p);
    return QIcon(pixmap);
}

} // namespace

QList<QIcon> ServerStateIcons()
{
    return {serverIcon(ServerState::NoMoveDue), serverIcon(ServerState::MoveDue), serverIcon(ServerState::NotReached)};
}

QList<QIcon> GameStateIcons()
{
    return {
        // The user to move: a play arrow.
        disc(QColor(40, 160, 60), QColor(20, 100, 30), [](QPainter &p) {
            p.setBrush(Qt::white);
            p.drawPolygon(QPolygonF({QPointF(6, 4.5), QPointF(11.5, 8), QPointF(6, 11.5)}));
        }),
        // The opponent to move: a clock.
        disc(QColor(150, 150, 160), QColor(90, 90, 100), [](QPainter &p) {
            p.drawLine(QPointF(8, 8), QPointF(8, 4.5));
            p.drawLine(QPointF(8, 8), QPointF(10.5, 9.5));
        }),
        // Lost: a cross.
        disc(QColor(200, 45, 40), QColor(130, 20, 20), [](QPainter &p) {
            p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
            p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        }),
        // Won: a tick.
        disc(QColor(230, 180, 30), QColor(150, 110, 10), [](QPainter &p) {
            p.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5.5)}));
        }),
        // Drawn: an equals sign.
        disc(QColor(70, 120, 200), QColor(30, 70, 140), [](QPainter &p) {
            p.drawLine(QPointF(5, 6.5), QPointF(11, 6.5));
            p.drawLine(QPointF(5, 9.5), QPointF(11, 9.5));
        }),
    };
}

QIcon DueCountIcon(int due)
{
    QPixmap pixmap = serverIcon(due > 0 ? ServerState::MoveDue : ServerState::NoMoveDue).pixmap(32, 32);
    if (due <= 0)
        return QIcon(pixmap);
    // The number of due games over the badge.
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(220, 40, 30));
    p.drawEllipse(QRectF(14, 13, 17, 17));
    QFont font = p.font();
    font.setPixelSize(due > 9 ? 9 : 12);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(14, 13, 17, 17), Qt::AlignCenter, due > 99 ? QStringLiteral("99") : QString::number(due));
    return QIcon(pixmap);
}
