#include "app/color_box.h"

#include "ui/prompts.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

namespace {

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

constexpr int CustomIndex = 0;

} // namespace

TColorBox::TColorBox(QWidget *parent)
    : QComboBox(parent)
{
    addItem(QStringLiteral("Custom..."));
    const struct { const char *name; QRgb rgb; } named[] = {
        {"Black", 0x000000}, {"Maroon", 0x800000}, {"Green", 0x008000}, {"Olive", 0x808000},
        {"Navy", 0x000080}, {"Purple", 0x800080}, {"Teal", 0x008080}, {"Gray", 0x808080},
        {"Silver", 0xC0C0C0}, {"Red", 0xFF0000}, {"Lime", 0x00FF00}, {"Yellow", 0xFFFF00},
        {"Blue", 0x0000FF}, {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF}, {"White", 0xFFFFFF},
        {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xA6CAF0}, {"Cream", 0xFFFBF0}, {"Medium Gray", 0xA4A0A0},
    };
    for (const auto &entry : named)
        addColor(QColor(entry.rgb), QLatin1String(entry.name));
    const QPalette palette = QApplication::palette();
    const struct { const char *name; QPalette::ColorRole role; } system[] = {
        {"Window", QPalette::Window}, {"Window Text", QPalette::WindowText}, {"Base", QPalette::Base},
        {"Text", QPalette::Text}, {"Button Face", QPalette::Button}, {"Button Text", QPalette::ButtonText},
        {"Highlight", QPalette::Highlight}, {"Highlight Text", QPalette::HighlightedText},
        {"Info Background", QPalette::ToolTipBase}, {"Info Text", QPalette::ToolTipText},
    };
    for (const auto &entry : system)
        addColor(palette.color(entry.role), QLatin1String(entry.name));
    setCurrentIndex(m_lastIndex);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index == CustomIndex)
            chooseCustom();
        else
            m_lastIndex = index;
    });
}

void TColorBox::addColor(const QColor &color, const QString &name)
{
    addItem(swatch(color), name, color);
}

QColor TColorBox::selected() const
{
    return itemData(currentIndex()).value<QColor>();
}

void TColorBox::setSelected(const QColor &color)
{
    for (int i = 1; i < count(); ++i) {
        if (itemData(i).value<QColor>() == color) {
            setCurrentIndex(i);
            m_lastIndex = i;
            return;
        }
    }
    // A colour of its own: kept as a custom entry right after "Custom...".
    const QString name = color.name(QColor::HexRgb).toUpper();
    insertItem(CustomIndex + 1, swatch(color), name, color);
    setCurrentIndex(CustomIndex + 1);
    m_lastIndex = CustomIndex + 1;
}

void TColorBox::chooseCustom()
{
    const QColor chosen = TPrompts::instance().chooseColor(itemData(m_lastIndex).value<QColor>(), this);
    if (chosen.isValid())
        setSelected(chosen);
    else
        setCurrentIndex(m_lastIndex);
}
