#pragma once

#include <QString>

#include <cstdint>

class TIniFile;

// The program's settings: read once from "quorval.ini" at start-up, changed
// in memory by the options dialog, written back once at shutdown.
struct TSettings
{
    bool UseFigurineNotation = true;
    bool ShowComments = true;
    bool ShowOnlyOngoingGames = true;
    bool CheckServersPeriodically = true;
    int LightSquaresColor = 0xF0CAA6;  // 0x00BBGGRR, see app/color_ref.h
    int DarkSquaresColor = 0x808080;
    QString EngineFileName;
    int EngineProtocol = 0;            // 0 Winboard protocol 2, 1 UCI
    QString EngineArguments;           // given to the engine program, split as a shell would
    std::uint8_t ActiveLanguage = 0;   // 0 English, 1 Spanish
    // How long a server may stay silent before Quorval stops waiting for it.
    int ServerTimeoutSeconds = 30;
    static constexpr int MinServerTimeoutSeconds = 5;
    static constexpr int MaxServerTimeoutSeconds = 600;
    // Checking the servers in the background, every MinutesToCheck minutes,
    // and telling of a move that became due or time that runs short.
    bool PollServers = false;
    int MinutesToCheck = 5;
    static constexpr int MinMinutesToCheck = 5;  // no server is asked more often
    int AlertDaysLeft = 3;  // a due game with less time left than this is told of once
    int GameListSort = 0;   // see GameListOrder
    // The board's aids: coordinates along its edges, the last move's
    // squares tinted, a king in check marked.
    bool ShowCoordinates = true;
    bool ShowLastMove = true;
    bool ShowCheck = true;

    // Defaults of a program installed in programFolder.
    static TSettings defaults(const QString &programFolder);
    static QString defaultEngineFileName(const QString &programFolder);

    // Every key; what is missing or unreadable keeps the value of defaults(),
    // a number out of its range is brought into it.
    static TSettings read(const TIniFile &file, const QString &programFolder);
    // All keys in their fixed order, the program's own after the ten first
    // ones.
    void write(TIniFile &file) const;

    bool operator==(const TSettings &) const = default;
};
