#include "board/move_list.h"

#include "board/figurines.h"
#include "board/rich_view.h"
#include "chess/move_text.h"
#include "chess/rules.h"

#include <QScopeGuard>
#include <QTextCursor>

namespace {

// Figurine index of a SAN text's piece letter; -1 for pawns and castling.
int FigurineOf(const QString &san)
{
    static const QString Letters = QStringLiteral("NBRQK");
    return san.isEmpty() ? -1 : static_cast<int>(Letters.indexOf(san.front()));
}

QString EloText(int elo)
{
    return elo > 0 ? QStringLiteral("(%1)").arg(elo) : QString();
}

QString Quoted(const QString &label, const QString &text)
{
    return label + QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

TMoveList::TMoveList(TRichView *view, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_whitePieces(DrawFigurines(true))
    , m_blackPieces(DrawFigurines(false))
{
}

QString TMoveList::CommentForPly(const MoveListContent &content, int ply)
{
    QString comment;
    if (ply == content.ServerMoveCount && content.CurrentGame)
        comment = content.CurrentGame->message;
    const QString key = QString::number(ply) + QLatin1Char(',');
    for (const QString &line : content.GameComments)
        if (line.startsWith(key))
            comment = line.mid(key.size());
    return comment;
}

void TMoveList::UpdateMoveList(const MoveListContent &content)
{
    TRichView &view = *m_view;
    m_game = content.Game;
    view.Clear();
    const XfccGame *xfcc = content.CurrentGame;
    if (!xfcc || !m_game) {
        view.AddNL(QStringLiteral("NO ACTIVE GAME"), TRichView::BigNormal, TRichView::LeftAligned);
        view.AddRule();
        view.Format();
        return;
    }

    {
        // One edit for the whole list: the document is laid out once at the
        // end, not again after every move of a long game.
        QTextCursor batch(view.document());
        batch.beginEditBlock();
        const auto endBatch = qScopeGuard([&batch] { batch.endEditBlock(); });
        view.AddNL(xfcc->white + QLatin1Char(' ') + EloText(xfcc->whiteElo) + QStringLiteral(" - ") + xfcc->black
                       + QLatin1Char(' ') + EloText(xfcc->blackElo),
                   TRichView::BigNormal, TRichView::LeftAligned);
        view.AddNL(xfcc->site, TRichView::Subheading, TRichView::LeftAligned);
        view.AddNL(xfcc->event + QStringLiteral(" (") + xfcc->eventDate + QLatin1Char(')'), TRichView::Subheading,
                   TRichView::LeftAligned);
        view.AddRule();
        view.AddNL(QString(), TRichView::BigNormal, TRichView::LeftAligned);

        const bool comments = content.ShowComments && !content.GameComments.isEmpty();
        for (int p = 1; p <= m_game->MoveCount; ++p) {
            QString t = QString::fromStdString(MoveToSAN(m_game->Moves[p]) + AnnotationText(m_game->Moves[p]));
            const int figurine = content.UseFigurineNotation ? FigurineOf(t) : -1;
            const bool white = PlyIsWhite(*m_game, p);
            if (white)
                view.Add(QString::number((p + 1) / 2) + QStringLiteral(". "), TRichView::BigNormal);
            if (figurine >= 0) {
                t.remove(0, 1);
                view.AddPicture(white ? m_whitePieces : m_blackPieces, figurine);
            }
            view.Add(t, TRichView::Moves);
            if (comments) {
                if (const QString comment = CommentForPly(content, p); !comment.isEmpty())
                    view.Add(QLatin1Char(' ') + comment + QLatin1Char(' '), TRichView::Comments);
            }
            view.Add(QStringLiteral(" "), TRichView::BigNormal);
        }
        view.Add(QLatin1Char(' ') + ResultToString(xfcc->result), TRichView::BigNormal);

        if (content.DrawOffered) {
            view.AddEmptyParagraph();
            view.AddNL(xfcc->myTurn ? QStringLiteral(" Your opponent offered a draw!")
                                    : QStringLiteral(" You offered a draw"),
                       TRichView::Warning, TRichView::LeftAligned);
        }
        if (!xfcc->message.isEmpty()) {
            view.AddEmptyParagraph();
            view.AddNL(Quoted(QStringLiteral("Opp. Message: "), xfcc->message), TRichView::SmallText,
                       TRichView::LeftAligned);
        }
        if (!xfcc->serverInfo.isEmpty()) {
            view.AddEmptyParagraph();
            view.AddNL(Quoted(QStringLiteral("Server info: "), xfcc->serverInfo), TRichView::SmallText,
                       TRichView::LeftAligned);
        }
    }
    view.Format();
}

void TMoveList::HighlightCurrentMove()
{
    TRichView &view = *m_view;
    if (view.ItemCount() == 0 || !m_game)
        return;
    for (int i = 0; i < view.ItemCount(); ++i)
        if (view.ItemStyle(i) == TRichView::Keywords)
            view.SetItemStyle(i, TRichView::Moves);
    const int c = m_game->CurrentPly;
    if (c > 0)
        view.SetItemStyle(view.ItemOfJump(c - 1), TRichView::Keywords);
    if (c > 0 && c < m_game->MoveCount)
        view.ScrollTo(view.JumpPosition(c) - 20);
    view.Refresh();
}

void TMoveList::ScrollToTop()
{
    m_view->ScrollToTop();
}
