// The main window's link to the analysis engine.
#include "app/quorval_main.h"

#include "app/engine_position.h"
#include "board/chess_diagram_2d.h"
#include "engine/enginecontroller.h"
#include "engine/enginedefault.h"
#include "ui/multilang.h"

#include <QProcess>

void TQuorvalMain::EngineButtonClick()
{
    if (!Engine->Connected()) {
        // The default engine is not shipped here: use the system's own.
        const TEngineChoice choice =
            InstalledEngine({m_settings.EngineFileName, m_settings.EngineProtocol, m_settings.EngineArguments});
        Engine->SetEngineFile(choice.file);
        Engine->SetProtocol(choice.protocol);
        Engine->SetEngineArguments(QProcess::splitCommand(choice.arguments));
        Engine->SetWords(MultiLang1);
        SendPositionToCrafty();
    }
    Engine->EngineButtonClick();
}

// The controller keeps the position and sends it while an engine runs.
void TQuorvalMain::SendPositionToCrafty()
{
    Engine->SendPositionToCrafty(AnalysedPositionOf(m_game, Diagram->Position()));
}
