#pragma once

#include <QObject>

// Lets the player end the requests that run with it: each one fails at once
// with EXfccError::Kind::Cancelled, and a request started afterwards never
// goes out.
class TXfccCancellation : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool isCancelled() const { return m_cancelled; }

public Q_SLOTS:
    void cancel()
    {
        if (m_cancelled)
            return;
        m_cancelled = true;
        Q_EMIT cancelled();
    }

Q_SIGNALS:
    void cancelled();

private:
    bool m_cancelled = false;
};
