#include "app/game_row.h"

GameRow::GameRow(QTreeWidget *list, XfccGame game, const QList<QIcon> &stateIcons)
    : QTreeWidgetItem(list, GameListColumns::Texts(game))
    , m_game(std::move(game))
    , m_stateIcon(GameListColumns::StateIcon(m_game))
{
    if (m_stateIcon >= 0)
        setIcon(0, stateIcons.value(m_stateIcon));
}
