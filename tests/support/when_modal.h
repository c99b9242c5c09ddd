#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs action on the next modal dialog once it is shown; polls without
// blocking, since the dialog's own event loop has to start first.
inline void WhenModal(std::function<void(QWidget *)> action)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        }
    });
    poll->start(10);
}
