// Writes the tone sample files of both signalling styles into a folder:
//   ostrakel-tone-gen data
// Each tone exists as NAME.WAV (melody style) and Morse_NAME.WAV (Morse style).
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

// File format: PCM, mono, 8 bits unsigned (silence = 128), 8000 samples per second.
constexpr int kSampleRate = 8000;
constexpr int kSamplesPerMs = kSampleRate / 1000;
constexpr double kAmplitude = 60.0;  // of 127: moderate, leaves headroom
constexpr int kFadeMs = 5;           // raised-cosine fade in and out of every note

// Morse timing: a dot is one unit, a dash three; elements of a letter are one unit
// apart, letters three units. All on one carrier.
constexpr int kMorseUnitMs = 80;
constexpr int kMorseCarrierHz = 1000;

// One note of a melody; frequency 0 is a pause.
struct Note {
    int hz;
    int ms;
};

struct Tone {
    const char *file;             // without the "Morse_" prefix
    std::vector<Note> melody;     // melody style
    const char *morseText;        // what the Morse pattern spells (documentation only)
    const char *morse;            // Morse style: '.' dot, '-' dash, ' ' letter gap
};

// Every tone is at most 2 s long in either style.
const std::vector<Tone> &tones()
{
    static const std::vector<Tone> table = {
        // Line picked up: rising two-note.
        {"Pickup1", {{600, 150}, {0, 30}, {900, 150}}, "P", ".--."},
        // Line picked up, second kind: rising three-note; "K" invites to talk.
        {"Pickup2", {{700, 120}, {0, 40}, {1050, 120}, {0, 40}, {1400, 200}}, "K", "-.-"},
        // Line hung up: falling two-note.
        {"Hangup1", {{900, 150}, {0, 30}, {600, 150}}, "H", "...."},
        // Line hung up, second kind: falling three-note; "SK" ends a contact.
        {"Hangup2", {{1400, 120}, {0, 40}, {1050, 120}, {0, 40}, {700, 200}}, "SK", "... -.-"},
        // Confirmation: three short high beeps.
        {"Confirm", {{1600, 80}, {0, 60}, {1600, 80}, {0, 60}, {1600, 80}}, "OK", "--- -.-"},
        // Error: one low long buzz; eight dots are the Morse error sign.
        {"Error", {{200, 700}}, "error", "........"},
        // Tick into the conversation: one short click-like beep.
        {"Tick", {{1500, 30}}, "E", "."},
        // Entering programming mode: rising arpeggio C5 E5 G5 C6.
        {"Entertoprogram",
         {{523, 100}, {0, 20}, {659, 100}, {0, 20}, {784, 100}, {0, 20}, {1047, 200}},
         "PR", ".--. .-."},
        // Relay closed: two short clicks.
        {"Lock", {{1000, 60}, {0, 60}, {1000, 60}}, "L", ".-.."},
        // Programming: a two-tone trill.
        {"Programing",
         {{1000, 100}, {1300, 100}, {1000, 100}, {1300, 100}, {1000, 100}, {1300, 100}},
         "W", ".--"},
        // Start after reset: rising fanfare C5 G5 C6.
        {"Start", {{523, 150}, {0, 30}, {784, 150}, {0, 30}, {1047, 300}}, "ST", "... -"},
        // Empty memory: two low long beeps.
        {"Emptymemory", {{400, 300}, {0, 150}, {400, 300}}, "EM", ". --"},
        // End of conversation: falling four-note C6 G5 E5 C5; "AR" ends a message.
        {"Allert",
         {{1047, 150}, {0, 30}, {784, 150}, {0, 30}, {659, 150}, {0, 30}, {523, 300}},
         "AR", ".- .-."},
    };
    return table;
}

// Notes for a Morse pattern: marks on the carrier separated by the gaps.
std::vector<Note> morseNotes(const char *pattern)
{
    std::vector<Note> notes;
    bool afterMark = false;
    for (const char *p = pattern; *p; ++p) {
        if (*p == ' ') {
            notes.push_back({0, 3 * kMorseUnitMs});
            afterMark = false;
            continue;
        }
        if (afterMark)
            notes.push_back({0, kMorseUnitMs});
        notes.push_back({kMorseCarrierHz, (*p == '-' ? 3 : 1) * kMorseUnitMs});
        afterMark = true;
    }
    return notes;
}

QByteArray samples(const std::vector<Note> &notes)
{
    QByteArray out;
    for (const Note &note : notes) {
        const int count = note.ms * kSamplesPerMs;
        if (note.hz == 0) {
            out.append(count, char(128));
            continue;
        }
        // The fade is at most a quarter of the note, so short notes still sound.
        const int fade = std::min(kFadeMs * kSamplesPerMs, count / 4);
        for (int n = 0; n < count; ++n) {
            double envelope = 1.0;
            const int edge = std::min(n, count - 1 - n);
            if (edge < fade)
                envelope = 0.5 - 0.5 * std::cos(std::numbers::pi * edge / fade);
            const double phase = 2.0 * std::numbers::pi * note.hz * n / kSampleRate;
            const long value = 128 + std::lround(kAmplitude * envelope * std::sin(phase));
            out.append(char(std::clamp(value, 0L, 255L)));
        }
    }
    return out;
}

void appendLe(QByteArray &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// Canonical 44-byte header (RIFF, 16-byte fmt chunk, data chunk) followed by the samples.
QByteArray wavFile(const QByteArray &data)
{
    QByteArray out;
    const auto size = std::uint32_t(data.size());
    out.append("RIFF");
    appendLe(out, 36 + size, 4);
    out.append("WAVEfmt ");
    appendLe(out, 16, 4);           // fmt chunk size
    appendLe(out, 1, 2);            // PCM
    appendLe(out, 1, 2);            // mono
    appendLe(out, kSampleRate, 4);  // samples per second
    appendLe(out, kSampleRate, 4);  // bytes per second
    appendLe(out, 1, 2);            // block align
    appendLe(out, 8, 2);            // bits per sample
    out.append("data");
    appendLe(out, size, 4);
    out.append(data);
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || args.at(1).startsWith(u'-')) {
        std::fprintf(stderr, "Usage: ostrakel-tone-gen DIR\n");
        return 2;
    }
    const QDir dir(args.at(1));
    QDir().mkpath(dir.path());
    for (const Tone &tone : tones()) {
        const QString name = QString::fromLatin1(tone.file) + QStringLiteral(".WAV");
        if (!writeFile(dir.filePath(name), wavFile(samples(tone.melody))))
            return 1;
        if (!writeFile(dir.filePath(QStringLiteral("Morse_") + name),
                       wavFile(samples(morseNotes(tone.morse)))))
            return 1;
    }
    return 0;
}
