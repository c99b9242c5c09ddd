#pragma once

#include <QColor>

// Colours are stored in the settings as 0x00BBGGRR integers.
QColor ColorFromColorRef(int colorRef);
int ColorRefFromColor(const QColor &color);
