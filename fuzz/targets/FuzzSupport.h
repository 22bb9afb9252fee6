#pragma once

// Helpers shared by the fuzz targets and by the test that replays their regression
// inputs under the normal build: the input as bytes or as a file, and a check that
// stops the run when a parser breaks its own promise.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace ostrakel::fuzz {

// What a broken promise does: the fuzzer aborts (a crash it keeps the input of); the
// regression test puts its own handler here to report a test failure instead.
inline void (*failureHandler)(const char *what) = [](const char *what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
};

#define OSTRAKEL_FUZZ_CHECK(condition)                                                   \
    do {                                                                                 \
        if (!(condition))                                                                \
            ::ostrakel::fuzz::failureHandler(#condition " (" __FILE__ ")");              \
    } while (false)

inline QByteArray bytesOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// One scratch folder for the whole run, removed at its end; every input is written
// over the same file in it, so a long run leaves nothing behind.
inline QString scratchPath(const QString &fileName)
{
    static const QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/ostrakel-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a scratch folder in %s\n", qPrintable(QDir::tempPath()));
        std::abort();
    }
    return dir.filePath(fileName);
}

// Writes the input as the scratch file of that name and returns its path.
inline QString inputFile(const QString &fileName, const QByteArray &bytes)
{
    const QString path = scratchPath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

// Takes the input apart front to back: a few leading bytes choose the variant, the
// rest is the data. Past the end it gives zeros and empty texts.
class InputReader {
public:
    explicit InputReader(const QByteArray &bytes) : bytes_(bytes) {}

    quint8 byte() { return at_ < bytes_.size() ? quint8(bytes_[at_++]) : 0; }
    QByteArray take(qsizetype count)
    {
        const QByteArray part = bytes_.mid(at_, count);
        at_ += part.size();
        return part;
    }
    QByteArray rest() { return take(bytes_.size() - at_); }
    bool atEnd() const { return at_ >= bytes_.size(); }

private:
    QByteArray bytes_;
    qsizetype at_ = 0;
};

}  // namespace ostrakel::fuzz
