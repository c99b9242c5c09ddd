#include "ui/windowhook.h"

#include <QWidget>

const QEvent::Type TWindowHook::WindowDestroy = static_cast<QEvent::Type>(QEvent::registerEventType());

TWindowHook::TWindowHook(QWidget *window)
    : m_window(window)
{
}

TWindowHook::~TWindowHook()
{
    if (m_enabled && m_window && m_onWndProc) {
        QEvent destroy(WindowDestroy);
        bool callDef = true;
        m_onWndProc(&destroy, callDef);
    }
    setEnabled(false);
}

void TWindowHook::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!m_window)
        return;
    if (enabled)
        m_window->installEventFilter(this);
    else
        m_window->removeEventFilter(this);
}

bool TWindowHook::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || !m_onWndProc)
        return false;
    bool callDef = true;
    m_onWndProc(event, callDef);
    return !callDef;
}
