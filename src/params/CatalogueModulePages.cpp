// Catalogue rows of the I/O module pages of TKV-C and TKV-C2: "Option module",
// "Inputs 1,2,4-8", "Outputs 1,2,4", "Input 3 / Output 3", "Inputs", "Outputs", "Failure".

#include "params/CatalogueRow.h"

namespace cat {

namespace {

using P = ParameterPage;
using K = ValueKind;

const char *const savedInOptionModule = "Saved in Option module";

void addOptionModule(std::vector<ParameterDef> &rows)
{
    const char *module = "Option modul";
    const TextKey moduleKey = key("Page11", 1);
    rows.push_back(Row("talkerConnection", K::Choice, P::OptionModule, models({C}))
                       .code("01", "", "")
                       .caption("Conection Talker for voice message", key("Page11", 2))
                       .group(module, moduleKey)
                       .options({"Talker is not connected", "H1 message", "H2 message)", "H1 + H2 messages",
                                 "H3 message", "H1 + H3 messages", "H2 + H3 messages", "H1 + H2 + H3 messages"},
                                {key("Page11", 21), key("Page11", 22), key("Page11", 23), key("Page11", 24),
                                 key("Page11", 25), key("Page11", 26), key("Page11", 27), key("Page11", 28)})
                       .defaultEntry("Talker is not connected")
                       .finish());
    // Message n is bit n; the labels in front of the captions number the messages.
    rows.push_back(Row("talkerMessages", K::FlagSet, P::OptionModule, models({C2}))
                       .code("", "01", "")
                       .caption("Talker module messages", key("Page11", 41))
                       .group(module, moduleKey)
                       .flags(1,
                              {"Call is confirmed - lift location message",
                               "After dial phone number - pleas wait message", "Call will be terminate message",
                               "End of call message", "Repeat the call message", "Programming mode message",
                               "Start of call message"},
                              {key("Page11", 43), key("Page11", 44), key("Page11", 45), key("Page11", 46),
                               key("Page11", 47), key("Page11", 48), key("Page11", 49)},
                              {"1 - H1+H0 ", "2 - H2 ", "3 - H3 ", "4 - H4 ", "5 - H5 ", "6 - H6 ", "7 - H7 "})
                       .defaultBits(0)
                       .finish());
    rows.push_back(Row("inputStatusQueryCode", K::Code, P::OptionModule, models({C, C2}))
                       .code("08", "08", "")
                       .caption(C, "Code to query the status of the inputs, answer is  in order in a row 1-2-3-4 tone signaled",
                                key("Page11", 15))
                       .caption(C2, "Code to query the status of the inputs, answer is  in order in a row 1-2-3-4 tone signaled",
                                key("Page11", 55))
                       .group(module, moduleKey)
                       .defaultText("70")
                       .finish());
}

void addInputsC(std::vector<ParameterDef> &rows)
{
    const int inputs[] = {1, 2, 4, 5, 6, 7, 8};
    int captionKey = 3;
    for (int input : inputs) {
        const QByteArray n = QByteArray::number(input);
        const QByteArray id = "input" + n + "Filter";
        const QByteArray code = "O 096" + n;
        const QByteArray caption = "Filter Input " + n + " (time delay for change)";
        rows.push_back(Row(id.constData(), K::TimedChoice, P::InputsC, models({C}))
                           .code(code.constData(), "", "")
                           .caption(caption.constData(), key("Page14", captionKey++))
                           .group("Inputs", key("Page14", 1))
                           .hint(savedInOptionModule, key("Hint", 6))
                           .values(numbers(1, 99))
                           .defaultEntry("10")
                           .fallbackEntry("11")
                           .finish());
    }
}

// The three rows of one output: on code, off code and on-time.
struct OutputRows {
    const char *prefix;   // "output" or "c2Output"
    int output;
    ParameterPage page;
    CommunicatorModel model;
    const char *section;
    int groupKey;         // the caption keys follow the group key
    const char *onTimeCode;
    ValueKind onTimeKind;
};

void addOutput(std::vector<ParameterDef> &rows, const OutputRows &o)
{
    const QByteArray n = QByteArray::number(o.output);
    const QByteArray group = "Output " + n;
    const QByteArray id = o.prefix + n;
    const QByteArray onCode = "03" + n;
    const QByteArray offCode = "04" + n;
    const QByteArray onDefault = "5" + n;
    const QByteArray offDefault = "6" + n;
    const ModelSet only = models({o.model});
    auto codeFor = [&](Row &row, const char *code) -> Row & {
        return o.model == C ? row.code(code, "", "") : row.code("", code, "");
    };

    Row on((id + "OnCode").constData(), K::Code, o.page, only);
    codeFor(on, onCode.constData())
        .caption("Code for switch on the output", key(o.section, o.groupKey + 1))
        .group(group.constData(), key(o.section, o.groupKey))
        .defaultText(onDefault.constData());
    rows.push_back(on.finish());

    Row off((id + "OffCode").constData(), K::Code, o.page, only);
    codeFor(off, offCode.constData())
        .caption("Code for switch off the output", key(o.section, o.groupKey + 2))
        .group(group.constData(), key(o.section, o.groupKey))
        .defaultText(offDefault.constData());
    rows.push_back(off.finish());

    Row onTime((id + "OnTime").constData(), o.onTimeKind, o.page, only);
    codeFor(onTime, o.onTimeCode)
        .caption("Time switch on the otput (0=permanent state)", key(o.section, o.groupKey + 3))
        .group(group.constData(), key(o.section, o.groupKey))
        .values(numbers(0, 99))
        .defaultEntry("0")
        .fallbackEntry("0");
    if (o.onTimeKind == K::Choice)
        onTime.unit("sec").hint(savedInOptionModule, key("Hint", 6));
    rows.push_back(onTime.finish());
}

void addOutputsC(std::vector<ParameterDef> &rows)
{
    addOutput(rows, {"output", 1, P::OutputsC, C, "Page12", 5, "O 091", K::Choice});
    addOutput(rows, {"output", 2, P::OutputsC, C, "Page12", 9, "O 092", K::Choice});
    addOutput(rows, {"output", 4, P::OutputsC, C, "Page12", 13, "O 094", K::Choice});
}

void addInput3Output3(std::vector<ParameterDef> &rows)
{
    const ModelSet onlyC = models({C});
    const char *input3 = "Input 3";
    const TextKey input3Key = key("Page13", 1);
    rows.push_back(Row("input3Filter", K::TimedChoice, P::Input3Output3, onlyC)
                       .code("O 0963", "", "")
                       .caption("Filter Input 3 (time delay for change)", key("Page13", 2))
                       .group(input3, input3Key)
                       .hint(savedInOptionModule, key("Hint", 6))
                       .values(numbers(1, 99))
                       .defaultEntry("10")
                       .fallbackEntry("10")
                       .finish());
    rows.push_back(Row("inp3StartCount", K::Choice, P::Input3Output3, onlyC)
                       .code("O 097", "", "")
                       .caption("Number of starts the lift to call - INP3", key("Page13", 3))
                       .group(input3, input3Key)
                       .hint(savedInOptionModule, key("Hint", 6))
                       .values(numbers(10000, 990000, 10000))
                       .defaultEntry("100000")
                       .fallbackEntry("100000")
                       .finish());
    rows.push_back(Row("inp3ResetCode", K::Code, P::Input3Output3, onlyC)
                       .code("098", "", "")
                       .caption("Code for reset the counter of starts", key("Page13", 4))
                       .group(input3, input3Key)
                       .text("0123456789*#", 2)
                       .defaultText("##")
                       .finish());
    rows.push_back(Row("liftIdleInterval", K::Choice, P::Input3Output3, onlyC)
                       .code("O 099", "", "")
                       .caption("The interval between movements lift (idle higher than the set time is possible failure)",
                                key("Page13", 5))
                       .group(input3, input3Key)
                       .hint(savedInOptionModule, key("Hint", 6))
                       .values(numbers(1, 99))
                       .defaultEntry("4")
                       .fallbackEntry("4")
                       .finish());
    rows.push_back(Row("liftStartTime", K::Choice, P::Input3Output3, onlyC)
                       .code("O 090", "", "")
                       .caption("The time when the elevator start move after activation button by output 3",
                                key("Page13", 6))
                       .group(input3, input3Key)
                       .hint(savedInOptionModule, key("Hint", 6))
                       .values(numbers(1, 99))
                       .unit("min")
                       .defaultEntry("4")
                       .fallbackEntry("4")
                       .finish());
    // Output 3: group key 7, then the caption keys 8, 15 and 16.
    rows.push_back(Row("output3OnCode", K::Code, P::Input3Output3, onlyC)
                       .code("033", "", "")
                       .caption("Code for switch on the output", key("Page13", 8))
                       .group("Output 3", key("Page13", 7))
                       .defaultText("53")
                       .finish());
    rows.push_back(Row("output3OffCode", K::Code, P::Input3Output3, onlyC)
                       .code("043", "", "")
                       .caption("Code for switch off the output", key("Page13", 15))
                       .group("Output 3", key("Page13", 7))
                       .defaultText("63")
                       .finish());
    rows.push_back(Row("output3OnTime", K::Choice, P::Input3Output3, onlyC)
                       .code("O 093", "", "")
                       .caption("Time switch on the otput (0=permanent state)", key("Page13", 16))
                       .group("Output 3", key("Page13", 7))
                       .hint(savedInOptionModule, key("Hint", 6))
                       .values(numbers(0, 99))
                       .unit("sec")
                       .defaultEntry("0")
                       .fallbackEntry("0")
                       .finish());
}

void addInputsC2(std::vector<ParameterDef> &rows)
{
    // The language texts name input 1; input 2 keeps its built-in texts.
    const QList<TextKey> functionKeys{key("Page15", 1), key("Page15", 2), key("Page15", 3), key("Page15", 4)};
    for (int input : {1, 2}) {
        const QByteArray n = QByteArray::number(input);
        const QByteArray prefix = "c2Input" + n;
        const QByteArray group = "Input " + n;
        const QByteArray caption = "Filter Input " + n + " (time delay for change)";
        rows.push_back(Row((prefix + "Filter").constData(), K::TimedChoice, P::InputsC2, models({C2}))
                           .code("", input == 1 ? "093" : "094", "")
                           .caption(caption.constData(), key("Page14", 2 + input))
                           .group(group.constData(), key("Page15", input == 1 ? 10 : 17))
                           .values(numbers(2, 48, 2))
                           .defaultEntry("20")
                           .fallbackEntry("22")
                           .finish());
        const QString inputName = QStringLiteral("Input ") + QString::fromLatin1(n);
        rows.push_back(Row((prefix + "Function").constData(), K::Choice, P::InputsC2, models({C2}))
                           .code("", "096", "")
                           .group(group.constData(), key("Page15", input == 1 ? 10 : 17))
                           .options({inputName + " not call", inputName + " call if input is close",
                                     inputName + " call if input is open", inputName + " call if input is changed"},
                                    input == 1 ? functionKeys : QList<TextKey>{})
                           .defaultEntry((inputName + " not call").toLatin1().constData())
                           .finish());
    }
}

void addOutputsC2(std::vector<ParameterDef> &rows)
{
    addOutput(rows, {"c2Output", 1, P::OutputsC2, C2, "Page12", 5, "091", K::TimedChoice});
    addOutput(rows, {"c2Output", 2, P::OutputsC2, C2, "Page12", 9, "092", K::TimedChoice});
}

// The failure options are programmed under 095 followed by the option number;
// option 1 is newNormMode, which the page "Basic parameters" holds.
void addFailure(std::vector<ParameterDef> &rows)
{
    struct FailureRow {
        const char *id;
        const char *code;
        const char *caption;
        int key;
    };
    const FailureRow options[] = {
        {"failureCloseRelay1", "0952", "If failure, so close relay 1 (output 1)", 7},
        {"failureCall12V", "0953", "Calling for 12V power failure (> 1 min)", 8},
        {"failureCallBattery", "0954", "Calling for battery backup failure (> 1 min)", 9},
    };
    for (const FailureRow &o : options)
        rows.push_back(Row(o.id, K::Flag, P::Failure, models({C2}))
                           .code("", o.code, "")
                           .caption(o.caption, key("Page15", o.key))
                           .group("Failures", key("Page15", 5))
                           .defaultFlag(false)
                           .finish());
    rows.push_back(Row("lineDisconnectLed", K::Flag, P::Failure, models({C2}))
                       .code("", "0955", "")
                       .caption("If telephone line is disconnect, so LED flashes", key("Page15", 16))
                       .group("New norm features", key("Page15", 15))
                       .defaultFlag(false)
                       .finish());
}

} // namespace

void addModulePages(std::vector<ParameterDef> &rows)
{
    addOptionModule(rows);
    addInputsC(rows);
    addOutputsC(rows);
    addInput3Output3(rows);
    addInputsC2(rows);
    addOutputsC2(rows);
    addFailure(rows);
}

} // namespace cat
