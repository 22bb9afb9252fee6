#include "voice/TalkerMessage.h"

#include "app/LanguageTable.h"
#include "voice/WavFile.h"

#include <QFile>
#include <QSaveFile>

namespace {

QString saveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    return QStringLiteral("%1: %2").arg(path, file.errorString());
}

}  // namespace

TalkerMessage prepareTalkerMessage(const QString &path, int tolerance, const TalkerArea &area,
                                   const LanguageTable &texts)
{
    TalkerMessage message;
    const DeviceSamples samples = readDeviceSamples(path, VoiceRate::module);
    if (!samples.ok()) {
        message.problem = samples.problemText(texts, path);
        return message;
    }
    message.converted = samples.converted;
    // The compression takes the file as it is, header and all.
    QByteArray wav;
    if (samples.converted) {
        wav = wavOfSamples(samples.samples, VoiceRate::module);
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            message.problem = texts.text(QStringLiteral("Extensions"), 32).arg(path, file.errorString());
            return message;
        }
        wav = file.readAll();
    }
    message.stream = compressForTalker(wav, tolerance);
    message.blocks = talkerBlocksOf(message.stream.stream);
    message.problem = saveFile(path.chopped(4) + QStringLiteral("k.TXT"), message.stream.stream);
    if (message.problem.isEmpty())
        message.problem = saveFile(path.chopped(3) + QStringLiteral("TXT"), message.blocks.blockFile);
    if (!message.problem.isEmpty())
        return message;
    message.statistics = talkerStatistics(message.stream, message.blocks, area.blocks);
    message.logLines = {message.statistics.size,
                        QStringLiteral("Original: %1").arg(message.stream.inputBytes),
                        QStringLiteral("Compresed: %1").arg(message.stream.stream.size() + 1),
                        QStringLiteral("Compres ratio: %1").arg(tolerance)};
    if (message.blocks.blockCount >= area.blocks) {
        message.problem = QStringLiteral("File is too big size\r- not performed!");
        message.logLines << QStringLiteral("Error write msg%1: %2 file is too big").arg(area.logNumber).arg(path);
    }
    return message;
}
