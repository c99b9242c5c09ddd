#pragma once

#include <QPointer>
#include <QWidget>

// A pane that gives its one content widget the largest square that fits
// inside its margins, never less than a minimum side, centred across and at
// the top. The board sits in one, so it grows and shrinks with its pane.
class TSquarePane : public QWidget
{
    Q_OBJECT

public:
    explicit TSquarePane(QWidget *parent = nullptr);

    // The content becomes a child of the pane.
    void setContent(QWidget *content);
    void setMinimumSide(int side);
    int minimumSide() const { return m_minimumSide; }

    // Where the content goes in a pane of the given size.
    static QRect squareIn(const QSize &pane, int minimumSide, int marginX, int marginTop);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int MarginX = 6;
    static constexpr int MarginTop = 8;
    static constexpr int MarginBottom = 8;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void place();

    QPointer<QWidget> m_content;
    int m_minimumSide = 0;
};
