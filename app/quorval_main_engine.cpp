// The main window's link to the analysis engine.
#include "app/quorval_main.h"

#include "app/engine_position.h"
#include "board/chess_diagram_2d.h"
#include "engine/enginecontroller.h"
#include "engine/enginedefault.h"

#include <QFileInfo>

void TQuorvalMain::EngineButtonClick()
{
    if (!Engine->Connected()) {
        TEngineChoice choice{m_settings.EngineFileName, m_settings.EngineProtocol};
        // The default engine is not shipped here: use the system's own.
        if (choice.file == TSettings::defaultEngineFileName(m_context.ProgramFolder)
            && !QFileInfo::exists(choice.file))
            choice = DefaultEngine(m_context.ProgramFolder);
        Engine->SetEngineFile(choice.file);
        Engine->SetProtocol(choice.protocol);
        SendPositionToCrafty();
    }
    Engine->EngineButtonClick();
}

// The controller keeps the position and sends it while an engine runs.
void TQuorvalMain::SendPositionToCrafty()
{
    Engine->SendPositionToCrafty(AnalysedPositionOf(m_game, Diagram->Position()));
}
