#pragma once

#include <QByteArray>
#include <QList>

// The run-length compression of the older voice module. A stream byte 0x00 to 0xFE
// is one sample; 0xFF, v, n is a run of n samples (5 to 251) played as v; 0xFF, 0xFF
// ends the stream. Samples 0xFF are taken as 0xFE. A sample continues a run when
// it lies within the tolerance (0 to 7) of the sample before it.
struct TalkerStream {
    static constexpr int inputLimit = 100000;

    QByteArray stream;   // up to and including the ending 0xFF, 0xFF
    int inputBytes = 0;  // bytes of the file read (at most inputLimit)
    bool cut = false;    // the file was longer than inputLimit
};

// Compresses the bytes of a WAV file, header included. Like the module's own
// compressor it drops the last byte of the file and whatever is pending then.
TalkerStream compressForTalker(const QByteArray &wav, int tolerance);

// The 64-byte blocks the module is sent, in order, and how many blocks of its area
// the message takes (the last block counts twice, as the block file writes it).
struct TalkerBlocks {
    QList<QByteArray> blocks;
    int blockCount = 0;
    QByteArray blockFile;  // 128 hex digits a line, an empty line after each full one
};
TalkerBlocks talkerBlocksOf(const QByteArray &stream);

// The statistics of a compression: "Compr: 213%", the size "12 %" of the area and
// the playing time " - 10 sec".
struct TalkerStatistics {
    QString compression;
    QString size;
    QString time;
};
TalkerStatistics talkerStatistics(const TalkerStream &stream, const TalkerBlocks &blocks, int areaBlocks);
