#include "board/square_pane.h"

#include <algorithm>

TSquarePane::TSquarePane(QWidget *parent)
    : QWidget(parent)
{
}

void TSquarePane::setContent(QWidget *content)
{
    m_content = content;
    if (content)
        content->setParent(this);
    place();
}

void TSquarePane::setMinimumSide(int side)
{
    m_minimumSide = side;
    setMinimumSize(minimumSizeHint());
    updateGeometry();
    place();
}

QRect TSquarePane::squareIn(const QSize &pane, int minimumSide, int marginX, int marginTop)
{
    const int room = std::min(pane.width() - 2 * marginX, pane.height() - marginTop - MarginBottom);
    const int side = std::max(minimumSide, room);
    const int left = std::max(marginX, (pane.width() - side) / 2);
    return {left, marginTop, side, side};
}

QSize TSquarePane::minimumSizeHint() const
{
    return {m_minimumSide + 2 * MarginX, m_minimumSide + MarginTop + MarginBottom};
}

QSize TSquarePane::sizeHint() const
{
    return minimumSizeHint();
}

void TSquarePane::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place();
}

void TSquarePane::place()
{
    if (m_content)
        m_content->setGeometry(squareIn(size(), m_minimumSide, MarginX, MarginTop));
}
