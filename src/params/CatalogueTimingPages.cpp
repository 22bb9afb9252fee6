// Catalogue rows of the pages "Time parameters", "Dial parameters",
// "HandsFree settings" and "Telephone numbers".

#include "params/CatalogueRow.h"

namespace cat {

namespace {

using P = ParameterPage;
using K = ValueKind;

// "0.5", then whole seconds 1 .. last.
QStringList halfThenWhole(int last)
{
    return QStringList{"0.5"} + numbers(1, last);
}

void addTime(std::vector<ParameterDef> &rows)
{
    const char *operation = "Operation time";
    const TextKey operationKey = key("Page7", 1);
    rows.push_back(Row("maxCallDuration", K::Choice, P::Time, allModels())
                       .code("51")
                       .caption("Maximum call duration", key("Page7", 2))
                       .group(operation, operationKey)
                       .values(halfThenWhole(9) + QStringList{"15", "--"})
                       .unit("min")
                       .defaultEntry("4")
                       .fallbackEntry("2")
                       .finish());
    // TKV-C3 times a button press up to 30 seconds, the others up to 39.
    rows.push_back(Row("pushbutton1Time", K::Choice, P::Time, allModels())
                       .code("52")
                       .caption("Time of press Pushbutton 1", key("Page7", 3))
                       .group(operation, operationKey)
                       .values(halfThenWhole(39))
                       .values(C3, halfThenWhole(30))
                       .unit("sec")
                       .defaultEntry("2", "3", "3")
                       .fallbackEntry("1")
                       .finish());
    rows.push_back(Row("pushbutton2Time", K::Choice, P::Time, allModels())
                       .code("53")
                       .caption("Time of press Pushbutton 2", key("Page7", 4))
                       .group(operation, operationKey)
                       .values(halfThenWhole(39))
                       .values(C3, halfThenWhole(30))
                       .unit("sec")
                       .defaultEntry("3")
                       .fallbackEntry("1")
                       .finish());

    struct RangeRow {
        const char *id;
        const char *code;
        const char *caption;
        int key;
        int from, to;
        const char *unit;
        const char *defaultC, *defaultNew, *fallback;
    };
    const RangeRow ranges[] = {
        {"dialDelay", "55", "Time before dialing number", 5, 1, 5, "sec", "1", "1", "1"},
        {"redialHangUpTime", "54", "Hanging up time during redial", 6, 1, 5, "sec", "1", "1", "1"},
        {"ringsBeforeHangUp", "58", "Number of rings befor hangup or redial (outgoing call)", 7, 4, 99, "", "7", "5",
         "12"},
        {"noRingToneTime", "56", "Time without ringing tone - detection pick up", 8, 1, 10, "sec", "5", "5", "5"},
        {"confirmWaitTime", "57", "Time waiting on confirmation after pick up", 9, 10, 99, "sec", "25", "25", "25"},
        {"serviceCallInterval", "59", "Number between service dialing", 10, 1, 59, "day", "3", "3", "3"},
    };
    for (const RangeRow &r : ranges)
        rows.push_back(Row(r.id, K::Choice, P::Time, allModels())
                           .code(r.code)
                           .caption(r.caption, key("Page7", r.key))
                           .group(operation, operationKey)
                           .values(numbers(r.from, r.to))
                           .unit(r.unit)
                           .defaultEntry(r.defaultC, r.defaultNew, r.defaultNew)
                           .fallbackEntry(r.fallback)
                           .finish());

    rows.push_back(Row("filterDialDelay", K::Choice, P::Time, allModels())
                       .code("02", "02", "5#")
                       .caption("Time before dial with control of Filtering", key("Page7", 11))
                       .group(operation, operationKey)
                       .values(numbers(0, 99))
                       .unit("sec")
                       .defaultEntry("0")
                       .fallbackEntry("0")
                       .finish());
    // TKV-C3 counts seconds 3 .. 30; the other models 30 .. 96 in steps of two.
    rows.push_back(Row("bypassFilterTime", K::Choice, P::Time, models({C2, C3}))
                       .code("", "097", "5*")
                       .caption("Time of permanent press Pushbutton 1 for dial without Filter (New norm 2017)",
                                key("Page7", 12))
                       .group(operation, operationKey)
                       .values(numbers(30, 96, 2))
                       .values(C3, numbers(3, 30))
                       .unit("sec")
                       .defaultEntry("30")
                       .fallbackFirst()
                       .finish());
}

void addDial(std::vector<ParameterDef> &rows)
{
    struct DialRow {
        const char *id;
        const char *code;
        const char *caption;
        int key;
        QStringList values;
        const char *unit;
        ModelSet models;
        const char *defaultC, *defaultNew, *fallback;
    };
    const QStringList levels = numbers(-16, -4);
    const DialRow dialRows[] = {
        {"dtmfToneDuration", "503", "Duration of the DTMF tone", 2, numbers(40, 160, 10), "ms", allModels(), "100",
         "100", "100"},
        {"dtmfSpaceDuration", "504", "Duration of the DTMF space", 3, numbers(40, 160, 10), "ms", allModels(), "100",
         "100", "100"},
        {"flashDuration", "505", "Duration of the Flash", 4, numbers(100, 600, 100), "ms", models({C, C2}), "100",
         "100", "100"},
        {"pauseDuration", "506", "Duration of the Pause / intergit space of pulse dial", 5, numbers(500, 1400, 100),
         "ms", allModels(), "800", "800", "800"},
        {"dtmfLevel", "507", "Level of DTMF tone", 6, levels, "dBm", models({C, C2}), "-10", "-10", "-10"},
        {"preemphasis", "508", "Preemphase - high/low ratio", 7, {"2.2", "3.2"}, "dB", models({C, C2}), "2.2", "2.2",
         "2.2"},
        {"confidenceLevel", "509", "Confidence tone level", 8, {"-15", "-9", "-3", "+3"}, "dB", models({C, C2}), "-9",
         "-9", "-9"},
    };
    for (const DialRow &r : dialRows)
        rows.push_back(Row(r.id, K::Choice, P::Dial, r.models)
                           .code(r.code)
                           .caption(r.caption, key("Page8", r.key))
                           .group("Dial parameters", key("Page8", 1))
                           .values(r.values)
                           .unit(r.unit)
                           .defaultEntry(r.defaultC, r.defaultNew, r.defaultNew)
                           .fallbackEntry(r.fallback)
                           .finish());

    rows.push_back(Row("busyToneFrequency", K::Choice, P::Dial, allModels())
                       .code("500")
                       .caption("Frequency of tone", key("Page8", 10))
                       .group("Tone detector", key("Page8", 9))
                       .values({"275-375", "325-425", "375-475", "425-525", "475-575", "525-625", "575-675",
                                "625-725", "675-775", "725-825", "Don't care"})
                       .unit("Hz")
                       .defaultEntry("375-475")
                       .fallbackEntry("375-475")
                       .finish());
    rows.push_back(Row("busyToneCount", K::Choice, P::Dial, allModels())
                       .code("501")
                       .caption("Number of busy tones", key("Page8", 11))
                       .group("Tone detector", key("Page8", 9))
                       .values(numbers(2, 10))
                       .defaultEntry("7", "5", "5")
                       .fallbackEntry("4")
                       .finish());
    rows.push_back(Row("permanentToneDuration", K::Choice, P::Dial, allModels())
                       .code("502")
                       .caption("Permanent tone duration", key("Page8", 12))
                       .group("Tone detector", key("Page8", 9))
                       .values(numbers(1, 5))
                       .unit("sec")
                       .defaultEntry("3")
                       .fallbackEntry("3")
                       .finish());
}

void addHandsFree(std::vector<ParameterDef> &rows)
{
    const char *level = "Audio level settings";
    const TextKey levelKey = key("Page9", 1);
    // On TKV-C3 only the two volumes show, and only with digital potentiometers.
    rows.push_back(Row("micSpeakerThreshold", K::Choice, P::HandsFree, models({C, C2}))
                       .code("73", "73", "")
                       .caption("Level ratio MIC / SPK (threshold)", key("Page9", 2))
                       .group(level, levelKey)
                       .values(numbers(1, 16))
                       .defaultEntry("5", "7", "7")
                       .fallbackEntry("8")
                       .finish());
    rows.push_back(Row("micVolume", K::Choice, P::HandsFree, allModels())
                       .code("72")
                       .caption("TransmitlLevel (microphone volume)", key("Page9", 3))
                       .group(level, levelKey)
                       .features(C3Feature::DigitalPotentiometers)
                       .values(numbers(1, 16))
                       .defaultEntry("5", "5", "7")
                       .fallbackEntry("8")
                       .finish());
    rows.push_back(Row("speakerVolume", K::Choice, P::HandsFree, allModels())
                       .code("71")
                       .caption("Receive volume (speaker volume)", key("Page9", 4))
                       .group(level, levelKey)
                       .features(C3Feature::DigitalPotentiometers)
                       .values(numbers(1, 16))
                       .defaultEntry("12")
                       .fallbackEntry("8")
                       .finish());
    rows.push_back(Row("signallingToneLevel", K::Choice, P::HandsFree, models({C, C2}))
                       .code("70", "70", "")
                       .caption("Level of signalling tone", key("Page9", 5))
                       .group(level, levelKey)
                       .values(numbers(-16, -4))
                       .unit("dBm")
                       .defaultEntry("-4", "-12", "-12")
                       .fallbackEntry("-10")
                       .finish());

    const char *circuit = "Audio handsfree circuit settings";
    const TextKey circuitKey = key("Page9", 6);
    auto circuitFlag = [&](const char *id, const char *code, const char *caption, int captionKey, bool on) {
        rows.push_back(Row(id, K::Flag, P::HandsFree, models({C, C2}))
                           .code(code, code, "")
                           .caption(caption, key("Page9", captionKey))
                           .group(circuit, circuitKey)
                           .defaultFlag(on)
                           .finish());
    };
    auto circuitChoice = [&](const char *id, const char *code, const char *caption, int captionKey,
                             const QStringList &values, const char *unit, const char *defaultEntry,
                             const char *fallback) {
        rows.push_back(Row(id, K::Choice, P::HandsFree, models({C, C2}))
                           .code(code, code, "")
                           .caption(caption, key("Page9", captionKey))
                           .group(circuit, circuitKey)
                           .values(values)
                           .unit(unit)
                           .defaultEntry(defaultEntry)
                           .fallbackEntry(fallback)
                           .finish());
    };
    circuitFlag("softClipping", "74", "Soft clipping at transmit and receive", 7, false);
    circuitFlag("noiseMonitoring", "75", "Handsfree background noise monitoring", 8, true);
    circuitChoice("noiseOffset", "76", "Background noise monitoring ofset", 9, {"120", "180", "240", "300"}, "mV",
                  "120", "240");
    circuitChoice("voiceSwitchSpeed", "77", "Handsfree voice switching speed", 10, {"1", "2", "4", "8"}, "ms", "2",
                  "2");
    circuitChoice("dcMask", "78", "DC-mask (DC characteristic of telephone line)", 11, {"3.5", "4.5"}, "V", "4.5",
                  "4.5");
    circuitChoice("lineLossCompensation", "79", "Line loss compenzation", 12, {"off", "20-50", "45-75"}, "mA", "off",
                  "off");
    circuitFlag("longHfInit", "7*", "Long time for HF initialization (short=50ms, long=500ms)", 13, true);
}

void addPhoneNumbers(std::vector<ParameterDef> &rows)
{
    const char *hint = "Telephone number (P-pause, F or R-flash, K-hash, H-star)";
    const TextKey numberKey = key("Page10", 2);
    for (int n = 1; n <= 6; ++n) {
        const QByteArray id = "emergencyNumber" + QByteArray::number(n);
        const QByteArray code = "1" + QByteArray::number(n);
        rows.push_back(Row(id.constData(), K::PhoneNumber, P::PhoneNumbers, allModels())
                           .code(code.constData())
                           .caption("Telephone number", numberKey)
                           .group("Emergency call", key("Page10", 1))
                           .hint(hint, key("Hint", 5))
                           .finish());
    }
    rows.push_back(Row("serviceNumber", K::PhoneNumber, P::PhoneNumbers, allModels())
                       .code("21")
                       .caption("Telephone number", numberKey)
                       .group("Service call", key("Page10", 4))
                       .hint(hint, key("Hint", 5))
                       .finish());
    rows.push_back(Row("technicalNumber", K::PhoneNumber, P::PhoneNumbers, allModels())
                       .code("22")
                       .caption("Telephone number", numberKey)
                       .group("Technical call", key("Page10", 5))
                       .hint(hint, key("Hint", 5))
                       .finish());
    // TKV-C2 shows it again on the page "Failure".
    Row failureNumber("counterOrFailureNumber", K::PhoneNumber, P::PhoneNumbers, allModels());
    failureNumber.code("23")
        .caption(C, "Telephone number", numberKey)
        .group(C, "Call from counter INP3", key("Page10", 6))
        .alsoOn(P::Failure, models({C2}))
        .hint(hint, key("Hint", 5));
    for (auto model : {C2, C3})
        failureNumber.caption(model, "Telephone number", key("Page15", 14))
            .group(model, "Failure Call", key("Page15", 13));
    rows.push_back(failureNumber.finish());
}

} // namespace

void addTimingPages(std::vector<ParameterDef> &rows)
{
    addTime(rows);
    addDial(rows);
    addHandsFree(rows);
    addPhoneNumbers(rows);
}

} // namespace cat
