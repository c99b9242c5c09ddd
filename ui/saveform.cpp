#include "ui/saveform.h"

#include "ui/windowhook.h"

#include <QEvent>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QWidget>

#include <algorithm>

TSaveForm::TSaveForm(QWidget *owner)
    : QObject(owner)
    , m_hook(std::make_unique<TWindowHook>(owner))
{
    setObjectName(QStringLiteral("windowPlacement"));
    m_hook->setOnWndProc([this](QEvent *event, bool &callDef) { handleEvent(event, callDef); });
}

// The window deletes its children before it lets go of its native window, so
// freeing the hook here tells it of the window's destruction in time to save.
TSaveForm::~TSaveForm()
{
    m_hook.reset();
}

QWidget *TSaveForm::owner() const
{
    return qobject_cast<QWidget *>(parent());
}

bool TSaveForm::isEnabled() const
{
    return m_hook->isEnabled();
}

void TSaveForm::setEnabled(bool enabled)
{
    m_hook->setEnabled(enabled);
}

void TSaveForm::afterLoad()
{
    if (isEnabled())
        restorePlacement();
}

QString TSaveForm::group() const
{
    QString path = m_registryKey;
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

void TSaveForm::handleEvent(QEvent *event, bool &)
{
    if (event->type() == TWindowHook::WindowDestroy) {
        savePlacement();
    } else if (event->type() == QEvent::Hide) {
        // A window being destroyed hides before its children go, the
        // splitters among them.
        saveSplitterSizes();
    } else if (event->type() == QEvent::Show && !m_shown) {
        m_shown = true;
        applySplitterSizes();
        QWidget *window = owner();
        if (m_centre && window && !(window->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized
                                                             | Qt::WindowFullScreen))) {
            QRect frame = window->frameGeometry();
            frame.moveCenter(window->screen()->availableGeometry().center());
            window->move(frame.topLeft());
        }
    }
}

void TSaveForm::savePlacement()
{
    QWidget *window = owner();
    if (!window)
        return;
    QSettings store;
    store.beginGroup(group());
    const Qt::WindowStates states = window->windowState();
    const QRect normal = states & (Qt::WindowMaximized | Qt::WindowFullScreen) ? window->normalGeometry()
                                                                                : window->geometry();
    bool restoreToMax = false;
    int state = states & Qt::WindowMinimized ? 2 : 1;
    if (states & Qt::WindowMaximized) {
        if (state == 2)
            restoreToMax = true;
        else
            state = 3;
    }
    store.setValue(QStringLiteral("Top"), QString::number(normal.top()));
    store.setValue(QStringLiteral("Left"), QString::number(normal.left()));
    store.setValue(QStringLiteral("Width"), QString::number(normal.width()));
    store.setValue(QStringLiteral("Height"), QString::number(normal.height()));
    store.setValue(QStringLiteral("State"), QString::number(state));
    store.setValue(QStringLiteral("RestoreToMax"), restoreToMax ? QStringLiteral("1") : QStringLiteral("0"));
    saveSplitterSizes();
}

void TSaveForm::saveSplitterSizes()
{
    // A window never shown has not laid its splitters out: what is stored
    // stays.
    if (!m_shown)
        return;
    QSettings store;
    store.beginGroup(group());
    for (const KeptSplitter &kept : m_splitters) {
        if (!kept.splitter)
            continue;
        QStringList sizes;
        for (const int size : kept.splitter->sizes())
            sizes.append(QString::number(size));
        store.setValue(kept.splitter->objectName(), sizes.join(QLatin1Char(',')));
    }
}

void TSaveForm::addSplitter(QSplitter *splitter, int firstPaneSize)
{
    m_splitters.push_back({splitter, firstPaneSize});
    if (m_shown)
        applySplitterSizes();
}

QList<int> TSaveForm::storedSizes(const QSplitter *splitter) const
{
    QSettings store;
    store.beginGroup(group());
    // A hand-written "500,261" reads as a list of two texts.
    QStringList texts = store.value(splitter->objectName()).toStringList();
    if (texts.size() == 1)
        texts = texts.front().split(QLatin1Char(','));
    QList<int> sizes;
    for (const QString &text : texts) {
        bool ok = false;
        const int size = text.trimmed().toInt(&ok);
        if (!ok || size < 0)
            return {};
        sizes.append(size);
    }
    // Every pane must keep some room: all collapsed says nothing usable.
    if (sizes.size() != splitter->count() || std::all_of(sizes.begin(), sizes.end(), [](int s) { return s == 0; }))
        return {};
    return sizes;
}

void TSaveForm::applySplitterSizes()
{
    for (const KeptSplitter &kept : m_splitters) {
        if (!kept.splitter)
            continue;
        const QList<int> stored = isEnabled() ? storedSizes(kept.splitter) : QList<int>();
        if (!stored.isEmpty()) {
            kept.splitter->setSizes(stored);
            continue;
        }
        const int count = kept.splitter->count();
        if (count == 0)
            continue;
        const int length = kept.splitter->orientation() == Qt::Horizontal ? kept.splitter->width()
                                                                          : kept.splitter->height();
        const int rest = std::max(0, length - kept.firstPaneSize - (count - 1) * kept.splitter->handleWidth());
        QList<int> sizes(count, count > 1 ? rest / (count - 1) : 0);
        sizes[0] = kept.firstPaneSize;
        kept.splitter->setSizes(sizes);
    }
}

void TSaveForm::restorePlacement()
{
    QWidget *window = owner();
    if (!window)
        return;
    QSettings store;
    store.beginGroup(group());
    const auto number = [&store](const char *name) {
        return store.value(QString::fromLatin1(name)).toString().trimmed().toInt(); // unreadable: 0
    };
    const int left = number("Left"), top = number("Top"), width = number("Width"), height = number("Height");
    if (!left || !top || !width || !height)
        return;
    window->setGeometry(left, top, width, height);
    const int state = number("State");
    m_restoreToMax = number("RestoreToMax") != 0;
    switch (state) {
    case 1:
        window->setWindowState(Qt::WindowNoState);
        break;
    case 3:
        window->setWindowState(Qt::WindowMaximized);
        break;
    case 2:
        // Restoring a window minimized with the maximized flag brings it back maximized.
        window->setWindowState(m_restoreToMax ? Qt::WindowMinimized | Qt::WindowMaximized
                                              : Qt::WindowMinimized);
        break;
    default:
        break;
    }
}
