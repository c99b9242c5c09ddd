#include "ui/prompts.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace {

class TQtPrompts final : public TPrompts
{
public:
    Button message(Icon icon, const QString &caption, const QString &text, Buttons buttons,
                   QWidget *parent) override
    {
        QMessageBox box(boxIcon(icon), caption, text, QMessageBox::NoButton, parent);
        const struct { Button ours; QMessageBox::StandardButton qt; } map[] = {
            {Button::Ok, QMessageBox::Ok}, {Button::Cancel, QMessageBox::Cancel},
            {Button::Yes, QMessageBox::Yes}, {Button::No, QMessageBox::No}};
        for (const auto &b : map) {
            if (buttons.testFlag(b.ours))
                box.addButton(b.qt);
        }
        const int answer = box.exec();
        for (const auto &b : map) {
            if (answer == b.qt)
                return b.ours;
        }
        return buttons.testFlag(Button::Cancel) ? Button::Cancel : Button::None;
    }

    QString openFileName(const QString &caption, const QString &folder, const QString &filter,
                         QWidget *parent) override
    {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }

    QString saveFileName(const QString &caption, const QString &folder, const QString &filter,
                         QWidget *parent) override
    {
        return QFileDialog::getSaveFileName(parent, caption, folder, filter);
    }

    QColor chooseColor(const QColor &initial, QWidget *parent) override
    {
        return QColorDialog::getColor(initial, parent);
    }

    bool openUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }

private:
    static QMessageBox::Icon boxIcon(Icon icon)
    {
        switch (icon) {
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Error: return QMessageBox::Critical;
        case Icon::Information: return QMessageBox::Information;
        case Icon::Confirmation: return QMessageBox::Question;
        case Icon::None: return QMessageBox::NoIcon;
        }
        return QMessageBox::NoIcon;
    }
};

TPrompts *installed = nullptr;

} // namespace

TPrompts &TPrompts::instance()
{
    static TQtPrompts qtPrompts;
    return installed ? *installed : qtPrompts;
}

void TPrompts::install(TPrompts *prompts)
{
    installed = prompts;
}

QString IconCaption(TPrompts::Icon icon)
{
    switch (icon) {
    case TPrompts::Icon::Warning: return QStringLiteral("Warning");
    case TPrompts::Icon::Error: return QStringLiteral("Error");
    case TPrompts::Icon::Information: return QStringLiteral("Information");
    case TPrompts::Icon::Confirmation: return QStringLiteral("Confirm");
    case TPrompts::Icon::None: return {};
    }
    return {};
}
