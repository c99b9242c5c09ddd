#include "ui/waitwindow.h"

#include "ui/frameanimation.h"
#include "ui/multilang.h"
#include "ui/wordlists.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

// The server clip: a computer on the left, a server tower on the right and a
// packet travelling between them, 16 frames.
void paintServerFrame(QPainter &p, const QSize &size, int frame)
{
    const QColor navy(0, 0, 128);
    p.setPen(QPen(navy, 1.5));
    // The computer: a screen on a stand.
    p.setBrush(QColor(220, 230, 245));
    p.drawRoundedRect(QRectF(3, 4, 22, 16), 2, 2);
    p.drawLine(QPointF(14, 20), QPointF(14, 25));
    p.drawLine(QPointF(8, 26), QPointF(20, 26));
    // The server: a tower with three drive bays.
    p.drawRoundedRect(QRectF(size.width() - 21, 2, 17, 29), 2, 2);
    for (int bay = 0; bay < 3; ++bay)
        p.drawLine(QPointF(size.width() - 18, 8 + bay * 6), QPointF(size.width() - 8, 8 + bay * 6));
    // The line between them, and the packet on its way out and back.
    p.setPen(QPen(navy, 1, Qt::DotLine));
    p.drawLine(QPointF(28, 16), QPointF(size.width() - 25, 16));
    const double span = size.width() - 53 - 8;
    const double t = frame < 8 ? frame / 7.0 : (15 - frame) / 7.0;
    p.setPen(Qt::NoPen);
    p.setBrush(frame < 8 ? QColor(200, 40, 40) : QColor(30, 140, 60));
    p.drawEllipse(QRectF(28 + t * span, 12, 8, 8));
}

} // namespace

TWaitWindow::TWaitWindow(std::function<QColor()> panelColor, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_panelColor(std::move(panelColor))
    , m_panel(new QFrame(this))
    , m_message(new QLabel(m_panel))
    , m_animation(new TFrameAnimation(16, 6, paintServerFrame, m_panel))
    , m_cancelButton(new QPushButton(QStringLiteral("Cancel"), m_panel))
{
    setObjectName(QStringLiteral("WaitWindow"));
    setModal(false);
    setFixedSize(295, 85);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    setFont(font);

    m_panel->setObjectName(QStringLiteral("panel"));
    m_panel->setGeometry(rect());
    m_panel->setAutoFillBackground(true);
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setFrameShadow(QFrame::Raised);
    QPalette panelPalette = m_panel->palette();
    panelPalette.setColor(QPalette::Window, QColor(166, 202, 240)); // sky blue, as designed
    m_panel->setPalette(panelPalette);

    m_message->setObjectName(QStringLiteral("message"));
    m_message->setGeometry(8, 56, 281, 17);
    m_message->setAlignment(Qt::AlignCenter);
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPointSize(8);
    labelFont.setBold(true);
    m_message->setFont(labelFont);
    QPalette labelPalette = m_message->palette();
    labelPalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    m_message->setPalette(labelPalette);

    m_animation->setObjectName(QStringLiteral("animation"));
    m_animation->setGeometry(88, 16, 104, 34);

    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setGeometry(108, 82, 79, 25);
    m_cancelButton->setAutoDefault(false);
    m_cancelButton->hide();
    connect(m_cancelButton, &QPushButton::clicked, this, &TWaitWindow::cancelRequested);
    m_translator = createMultiLang(this, WordList::WaitWindow);
    takePanelColor();
}

void TWaitWindow::setLanguageSource(std::function<int()> activeLanguage)
{
    m_activeLanguage = std::move(activeLanguage);
}

void TWaitWindow::reject()
{
    if (m_cancelButton->isVisible())
        Q_EMIT cancelRequested();
}

QString TWaitWindow::message() const
{
    return m_message->text();
}

void TWaitWindow::setMessage(const QString &text)
{
    m_message->setText(text);
    if (isVisible())
        m_message->repaint();
}

void TWaitWindow::showNow(bool cancellable)
{
    if (m_activeLanguage)
        m_translator->setActiveLanguage(m_activeLanguage());
    // The Cancel button adds a row below the message.
    setFixedSize(295, cancellable ? 117 : 85);
    m_panel->setGeometry(rect());
    m_cancelButton->setVisible(cancellable);
    setWindowModality(cancellable ? Qt::ApplicationModal : Qt::NonModal);
    show();
    raise();
    // Let the window system map the window, then paint it while the caller
    // keeps the event loop busy with its request.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

bool TWaitWindow::event(QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        takePanelColor();
    return QDialog::event(event);
}

void TWaitWindow::takePanelColor()
{
    if (!m_panelColor)
        return;
    QPalette palette = m_panel->palette();
    palette.setColor(QPalette::Window, m_panelColor());
    m_panel->setPalette(palette);
}

TWaitScope::TWaitScope(TWaitWindow *window, const QString &message, Cancel cancel)
    : m_window(window)
{
    m_window->setMessage(message);
    m_window->showNow(cancel == Cancel::Offered);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

TWaitScope::~TWaitScope()
{
    m_window->hide();
    QGuiApplication::restoreOverrideCursor();
}

void TWaitScope::setMessage(const QString &message)
{
    m_window->setMessage(message);
}
