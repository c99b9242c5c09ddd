#pragma once

#include "engine/analysedposition.h"
#include "engine/analysislabels.h"
#include "engine/engineprotocol.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <memory>

class TBaseMultiLang;
class TEngineProcess;

// The engine analysis as the main window sees it: the toggle, the position
// to analyse and the label texts to show. The main window owns one, gives it
// the engine settings, calls SetPosition on every change of the
// shown position and wires the engine panel to its signals.
class TEngineController : public QObject
{
    Q_OBJECT

public:
    enum Protocol { Winboard = 0, Uci = 1 };

    explicit TEngineController(QObject *parent = nullptr);
    ~TEngineController() override;

    // The settings "ENGINE_FILE_NAME" and "ENGINE_PROTOCOL"; taken at the next start.
    void SetEngineFile(const QString &file) { m_engineFile = file; }
    QString EngineFile() const { return m_engineFile; }
    void SetProtocol(int protocol) { m_protocol = protocol == Uci ? Uci : Winboard; }
    int ProtocolInUse() const { return m_protocol; }
    // Arguments given to the engine program; none unless set.
    void SetEngineArguments(const QStringList &arguments);
    // Where the traffic log goes when the engine's folder cannot be written.
    void SetLogFallbackFolder(const QString &folder);
    // How long a started engine may stay silent before the panel says that it
    // does not answer (10 seconds unless set).
    void SetNoAnswerTimeout(std::chrono::milliseconds timeout) { m_noAnswer.setInterval(timeout); }
    // The word list that gives the link's own messages in the active language;
    // English without one.
    void SetWords(TBaseMultiLang *words);

    bool Connected() const;
    bool PanelVisible() const { return m_panelVisible; }
    const TAnalysisLabels &Labels() const { return m_labels; }
    TEngineProcess *Process() const { return m_process; }

public slots:
    // Called once at start-up: the link is idle, the labels are reset.
    void SetEngineDefault();
    // Remembers the shown position and, while an engine runs, sends it.
    void SetPosition(const TAnalysedPosition &position);
    // The toolbar toggle: stops a running engine, else starts one.
    void ToggleEngine();
    // The panel's stop button: stops a running engine, else hides the panel.
    void StopAnalysis();

signals:
    void labelsChanged(const TAnalysisLabels &labels);
    void panelVisibleChanged(bool visible);

private:
    void Connect();
    void ProcessLines(const QStringList &lines);
    void EngineLost();
    void Refuse(const QString &message);
    void SetPanelVisible(bool visible);
    void SetEngineLabel(const QString &text);
    void PublishLabels();
    void PublishLabelsSoon();
    void NoAnswer();
    void RepeatUnansweredPosition();
    void SendPosition();
    QString Text(const char *id, const char *english) const;

    TEngineProcess *m_process;
    std::unique_ptr<TEngineProtocol> m_protocolLink;
    TAnalysedPosition m_position;
    TAnalysisLabels m_labels;
    TAnalysisLabels m_shownLabels;
    QTimer m_noAnswer;             // runs from the start until the engine's first line
    QTimer m_labelUpdate;          // a label update put off to keep updates 100 ms apart
    QElapsedTimer m_lastLabelUpdate;
    QTimer m_unanswered;           // runs from a Winboard position until its first thinking line
    int m_repeats = 0;             // times the position was sent again
    bool m_repeatsUnanswered = false;
    QPointer<TBaseMultiLang> m_words;
    QString m_labelBeforeSilence;  // the engine label that "does not answer" replaced
    QString m_engineFile;
    Protocol m_protocol = Winboard;
    bool m_panelVisible = false;
};
