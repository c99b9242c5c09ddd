#pragma once

#include "service/xfcc_types.h"

// The order of the game list: by one column, either way, or by default the
// games that await the player's move first, then those with the least time
// left. Kept in the settings as one number: 0 for the default, column + 1
// ascending, -(column + 1) descending.
struct GameListOrder {
    static constexpr int ColumnCount = 7;

    int column = -1;  // -1: the default order
    bool descending = false;

    static GameListOrder fromSetting(int value);
    int toSetting() const;
    bool isDefault() const { return column < 0; }

    // A click on a column's heading: ascending, then descending, then back
    // to the default order.
    GameListOrder afterClickOn(int clickedColumn) const;

    // Whether a comes before b: numbers as numbers, times by the time left,
    // texts in the user's locale's order; ties keep the server's order.
    bool less(const XfccGame &a, const XfccGame &b) const;

    bool operator==(const GameListOrder &) const = default;
};
