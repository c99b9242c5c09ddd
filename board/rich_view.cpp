#include "board/rich_view.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QUrl>

namespace {

const QString JumpScheme = QStringLiteral("jump");

QTextCharFormat Font(const QString &family, int pointSize, bool bold, const QColor &colour)
{
    QTextCharFormat f;
    f.setFontFamilies({family});
    f.setFontPointSize(pointSize);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    if (colour.isValid())
        f.setForeground(colour);
    return f;
}

} // namespace

TRichView::TRichView(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    // The text wraps at the view's width, whatever that is, and a move too
    // long for a line breaks rather than running off the edge.
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    QPalette p = palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    setPalette(p);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        if (url.scheme() == JumpScheme)
            emit Jump(url.path().toInt());
    });
}

QTextCharFormat TRichView::StyleFormat(int style) const
{
    switch (style) {
    case BigNormal: return Font("Arial", 12, true, Qt::blue);
    case Comments: {
        QTextCharFormat f = Font("Trebuchet MS", 12, false, QColor(0, 0, 128));
        f.setFontItalic(true);
        return f;
    }
    case Subheading: return Font("Arial", 10, false, QColor(0, 0, 128));
    case Keywords: {
        QTextCharFormat f = Font("Arial", 12, true, Qt::white);
        f.setBackground(Qt::blue);
        return f;
    }
    case Moves: return Font("Arial", 12, true, Qt::black);
    case Link: {
        QTextCharFormat f = Font("Arial", 10, false, Qt::darkGreen);
        f.setFontUnderline(true);
        return f;
    }
    case Warning: return Font("Arial", 12, true, Qt::red);
    case SmallText: return Font("Arial", 8, false, QColor());
    default: return {};
    }
}

void TRichView::Clear()
{
    clear();
    m_items.clear();
    m_jumpItems.clear();
    m_hovered = -1;
}

void TRichView::StartParagraph(int paragraphStyle)
{
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    QTextBlockFormat block;
    block.setAlignment(paragraphStyle == Centered ? Qt::AlignHCenter : Qt::AlignLeft);
    if (document()->isEmpty() && m_items.isEmpty())
        c.setBlockFormat(block);
    else
        c.insertBlock(block);
}

void TRichView::AddNL(const QString &text, int style, int paragraphStyle)
{
    if (paragraphStyle != Continue)
        StartParagraph(paragraphStyle);
    Add(text, style);
}

void TRichView::Add(const QString &text, int style)
{
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    Item item{c.position(), static_cast<int>(text.size()), style, -1};
    QTextCharFormat format = StyleFormat(style);
    if (IsJumpStyle(style)) {
        item.JumpNumber = static_cast<int>(m_jumpItems.size());
        m_jumpItems.append(static_cast<int>(m_items.size()));
        format.setAnchor(true);
        format.setAnchorHref(JumpScheme + QLatin1Char(':') + QString::number(item.JumpNumber));
    }
    c.insertText(text, format);
    m_items.append(item);
}

void TRichView::AddEmptyParagraph()
{
    StartParagraph(LeftAligned);
}

void TRichView::AddRule()
{
    StartParagraph(LeftAligned);
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    QTextBlockFormat rule = c.blockFormat();
    rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth, QTextLength(QTextLength::PercentageLength, 100));
    c.setBlockFormat(rule);
    m_items.append(Item{c.position(), 0, -1, -1});
}

void TRichView::AddPicture(const QList<QImage> &images, int index)
{
    if (index < 0 || index >= images.size())
        return;
    const QString name = QStringLiteral("picture:%1").arg(m_imageSerial++);
    document()->addResource(QTextDocument::ImageResource, QUrl(name), images[index]);
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    QTextImageFormat picture;
    picture.setName(name);
    picture.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    m_items.append(Item{c.position(), 1, -1, -1});
    c.insertImage(picture);
}

int TRichView::ItemOfJump(int jump) const
{
    return jump >= 0 && jump < m_jumpItems.size() ? m_jumpItems[jump] : -1;
}

int TRichView::JumpPosition(int jump) const
{
    const int item = ItemOfJump(jump);
    if (item < 0)
        return -1;
    const QTextBlock block = document()->findBlock(m_items[item].Start);
    const QRectF box = document()->documentLayout()->blockBoundingRect(block);
    const QTextLine line = block.layout()->lineForTextPosition(m_items[item].Start - block.position());
    return qRound(box.top() + (line.isValid() ? line.y() : 0));
}

QString TRichView::ItemText(int item) const
{
    if (item < 0 || item >= m_items.size() || m_items[item].Style < 0)
        return {};
    QTextCursor c(document());
    c.setPosition(m_items[item].Start);
    c.setPosition(m_items[item].Start + m_items[item].Length, QTextCursor::KeepAnchor);
    return c.selectedText();
}

int TRichView::ItemStyle(int item) const
{
    return item >= 0 && item < m_items.size() ? m_items[item].Style : -1;
}

void TRichView::ApplyFormat(const Item &item, const QTextCharFormat &format)
{
    QTextCursor c(document());
    c.setPosition(item.Start);
    c.setPosition(item.Start + item.Length, QTextCursor::KeepAnchor);
    QTextCharFormat f = format;
    if (item.JumpNumber >= 0) {
        f.setAnchor(true);
        f.setAnchorHref(JumpScheme + QLatin1Char(':') + QString::number(item.JumpNumber));
    }
    c.setCharFormat(f);
}

void TRichView::SetItemStyle(int item, int style)
{
    if (item < 0 || item >= m_items.size() || m_items[item].Style < 0 || style < 0 || style >= TextStyleCount)
        return;
    m_items[item].Style = style;
    ApplyFormat(m_items[item], StyleFormat(style));
}

void TRichView::Format()
{
    // The whole text is laid out now rather than bit by bit while the view is
    // idle, so that the scroll range is complete before anyone scrolls.
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    layout->blockBoundingRect(document()->lastBlock());
    layout->update();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TRichView::Refresh()
{
    viewport()->update();
}

void TRichView::ScrollTo(int y)
{
    verticalScrollBar()->setValue(y);
}

int TRichView::ScrollPosition() const
{
    return verticalScrollBar()->value();
}

void TRichView::SetHovered(int jump)
{
    if (jump == m_hovered)
        return;
    if (const int old = ItemOfJump(m_hovered); old >= 0)
        ApplyFormat(m_items[old], StyleFormat(m_items[old].Style));
    m_hovered = jump;
    if (const int item = ItemOfJump(jump); item >= 0 && m_items[item].Style == Moves) {
        QTextCharFormat hover = StyleFormat(Moves);
        hover.setForeground(palette().color(QPalette::HighlightedText));
        hover.setBackground(palette().color(QPalette::Button));
        ApplyFormat(m_items[item], hover);
    }
}

void TRichView::mouseMoveEvent(QMouseEvent *event)
{
    QTextBrowser::mouseMoveEvent(event);
    const QUrl url(anchorAt(event->position().toPoint()));
    SetHovered(url.scheme() == JumpScheme ? url.path().toInt() : -1);
}

void TRichView::leaveEvent(QEvent *event)
{
    QTextBrowser::leaveEvent(event);
    SetHovered(-1);
}
