#pragma once

#include "params/CommunicatorModel.h"
#include "protocol/ImageDecodeResult.h"

#include <QByteArray>
#include <QStringList>

class CommLog;
class LanguageTable;
class ParameterSet;
struct ParameterStatus;

// Brings an AlarmImage to the form in which two readings are compared: the first byte
// of each telephone number loses the offset 112 (values 112..127 and 240..255), and
// the status byte 253 keeps only its two highest bits.
void normaliseForComparison(QByteArray &image);

// The comparison of the image before a remote reading (previous) with the image read
// (new), byte by byte, and the choice between them. One object serves one showing of
// the window: constructing it builds the labels from the current texts and normalises
// both images in place. The images belong to the caller and must outlive the object;
// every log argument may be null (no log).
class ReadingComparison {
public:
    ReadingComparison(QByteArray &previousImage, QByteArray &newImage, CommunicatorModel model,
                      const LanguageTable &texts);

    // On show: lists (and logs) every difference.
    void show(CommLog *log);
    // The buttons "Filter - all" and "Filter - important": list again, without normalising.
    void filterAll(CommLog *log);
    void filterImportant(CommLog *log);

    // The 256 labels (entry 0 names byte 1).
    const QStringList &labels() const { return labels_; }
    QString headerRow() const;
    // The rows of the differing bytes, in byte order; with importantOnly only those of
    // the important bytes.
    QStringList rows(bool importantOnly) const;
    // What the list shows now: the header row and the rows of the last listing.
    const QStringList &list() const { return list_; }

    // "Use new reading value": the working image becomes the new image, is decoded into
    // the parameters with the model, and the previous image becomes the new one.
    // "Return previous value": the same the other way round. Each ends the comparison.
    // An image that cannot be decoded (wrong length, no marker) changes nothing: the
    // failure is returned for the caller to show and the comparison stays open.
    ImageDecodeResult useNewReading(QByteArray &workingImage, ParameterSet &set, ParameterStatus &status,
                                    CommLog *log);
    ImageDecodeResult returnToPrevious(QByteArray &workingImage, ParameterSet &set, ParameterStatus &status,
                                       CommLog *log);
    // Every way out (Cancel, the window's close box, after a decision): the closing log
    // lines, written once.
    void close(CommLog *log);
    bool isClosed() const { return closed_; }

private:
    // The list from the header row, and in the log the header, the rows and the closing rule.
    void listDifferences(bool importantOnly, CommLog *log);
    ImageDecodeResult take(const QByteArray &chosen, QByteArray &other, QByteArray &workingImage,
                           ParameterSet &set, ParameterStatus &status);

    QByteArray &previous_;
    QByteArray &new_;
    CommunicatorModel model_;
    const LanguageTable &texts_;
    QStringList labels_;
    QStringList list_;
    bool closed_ = false;
};
