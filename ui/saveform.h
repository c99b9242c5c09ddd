#pragma once

#include <QObject>
#include <QString>

#include <QList>
#include <QPointer>

#include <memory>
#include <vector>

class QEvent;
class QSplitter;
class QWidget;
class TWindowHook;

// Keeps a window's placement between runs in the user's settings store
// (QSettings in the user scope, under the organisation and application names
// the program sets). The values stand as text in the group RegistryKey:
// "Top", "Left", "Width", "Height" of the normal rectangle, "State" (1 normal,
// 2 minimized, 3 maximized) and "RestoreToMax" ("1" when the window was
// maximized before it was minimized). Saved when the window is destroyed,
// restored by afterLoad() only when all four numbers are non-zero.
//
//   auto *saveForm = new TSaveForm(mainWindow);   // objectName "windowPlacement"
//   saveForm->setRegistryKey("Software\\Quorval\\Quorval\\QuorvalMain");
//   saveForm->setCentreAtFirstShow(true);
//   saveForm->setEnabled(true);
//   saveForm->afterLoad();                        // before the window is shown
//
// Splitters added with addSplitter() keep their sizes in the same group, as
// the text of their sizes separated by commas, under the splitter's
// objectName; they are applied when the window is first shown, once its
// layout has given the splitters their room, and saved when it hides.
class TSaveForm : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QString RegistryKey READ registryKey WRITE setRegistryKey)
    Q_PROPERTY(bool CentreAtFirstShow READ centreAtFirstShow WRITE setCentreAtFirstShow)

public:
    explicit TSaveForm(QWidget *owner);
    ~TSaveForm() override;

    QWidget *owner() const;
    bool isEnabled() const;
    void setEnabled(bool enabled);
    QString registryKey() const { return m_registryKey; }
    void setRegistryKey(const QString &key) { m_registryKey = key; }
    // Moves the window to the centre of its screen when it is first shown in
    // the normal state, keeping its size.
    bool centreAtFirstShow() const { return m_centre; }
    void setCentreAtFirstShow(bool centre) { m_centre = centre; }

    // Restores the stored placement when Enabled.
    void afterLoad();
    void savePlacement();
    void restorePlacement();

    // Keeps splitter's sizes with the placement. While none are stored (or
    // the stored ones do not fit the splitter) its first pane gets
    // firstPaneSize pixels and the others share the rest.
    void addSplitter(QSplitter *splitter, int firstPaneSize);
    // The sizes stored for splitter, when they are usable.
    QList<int> storedSizes(const QSplitter *splitter) const;

private:
    void handleEvent(QEvent *event, bool &callDef);
    QString group() const;
    void applySplitterSizes();
    void saveSplitterSizes();

    struct KeptSplitter {
        QPointer<QSplitter> splitter;
        int firstPaneSize = 0;
    };
    std::vector<KeptSplitter> m_splitters;

    QString m_registryKey = QStringLiteral("Software\\Company\\Application\\Form");
    bool m_centre = false;
    bool m_shown = false;
    bool m_restoreToMax = false;
    std::unique_ptr<TWindowHook> m_hook;
};
