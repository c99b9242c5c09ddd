#pragma once

#include <QColor>
#include <QComboBox>

// A drop-down of colour swatches: a "Custom..." entry that opens the colour
// chooser, the sixteen standard colours, four extended ones and the system's
// palette colours. A colour outside the list is shown as a custom entry.
class TColorBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(QColor selected READ selected WRITE setSelected)
public:
    explicit TColorBox(QWidget *parent = nullptr);

    QColor selected() const;
    void setSelected(const QColor &color);

private:
    void addColor(const QColor &color, const QString &name);
    void chooseCustom();

    int m_lastIndex = 1;
};
