#pragma once

#include "chess/game_record.h"
#include "service/xfcc_types.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QStringList>

class TRichView;

// What the move list shows: the current game, the selected server game
// (nullptr when none is open), the draw-offer flag copied at loading, the
// comments as "ply,text" lines and the move count of the server copy.
struct MoveListContent {
    const GameRecord *Game = nullptr;
    const XfccGame *CurrentGame = nullptr;
    bool DrawOffered = false;
    QStringList GameComments;
    int ServerMoveCount = 0;
    bool UseFigurineNotation = true;   // "USE_FIGURINE_NOTATION"
    bool ShowComments = true;          // "SHOW_COMMENTS"
};

// Lays the current game out in a rich-text view: header, numbered moves as
// jump items (jump number = ply - 1) with figurines, comments, result and
// notes; and keeps the move that leads to the shown position highlighted.
class TMoveList : public QObject
{
    Q_OBJECT

public:
    explicit TMoveList(TRichView *view, QObject *parent = nullptr);

    TRichView *View() const { return m_view; }

    // Rebuilds the whole text; the game pointer is kept for the highlight.
    void UpdateMoveList(const MoveListContent &content);
    // Highlights the move of CurrentPly and scrolls the next move into view.
    void HighlightCurrentMove();
    void ScrollToTop();

    // The comment shown after ply, "" for none.
    static QString CommentForPly(const MoveListContent &content, int ply);

private:
    TRichView *m_view;
    const GameRecord *m_game = nullptr;
    QList<QImage> m_whitePieces;
    QList<QImage> m_blackPieces;
};
