// Catalogue rows of the TKV-C3 pages "Tests" / "and Power", "Input / Output" and
// "Voice messages".

#include "params/CatalogueRow.h"

namespace cat {

namespace {

using P = ParameterPage;
using K = ValueKind;

Row c3Row(const char *id, ValueKind kind, ParameterPage page, const char *code)
{
    Row row(id, kind, page, models({C3}));
    row.code("", "", code);
    return row;
}

void addTestsAndPower(std::vector<ParameterDef> &rows)
{
    struct Voltage {
        const char *id;
        const char *code;
        const char *caption;
        int key;
        const char *defaultVolts;
    };
    const Voltage voltages[] = {
        {"nominalVoltage", "016", "Nominal voltage", 2, "12.0"},
        {"undervoltageLevel", "017", "Undervoltage level", 3, "10.0"},
        {"failureVoltage", "018", "Failure voltage", 4, "7.0"},
    };
    for (const Voltage &v : voltages)
        rows.push_back(c3Row(v.id, K::TextNumber, P::TestsPower, v.code)
                           .caption(v.caption, key("Power", v.key))
                           .group("External power", key("Power", 1))
                           .features(C3Feature::ExternalPower)
                           .text("0123456789.,", 4)
                           .range(0.0, 25.5, 1)
                           .unit("V")
                           .defaultText(v.defaultVolts)
                           .finish());

    struct Test {
        const char *id;
        const char *code;
        const char *caption;
        int key;
        int features;
        const char *group;
        int groupKey;
    };
    const Test tests[] = {
        {"powerFailureCall", "014", "Power failure call", 5, C3Feature::ExternalPower, "External power", 1},
        {"powerLostCall", "015", "Power lost call", 6, C3Feature::ExternalPower, "External power", 1},
        {"lineFailureIndication", "013", "Line failure indication", 10, C3Feature::ExternalPower, "Failures", 7},
        {"stuckButtonTest", "01*", "Stuck button test", 11, 0, "Tests", 8},
        {"acousticTest", "019", "Acoustic test", 12, 0, "Tests", 8},
    };
    for (const Test &t : tests)
        rows.push_back(c3Row(t.id, K::Flag, P::TestsPower, t.code)
                           .caption(t.caption, key("Power", t.key))
                           .group(t.group, key("Power", t.groupKey))
                           .features(t.features)
                           .defaultFlag(false)
                           .finish());
}

void addInputOutput(std::vector<ParameterDef> &rows)
{
    const TextKey seconds = key("I/O", 6);
    rows.push_back(c3Row("ioOutputOnCode", K::Code, P::InputOutput, "031")
                       .caption("Switch output ON by code", key("I/O", 4))
                       .group("Output", key("I/O", 1))
                       .defaultText("51")
                       .finish());
    rows.push_back(c3Row("ioOutputOffCode", K::Code, P::InputOutput, "041")
                       .caption("Switch output OFF by code", key("I/O", 3))
                       .group("Output", key("I/O", 1))
                       .defaultText("61")
                       .finish());
    rows.push_back(c3Row("ioOutputOnTime", K::TextNumber, P::InputOutput, "")
                       .caption("Output switched ON for", key("I/O", 5))
                       .group("Output", key("I/O", 1))
                       .unit("seconds", seconds)
                       .text("0123456789", 2)
                       .range(0, 99, 0)
                       .defaultText("1")
                       .finish());
    rows.push_back(c3Row("ioInputFilter", K::TextNumber, P::InputOutput, "061")
                       .caption("Filter input changes for", key("I/O", 10))
                       .group("Input", key("I/O", 8))
                       .unit("seconds", seconds)
                       .text("0123456789", 2)
                       .range(0, 99, 0)
                       .defaultText("10")
                       .finish());
    // The device stores the entry index; the on-time applies to the entries 5 and 7.
    rows.push_back(c3Row("ioInputFunction", K::Choice, P::InputOutput, "081")
                       .caption("Function of input", key("I/O", 11))
                       .group("Input", key("I/O", 8))
                       .values({"Disabled", "Call when switched ON", "Call when switched OFF", "Call when changed",
                                "Call once when counter reached", "Output1 ON once when counter reached",
                                "Call repeatedly when counter reached", "Output1 ON repeatedly when counter reached"})
                       .defaultEntry("Disabled")
                       .finish());
    rows.push_back(c3Row("ioCounterValue", K::TextNumber, P::InputOutput, "091")
                       .caption("Counter value", key("I/O", 20))
                       .group("Input", key("I/O", 8))
                       .text("0123456789", 2)
                       .range(0, 99, 0)
                       .defaultText("1")
                       .finish());
    rows.push_back(c3Row("ioCounterResetCode", K::Code, P::InputOutput, "021")
                       .caption("Reset counter by code", key("I/O", 30))
                       .group("Input", key("I/O", 8))
                       .defaultText("71")
                       .finish());
    rows.push_back(c3Row("ioStatusQueryCode", K::Code, P::InputOutput, "080")
                       .caption("Code to query status", key("I/O", 13))
                       .group("I/O Status", key("I/O", 12))
                       .defaultText("70")
                       .finish());
}

void addVoiceMessages(std::vector<ParameterDef> &rows)
{
    // Bit 0 is the "<Lift address>" mark, which follows announcement 0101 (bit 1).
    rows.push_back(c3Row("voiceAnnouncements", K::FlagSet, P::VoiceMessages, "")
                       .caption("Voice Announcements", key("Voice", 1))
                       .group("Voice Announcements", key("Voice", 1))
                       .features(C3Feature::MessageFlash)
                       .flags(0,
                              {"<Lift address>", "\"The location of the elevator is\"",
                               "\"Please wait for connection\"", "\"Call wil be terminated in 15 seconds\"",
                               "\"The call is terminated\"", "\"Connection was not possible\"",
                               "\"Programming mode entered\"", "\"Incomming call accepted\""},
                              {key("Voice", 2), key("Voice", 3), key("Voice", 4), key("Voice", 5), key("Voice", 6),
                               key("Voice", 7), key("Voice", 8), key("Voice", 9)},
                              {"", "0101", "0102", "0103", "0104", "0105", "0106", "0107"},
                              {"Played together with message #1", "Played after connection established",
                               "Played after pick-up to make outgoing call", "Played 15 seconds before hangup",
                               "Played just before hangup", "Played in case of unsuccesfull call before hangup",
                               "Played when entering programming mode", "Played after an incomming call was picked up"},
                              {key("Voice", 19), key("Voice", 12), key("Voice", 13), key("Voice", 14), key("Voice", 15),
                               key("Voice", 16), key("Voice", 17), key("Voice", 18)})
                       .mark(0, 1)
                       .defaultBits(0)
                       .finish());
    rows.push_back(c3Row("voiceReporting", K::Flag, P::VoiceMessages, "01#")
                       .caption("Parameter values are reported by voice", key("Voice", 21))
                       .group("Voice reporting", key("Voice", 20))
                       .features(C3Feature::MessageFlash | C3Feature::VoiceReports)
                       .defaultFlag(false)
                       .finish());
}

} // namespace

void addC3Pages(std::vector<ParameterDef> &rows)
{
    addTestsAndPower(rows);
    addInputOutput(rows);
    addVoiceMessages(rows);
}

} // namespace cat
