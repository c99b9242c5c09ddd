#include "app/color_ref.h"

QColor ColorFromColorRef(int colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

int ColorRefFromColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}
