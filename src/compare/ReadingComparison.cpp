#include "compare/ReadingComparison.h"

#include "app/CommLog.h"
#include "compare/ComparisonLabels.h"
#include "compare/ComparisonRows.h"
#include "params/ParameterSet.h"
#include "params/ParameterStatus.h"
#include "protocol/AlarmImageCodec.h"

namespace {

constexpr int phoneNumberFirstBytes[] = {81, 97, 113, 129, 145, 161, 177, 193, 209};
constexpr int statusByte = 253;

const QString doubleRule = QString(91, QLatin1Char('='));

QString singleRule()
{
    return QStringLiteral("-*").repeated(45) + QLatin1Char('-');
}

void writeLog(CommLog *log, const QString &line)
{
    if (log)
        log->writeLine(line);
}

// The byte at a 1-based position; a byte the image lacks reads as 0.
int byteAt(const QByteArray &image, int position)
{
    return position <= image.size() ? quint8(image.at(position - 1)) : 0;
}

} // namespace

void normaliseForComparison(QByteArray &image)
{
    for (int position : phoneNumberFirstBytes) {
        const int value = byteAt(image, position);
        if (position <= image.size() && ((value >= 112 && value <= 127) || value >= 240))
            image[position - 1] = char(value - 112);
    }
    if (statusByte <= image.size())
        image[statusByte - 1] = char(byteAt(image, statusByte) & 0xC0);
}

ReadingComparison::ReadingComparison(QByteArray &previousImage, QByteArray &newImage, CommunicatorModel model,
                                     const LanguageTable &texts)
    : previous_(previousImage)
    , new_(newImage)
    , model_(model)
    , texts_(texts)
    , labels_(comparisonLabels(model, texts))
{
    normaliseForComparison(previous_);
    normaliseForComparison(new_);
}

void ReadingComparison::show(CommLog *log)
{
    writeLog(log, doubleRule);
    writeLog(log, QStringLiteral("Begin compare - result:"));
    writeLog(log, singleRule());
    listDifferences(false, log);
}

void ReadingComparison::filterAll(CommLog *log)
{
    writeLog(log, singleRule());
    writeLog(log, QStringLiteral("Begin compare, FILTER ALL - result:"));
    listDifferences(false, log);
}

void ReadingComparison::filterImportant(CommLog *log)
{
    writeLog(log, singleRule());
    writeLog(log, QStringLiteral("Begin compare, FILTER IMPORTANT - result:"));
    listDifferences(true, log);
}

QString ReadingComparison::headerRow() const
{
    return comparisonHeader(texts_);
}

QStringList ReadingComparison::rows(bool importantOnly) const
{
    QStringList result;
    for (int byte = 1; byte <= alarmImageLength; ++byte) {
        const int before = byteAt(previous_, byte);
        const int after = byteAt(new_, byte);
        if (before != after && (!importantOnly || isImportantByte(byte)))
            result << comparisonRow(labels_.at(byte - 1), before, after);
    }
    return result;
}

void ReadingComparison::listDifferences(bool importantOnly, CommLog *log)
{
    writeLog(log, comparisonLogHeader());
    const QStringList differing = rows(importantOnly);
    list_ = QStringList{headerRow()} + differing;
    for (const QString &row : differing)
        writeLog(log, row);
    writeLog(log, singleRule());
}

ImageDecodeResult ReadingComparison::useNewReading(QByteArray &workingImage, ParameterSet &set,
                                                   ParameterStatus &status, CommLog *log)
{
    writeLog(log, QStringLiteral("Use new reading parameters"));
    const ImageDecodeResult result = take(new_, previous_, workingImage, set, status);
    if (result.ok())
        close(log);
    return result;
}

ImageDecodeResult ReadingComparison::returnToPrevious(QByteArray &workingImage, ParameterSet &set,
                                                      ParameterStatus &status, CommLog *log)
{
    writeLog(log, QStringLiteral("Return previous parameters"));
    const ImageDecodeResult result = take(previous_, new_, workingImage, set, status);
    if (result.ok())
        close(log);
    return result;
}

ImageDecodeResult ReadingComparison::take(const QByteArray &chosen, QByteArray &other, QByteArray &workingImage,
                                          ParameterSet &set, ParameterStatus &status)
{
    // Decoded into copies first: a failed decode would otherwise put the defaults in
    // place of the values shown.
    ParameterSet decodedSet = set;
    ParameterStatus decodedStatus = status;
    const ImageDecodeResult result = decodeAlarmImage(chosen, model_, decodedSet, decodedStatus);
    if (!result.ok())
        return result;
    set = decodedSet;
    status = decodedStatus;
    workingImage = chosen;
    other = chosen;
    return result;
}

void ReadingComparison::close(CommLog *log)
{
    if (closed_)
        return;
    closed_ = true;
    writeLog(log, QStringLiteral("End of Compare"));
    writeLog(log, doubleRule);
}
