// The main window's link to the analysis engine.
#include "app/quorval_main.h"

#include "app/engine_position.h"
#include "board/chess_diagram_2d.h"
#include "engine/enginecontroller.h"
#include "engine/enginedefault.h"
#include "ui/multilang.h"

#include <QProcess>

void TQuorvalMain::toggleEngine()
{
    if (!m_engine->Connected()) {
        // The default engine is not shipped here: use the system's own.
        const TEngineChoice choice =
            InstalledEngine({m_settings.EngineFileName, m_settings.EngineProtocol, m_settings.EngineArguments});
        m_engine->SetEngineFile(choice.file);
        m_engine->SetProtocol(choice.protocol);
        m_engine->SetEngineArguments(QProcess::splitCommand(choice.arguments));
        m_engine->SetWords(m_translator);
        sendPositionToEngine();
    }
    m_engine->ToggleEngine();
}

// The controller keeps the position and sends it while an engine runs.
void TQuorvalMain::sendPositionToEngine()
{
    m_engine->SetPosition(AnalysedPositionOf(m_game, m_diagram->Position()));
}
