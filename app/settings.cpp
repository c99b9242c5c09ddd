#include "app/settings.h"

#include "app/ini_file.h"

#include <QDir>

#include <algorithm>

namespace {
const QString Setup = QStringLiteral("SETUP");
const QString AnalysisEngine = QStringLiteral("ANALYSIS_ENGINE");
} // namespace

TSettings TSettings::defaults(const QString &programFolder)
{
    TSettings settings;
    settings.EngineFileName = defaultEngineFileName(programFolder);
    return settings;
}

QString TSettings::defaultEngineFileName(const QString &programFolder)
{
    return programFolder + QDir::toNativeSeparators(QStringLiteral("engines/crafty/wcrafty.exe"));
}

TSettings TSettings::read(const TIniFile &file, const QString &programFolder)
{
    TSettings s = defaults(programFolder);
    s.UseFigurineNotation = file.readBool(Setup, "USE_FIGURINE_NOTATION", s.UseFigurineNotation);
    s.ShowComments = file.readBool(Setup, "SHOW_COMMENTS", s.ShowComments);
    s.ShowOnlyOngoingGames = file.readBool(Setup, "SHOW_ONLY_ONGOING_GAMES", s.ShowOnlyOngoingGames);
    s.CheckServersPeriodically =
        file.readBool(Setup, "CHECK_SERVERS_PERIODICALLY", s.CheckServersPeriodically);
    s.LightSquaresColor = file.readInteger(Setup, "LIGHT_SQUARES_COLOR", s.LightSquaresColor);
    s.DarkSquaresColor = file.readInteger(Setup, "DARK_SQUARES_COLOR", s.DarkSquaresColor);
    s.EngineFileName = file.readString(AnalysisEngine, "ENGINE_FILE_NAME", s.EngineFileName);
    s.EngineProtocol = file.readInteger(AnalysisEngine, "ENGINE_PROTOCOL", s.EngineProtocol);
    s.EngineArguments = file.readString(AnalysisEngine, "ENGINE_ARGUMENTS", s.EngineArguments);
    s.ActiveLanguage =
        static_cast<std::uint8_t>(file.readInteger(Setup, "ACTIVE_LANGUAGE", s.ActiveLanguage));
    s.ServerTimeoutSeconds = std::clamp(file.readInteger(Setup, "SERVER_TIMEOUT_SECONDS", s.ServerTimeoutSeconds),
                                        MinServerTimeoutSeconds, MaxServerTimeoutSeconds);
    s.PollServers = file.readBool(Setup, "POLL_SERVERS", s.PollServers);
    s.MinutesToCheck = std::max(file.readInteger(Setup, "MINUTES_TO_CHECK", s.MinutesToCheck), MinMinutesToCheck);
    s.AlertDaysLeft = std::clamp(file.readInteger(Setup, "ALERT_DAYS_LEFT", s.AlertDaysLeft), 0, 365);
    s.GameListSort = file.readInteger(Setup, "GAME_LIST_SORT", s.GameListSort);
    s.ShowCoordinates = file.readBool(Setup, "SHOW_COORDINATES", s.ShowCoordinates);
    s.ShowLastMove = file.readBool(Setup, "SHOW_LAST_MOVE", s.ShowLastMove);
    s.ShowCheck = file.readBool(Setup, "SHOW_CHECK", s.ShowCheck);
    return s;
}

void TSettings::write(TIniFile &file) const
{
    file.writeInteger(Setup, "USE_FIGURINE_NOTATION", UseFigurineNotation);
    file.writeInteger(Setup, "SHOW_COMMENTS", ShowComments);
    file.writeInteger(Setup, "SHOW_ONLY_ONGOING_GAMES", ShowOnlyOngoingGames);
    file.writeInteger(Setup, "CHECK_SERVERS_PERIODICALLY", CheckServersPeriodically);
    file.writeInteger(Setup, "MINUTES_TO_CHECK", MinutesToCheck);
    file.writeInteger(Setup, "LIGHT_SQUARES_COLOR", LightSquaresColor);
    file.writeInteger(Setup, "DARK_SQUARES_COLOR", DarkSquaresColor);
    file.writeString(AnalysisEngine, "ENGINE_FILE_NAME", EngineFileName);
    file.writeInteger(AnalysisEngine, "ENGINE_PROTOCOL", EngineProtocol);
    file.writeString(AnalysisEngine, "ENGINE_ARGUMENTS", EngineArguments);
    file.writeInteger(Setup, "ACTIVE_LANGUAGE", ActiveLanguage);
    file.writeInteger(Setup, "SERVER_TIMEOUT_SECONDS", ServerTimeoutSeconds);
    file.writeInteger(Setup, "POLL_SERVERS", PollServers);
    file.writeInteger(Setup, "ALERT_DAYS_LEFT", AlertDaysLeft);
    file.writeInteger(Setup, "GAME_LIST_SORT", GameListSort);
    file.writeInteger(Setup, "SHOW_COORDINATES", ShowCoordinates);
    file.writeInteger(Setup, "SHOW_LAST_MOVE", ShowLastMove);
    file.writeInteger(Setup, "SHOW_CHECK", ShowCheck);
}
