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

    // Defaults of a program installed in programFolder.
    static TSettings defaults(const QString &programFolder);
    static QString defaultEngineFileName(const QString &programFolder);

    // Every key except "MINUTES_TO_CHECK"; what is missing or unreadable keeps
    // the value of defaults().
    static TSettings read(const TIniFile &file, const QString &programFolder);
    // All eleven keys in their fixed order; "MINUTES_TO_CHECK" is always 5.
    void write(TIniFile &file) const;
};
