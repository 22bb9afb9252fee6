#pragma once

#include "voice/TalkerCompression.h"

#include <QString>
#include <QStringList>
#include <array>

class LanguageTable;

// The older voice module's four message areas, by slot: the character the module
// knows the area by, its size in blocks, and the message's number in the log.
struct TalkerArea {
    char character;
    int blocks;
    int logNumber;
};
inline constexpr std::array<TalkerArea, 4> talkerAreas{{
    {'4', 944, 4},
    {'1', 288, 1},
    {'3', 384, 2},
    {'2', 384, 3},
}};
inline constexpr int talkerMaximumTolerance = 7;

// A WAV file made ready for one area of the older module: read (and converted to its
// format when it is not in it), compressed, cut into blocks, and the stream and block
// files kept beside the WAV file ("NAMEk.TXT" and "NAME.TXT").
struct TalkerMessage {
    QString problem;  // why it cannot be sent, naming the file; empty when it can
    bool converted = false;
    TalkerStream stream;
    TalkerBlocks blocks;
    TalkerStatistics statistics;
    QStringList logLines;  // the compression's lines of the communication log, also
                           // when the message is too big for its area
};
TalkerMessage prepareTalkerMessage(const QString &path, int tolerance, const TalkerArea &area,
                                   const LanguageTable &texts);
