#include "engine/enginepanel.h"

#include "engine/enginecontroller.h"
#include "engine/gearanimation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int PanelHeight = 88;

QLabel *Caption(const char *text, QWidget *parent)
{
    return new QLabel(QLatin1String(text), parent);
}

} // namespace

TEnginePanel::TEnginePanel(QWidget *parent)
    : QWidget(parent)
    , m_engineLabel(AddValue("engineLabel"))
    , m_hintLabel(AddValue("hintLabel"))
    , m_scoreLabel(AddValue("scoreLabel"))
    , m_depthLabel(AddValue("depthLabel"))
    , m_nodesLabel(AddValue("nodesLabel"))
    , m_searchTimeLabel(AddValue("searchTimeLabel"))
    , m_variation(new QPlainTextEdit(this))
    , m_stopButton(new QToolButton(this))
    , m_gear(new TGearAnimation(this))
{
    setObjectName(QStringLiteral("enginePanel"));
    setFixedHeight(PanelHeight);
    setAutoFillBackground(true);

    QFont bold = m_engineLabel->font();
    bold.setBold(true);
    m_engineLabel->setFont(bold);
    m_engineLabel->setStyleSheet(QStringLiteral("color: blue"));

    m_variation->setObjectName(QStringLiteral("variation"));
    m_variation->setReadOnly(true);
    m_variation->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_variation->setFrameShape(QFrame::NoFrame);
    m_variation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_variation->setFixedHeight(2 * fontMetrics().lineSpacing() + 6);

    m_gear->setObjectName(QStringLiteral("gear"));

    // The main window's word list gives this button its texts under this name.
    m_stopButton->setObjectName(QStringLiteral("stopButton"));
    m_stopButton->setText(QStringLiteral("X"));
    m_stopButton->setToolTip(QStringLiteral("Stop analysis engine"));
    m_stopButton->setAutoRaise(true);
    connect(m_stopButton, &QToolButton::clicked, this, &TEnginePanel::stopClicked);

    auto *top = new QHBoxLayout;
    top->addWidget(m_gear);
    top->addWidget(m_engineLabel, 1);
    top->addWidget(m_stopButton);

    auto *values = new QGridLayout;
    values->setHorizontalSpacing(4);
    values->setVerticalSpacing(0);
    values->addWidget(Caption("Hint: ", this), 0, 0);
    values->addWidget(m_hintLabel, 0, 1);
    values->addWidget(Caption("Score: ", this), 0, 2);
    values->addWidget(m_scoreLabel, 0, 3);
    values->addWidget(Caption("Depth: ", this), 0, 4);
    values->addWidget(m_depthLabel, 0, 5);
    values->addWidget(Caption("Nodes: ", this), 1, 0);
    values->addWidget(m_nodesLabel, 1, 1, 1, 3);
    values->addWidget(Caption("Time:", this), 1, 4);
    values->addWidget(m_searchTimeLabel, 1, 5);
    values->setColumnStretch(3, 1);

    auto *variation = new QHBoxLayout;
    variation->addWidget(Caption("P.V:", this), 0, Qt::AlignTop);
    variation->addWidget(m_variation, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 2, 2);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addLayout(values);
    layout->addLayout(variation);

    ShowLabels(TAnalysisLabels());
    hide();
}

QLabel *TEnginePanel::AddValue(const char *objectName)
{
    auto *label = new QLabel(this);
    label->setObjectName(QLatin1String(objectName));
    label->setTextFormat(Qt::PlainText);
    return label;
}

void TEnginePanel::Follow(TEngineController *controller)
{
    connect(controller, &TEngineController::labelsChanged, this, &TEnginePanel::ShowLabels);
    connect(controller, &TEngineController::panelVisibleChanged, this, &QWidget::setVisible);
    connect(this, &TEnginePanel::stopClicked, controller, &TEngineController::StopAnalysis);
    ShowLabels(controller->Labels());
    setVisible(controller->PanelVisible());
}

void TEnginePanel::ShowLabels(const TAnalysisLabels &labels)
{
    m_engineLabel->setText(labels.engine);
    m_hintLabel->setText(labels.hint);
    m_scoreLabel->setText(labels.score);
    m_depthLabel->setText(labels.depth);
    m_nodesLabel->setText(labels.nodes);
    m_searchTimeLabel->setText(labels.searchTime);
    if (m_variation->toPlainText() != labels.variation)
        m_variation->setPlainText(labels.variation);
}

void TEnginePanel::SetBackgroundColor(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    setPalette(palette);
}
