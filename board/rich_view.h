#pragma once

#include <QImage>
#include <QList>
#include <QTextBrowser>
#include <QTextCharFormat>

// A scrolling rich-text view built from numbered styles: styled runs,
// paragraphs, one-pixel rules, inline pictures and clickable jump items
// numbered from 0 in order of addition. Items are the runs, pictures and
// rules in order of addition.
class TRichView : public QTextBrowser
{
    Q_OBJECT

public:
    // Text styles by number.
    enum TextStyle { BigNormal, Comments, Subheading, Keywords, Moves, Link, Warning, SmallText, TextStyleCount };
    // Paragraph styles by number; Continue keeps the current paragraph.
    enum ParagraphStyle { Continue = -1, LeftAligned = 0, Centered = 1 };

    explicit TRichView(QWidget *parent = nullptr);

    static bool IsJumpStyle(int style) { return style == Moves || style == Link; }

    // 1. Clear all content.
    void Clear();
    // 2. Text as a new paragraph of the given paragraph style, or (Continue) in the current one.
    void AddNL(const QString &text, int style, int paragraphStyle);
    // 3. Text at the end of the current paragraph.
    void Add(const QString &text, int style);
    // 4. An empty paragraph.
    void AddEmptyParagraph();
    // 5. A horizontal rule one pixel thick.
    void AddRule();
    // 6. Picture index of images inline in the current paragraph; an index
    // outside the list adds nothing.
    void AddPicture(const QList<QImage> &images, int index);
    // 7. Jump items: count, item index and vertical position (document
    // pixels) of a jump number; -1 for an unknown number.
    int JumpCount() const { return static_cast<int>(m_jumpItems.size()); }
    int ItemOfJump(int jump) const;
    int JumpPosition(int jump) const;
    // 8. Items and their text styles; pictures and rules have style -1.
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    QString ItemText(int item) const;
    int ItemStyle(int item) const;
    void SetItemStyle(int item, int style);
    // 9. Lay out again at the view's width (and scroll to the end), refresh,
    // scroll.
    void Format();
    void Refresh();
    void ScrollTo(int y);
    void ScrollToTop() { ScrollTo(0); }
    int ScrollPosition() const;

    QTextCharFormat StyleFormat(int style) const;

signals:
    void Jump(int jump);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    struct Item {
        int Start = 0;
        int Length = 0;
        int Style = -1;
        int JumpNumber = -1;
    };

    void StartParagraph(int paragraphStyle);
    void ApplyFormat(const Item &item, const QTextCharFormat &format);
    void SetHovered(int jump);

    QList<Item> m_items;
    QList<int> m_jumpItems;  // item index by jump number
    int m_hovered = -1;      // hovered jump number
    int m_imageSerial = 0;
};
