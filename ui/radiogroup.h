#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QVBoxLayout;

// A captioned group of radio buttons, one per item, of which at most one is
// chosen: the item index (-1 for none) is what the program reads and writes.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex NOTIFY itemIndexChanged)

public:
    explicit TRadioGroup(QWidget *parent = nullptr);

    QStringList items() const;
    // Replaces the buttons; the chosen index is kept when it still exists.
    void setItems(const QStringList &items);
    // Renames the existing buttons only, as far as `texts` reaches.
    void setItemText(int index, const QString &text);
    int itemIndex() const;
    void setItemIndex(int index);

signals:
    void itemIndexChanged(int index);
    // The user chose an item.
    void clicked(int index);

private:
    QButtonGroup *m_buttons;
    QVBoxLayout *m_layout;
};
