#pragma once

#include "engine/enginecontroller.h"
#include "engine/enginepanel.h"
#include "recording_prompts.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

// The engine link as the main window wires it: a controller and the panel
// that follows it, with prompts that answer and record.
struct TEngineRig
{
    TRecordingPrompts prompts;
    TEngineController controller;
    TEnginePanel panel;

    TEngineRig(const QString &engineFile, int protocol)
    {
        controller.SetEngineFile(engineFile);
        controller.SetProtocol(protocol);
        panel.Follow(&controller);
    }

    // The text the panel shows in the label or memo of that name.
    QString Shown(const char *name) const
    {
        if (const auto *label = panel.findChild<QLabel *>(QLatin1String(name)))
            return label->text();
        if (const auto *memo = panel.findChild<QPlainTextEdit *>(QLatin1String(name)))
            return memo->toPlainText();
        return QStringLiteral("<no widget %1>").arg(QLatin1String(name));
    }
};

// The lines of a text file; none when it cannot be read.
inline QStringList FileLines(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
