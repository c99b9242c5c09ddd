#pragma once

#include "app/game_columns.h"
#include "service/xfcc_types.h"

#include <QTreeWidgetItem>

// One row of the game list; it keeps its game's record until the next refresh.
class GameRow : public QTreeWidgetItem
{
public:
    GameRow(QTreeWidget *list, XfccGame game, const QList<QIcon> &stateIcons);

    const XfccGame &game() const { return m_game; }
    int GameStateIcon() const { return m_stateIcon; }

private:
    XfccGame m_game;
    int m_stateIcon;
};
