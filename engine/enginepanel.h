#pragma once

#include "engine/analysislabels.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QToolButton;
class TEngineController;
class TGearAnimation;

// The analysis display under the move list ("enginePanel"): the engine's
// identity, hint, score, depth, nodes, time and principal variation, a stop
// button and a turning gear. Hidden until an engine runs.
class TEnginePanel : public QWidget
{
    Q_OBJECT

public:
    explicit TEnginePanel(QWidget *parent = nullptr);

    // Shows the controller's labels and visibility from now on, and lets the
    // stop button stop its engine.
    void Follow(TEngineController *controller);

public slots:
    void ShowLabels(const TAnalysisLabels &labels);
    // The panel's background: the light square colour read at start-up.
    void SetBackgroundColor(const QColor &color);

signals:
    void stopClicked();

private:
    QLabel *AddValue(const char *objectName);

    QLabel *m_engineLabel;
    QLabel *m_hintLabel;
    QLabel *m_scoreLabel;
    QLabel *m_depthLabel;
    QLabel *m_nodesLabel;
    QLabel *m_searchTimeLabel;
    QPlainTextEdit *m_variation;
    QToolButton *m_stopButton;
    TGearAnimation *m_gear;
};
