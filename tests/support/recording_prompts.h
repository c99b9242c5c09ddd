#pragma once

#include "ui/prompts.h"

#include <QList>
#include <QQueue>
#include <QUrl>

// Stands in for a person: answers every prompt from queued answers (OK, the
// first offered button, or an empty file name when none are queued) and
// remembers what was asked. Installs itself for its lifetime.
class TRecordingPrompts final : public TPrompts
{
public:
    struct Message {
        Icon icon;
        QString caption;
        QString text;
        Buttons buttons;
    };
    struct FileRequest {
        bool save;
        QString caption;
        QString folder;
        QString filter;
    };

    TRecordingPrompts() { TPrompts::install(this); }
    ~TRecordingPrompts() override { TPrompts::install(nullptr); }
    TRecordingPrompts(const TRecordingPrompts &) = delete;
    TRecordingPrompts &operator=(const TRecordingPrompts &) = delete;

    QList<Message> messages;
    QList<FileRequest> fileRequests;
    QList<QUrl> openedUrls;

    QQueue<Button> buttonAnswers;
    QQueue<QString> fileAnswers;
    QQueue<QColor> colorAnswers;
    QList<QColor> colorRequests;

    Button message(Icon icon, const QString &caption, const QString &text, Buttons buttons,
                   QWidget *) override
    {
        messages.append({icon, caption, text, buttons});
        if (!buttonAnswers.isEmpty())
            return buttonAnswers.dequeue();
        for (Button b : {Button::Ok, Button::Yes, Button::No, Button::Cancel}) {
            if (buttons.testFlag(b))
                return b;
        }
        return Button::None;
    }

    QString openFileName(const QString &caption, const QString &folder, const QString &filter,
                         QWidget *) override
    {
        fileRequests.append({false, caption, folder, filter});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }

    QString saveFileName(const QString &caption, const QString &folder, const QString &filter,
                         QWidget *) override
    {
        fileRequests.append({true, caption, folder, filter});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }

    QColor chooseColor(const QColor &initial, QWidget *) override
    {
        colorRequests.append(initial);
        return colorAnswers.isEmpty() ? QColor() : colorAnswers.dequeue();
    }

    bool openUrl(const QUrl &url) override
    {
        openedUrls.append(url);
        return true;
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message &m : messages)
            texts.append(m.text);
        return texts;
    }
};
