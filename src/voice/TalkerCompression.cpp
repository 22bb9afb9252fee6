#include "voice/TalkerCompression.h"

#include <QString>

namespace {

constexpr char runMark = char(0xFF);
constexpr int runLimit = 250;
constexpr int blockLength = 64;
constexpr int blockDigits = 2 * blockLength;

bool similar(int a, int b, int tolerance)
{
    if (a < tolerance)
        a = tolerance - 1;
    if (a > 254 - tolerance)
        a = 254 - tolerance;
    return a - tolerance <= b && b <= a + tolerance;
}

}  // namespace

TalkerStream compressForTalker(const QByteArray &wav, int tolerance)
{
    TalkerStream result;
    result.cut = wav.size() > TalkerStream::inputLimit;
    const qsizetype length = std::min<qsizetype>(wav.size(), TalkerStream::inputLimit);
    const auto sample = [&wav](qsizetype k) -> int {
        if (k < 0)
            return 0;  // the virtual byte before the file
        return std::min<int>(quint8(wav[k]), 0xFE);
    };
    QByteArray out;
    bool inRun = false;
    qsizetype runStart = 0;
    int runCount = 0;
    for (qsizetype k = 0; k < length; ++k) {
        ++result.inputBytes;
        // The last byte of the file ends the compression: it and what is pending go.
        if (k == wav.size() - 1)
            break;
        const bool alike = similar(sample(k - 1), sample(k), tolerance);
        if (!inRun) {
            if (alike) {
                runStart = k - 1;
                runCount = 1;
                inRun = true;
            } else {
                out.append(char(sample(k - 1)));
            }
            continue;
        }
        if (alike) {
            if (++runCount == runLimit) {
                out.append(runMark).append(char(sample(runStart))).append(char(runCount + 1));
                inRun = false;
                runCount = 1;
            }
        } else if (runCount > 3) {
            out.append(runMark).append(char(sample(runStart))).append(char(runCount + 1));
            inRun = false;
        } else {
            for (qsizetype i = runStart; i <= runStart + runCount; ++i)
                out.append(char(sample(i)));
            inRun = false;
        }
    }
    out.append(runMark).append(runMark);
    // The token of the virtual byte before the file is not part of the stream.
    result.stream = out.mid(1);
    return result;
}

TalkerBlocks talkerBlocksOf(const QByteArray &stream)
{
    TalkerBlocks result;
    QByteArray line;
    int fullLines = 0;
    for (qsizetype at = 0; at < stream.size(); at += 2) {
        const char first = stream[at];
        // A pair cut by the end of the stream repeats its first byte.
        const char second = at + 1 < stream.size() ? stream[at + 1] : first;
        line += QByteArray(1, first).toHex().toUpper() + QByteArray(1, second).toHex().toUpper();
        if (at + 2 >= stream.size()) {
            // The last line, filled up with "F" digits, goes twice.
            line = line.left(blockDigits).leftJustified(blockDigits, 'F');
            result.blockFile += line + "\r\n" + line + "\r\n";
            result.blocks.append(QByteArray::fromHex(line));
            break;
        }
        if (line.size() == blockDigits) {
            result.blockFile += line + "\r\n\r\n";
            result.blocks.append(QByteArray::fromHex(line));
            line.clear();
            ++fullLines;
        }
    }
    result.blockCount = fullLines + 2;
    return result;
}

TalkerStatistics talkerStatistics(const TalkerStream &stream, const TalkerBlocks &blocks, int areaBlocks)
{
    const qint64 n = stream.inputBytes;
    const qint64 m = stream.stream.size() + 1;
    return {QStringLiteral("Compr: %1%").arg(n * 100 / m),
            QStringLiteral("%1 %").arg(qint64(blocks.blockCount) * 100 / areaBlocks),
            QStringLiteral(" - %1 sec").arg(n * 5 / m)};
}
