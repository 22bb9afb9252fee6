// Catalogue rows of the pages "Basic parameters" to "Repeat of call".

#include "params/CatalogueRow.h"

namespace cat {

namespace {

using P = ParameterPage;
using K = ValueKind;

void addBasic(std::vector<ParameterDef> &rows)
{
    rows.push_back(Row("dialMode", K::Choice, P::Basic, models({C, C2}))
                       .code("41", "41", "")
                       .caption("Dial", key("Page1", 1))
                       .group("Dial", key("Page1", 1))
                       .options({"Tone (DTMF)", "Pulse"}, {key("Page1", 2), key("Page1", 3)})
                       .defaultEntry("Tone (DTMF)")
                       .finish());
    rows.push_back(Row("hangUpCode", K::Code, P::Basic, allModels())
                       .code("43")
                       .caption("Hang up by code from telephone", key("Page1", 5))
                       .group("Hang up from phone", key("Page1", 4))
                       .defaultText("44")
                       .finish());
    rows.push_back(Row("prolongKey", K::Choice, P::Basic, allModels())
                       .code("42")
                       .caption("Prolong conversation", key("Page1", 7))
                       .group("Prolong conversation", key("Page1", 7))
                       .options({"*    - star", "#    - hash"}, {key("Page1", 8), key("Page1", 9)})
                       .defaultEntry("*    - star")
                       .finish());
    rows.push_back(Row("servicePassword", K::Digits, P::Basic, allModels())
                       .code("44")
                       .caption("Password for access to programming from a phone", key("Page1", 14))
                       .group("Password", key("Page1", 13))
                       .defaultText("6183")
                       .finish());
    // TKV-C2 shows the same value again as the first option of the page "Failure".
    rows.push_back(Row("newNormMode", K::Flag, P::Basic, models({C2, C3}))
                       .code("", "0951", "011")
                       .caption(C2, "If call failure and alarm status, so LED flashes according to the new standard",
                                key("Page15", 6))
                       .group(C2, "New norm features", key("Page15", 15))
                       .caption(C3, "EN8128 mode", key("Page15", 19))
                       .group(C3, "Device", key("Page15", 18))
                       .alsoOn(P::Failure, models({C2}))
                       .defaultFlag(true)
                       .finish());
}

void addParallelMode(std::vector<ParameterDef> &rows)
{
    const char *parallel = "Paralel mode";
    const TextKey parallelKey = key("Page2", 1);
    rows.push_back(Row("parallelMode", K::Flag, P::ParallelMode, allModels())
                       .code("45")
                       .caption("Activate parallel mode", key("Page2", 13))
                       .group(parallel, parallelKey)
                       .defaultFlag(false)
                       .finish());
    rows.push_back(Row("parallelNumber", K::Choice, P::ParallelMode, allModels())
                       .code("46")
                       .caption("Number of communicator or number of rings", key("Page2", 14))
                       .group(parallel, parallelKey)
                       .values(numbers(1, 5))
                       .defaultEntry("3")
                       .fallbackEntry("1")
                       .finish());
    rows.push_back(Row("parallelAnswerWait", K::Choice, P::ParallelMode, allModels())
                       .code("4*")
                       .caption("Konstant time detection (waiting time t) for DTMF answer select communicator (No 1-5)",
                                key("Page2", 15))
                       .group(parallel, parallelKey)
                       .values(tenths(10, 49))
                       .unit("sec")
                       .defaultEntry("2.5", "3.5", "3.5")
                       .fallbackEntry("3.5")
                       .finish());
}

void addConfirmCodes(std::vector<ParameterDef> &rows)
{
    const char *codes = "Confirm codes";
    const TextKey codesKey = key("Page3", 1);
    rows.push_back(Row("confirmSerialCode", K::Digits, P::ConfirmCodes, allModels())
                       .code("47")
                       .caption("Confirmation ID - return serial number", key("Page3", 2))
                       .group(codes, codesKey)
                       .defaultText("66")
                       .finish());
    rows.push_back(Row("confirmCode48", K::Digits, P::ConfirmCodes, allModels())
                       .code("48")
                       .caption(C, "Confirmation ID - return counter of INP3 (Option)", key("Page3", 3))
                       .caption(C2, "Confirmation ID - disable internal status \"Alarm\"", key("Page3", 13))
                       .caption(C3, "Confirmation ID - disable internal status \"Alarm\"", key("Page3", 13))
                       .group(codes, codesKey)
                       .defaultText("67")
                       .finish());
    rows.push_back(Row("confirmCallbackCode", K::Digits, P::ConfirmCodes, allModels())
                       .code("49")
                       .caption("Confirmation ID - start call back as Emergency call", key("Page3", 4))
                       .group(codes, codesKey)
                       .defaultText("68")
                       .finish());
    rows.push_back(Row("confirmLastNumbersCode", K::Digits, P::ConfirmCodes, allModels())
                       .code("40")
                       .caption("Confirmation ID - return last two dialled telephone numbers (separated by \"D\" - DTMF)",
                                key("Page3", 5))
                       .group(codes, codesKey)
                       .defaultText("69")
                       .finish());
    rows.push_back(Row("confirmServiceCallbackCode", K::Digits, P::ConfirmCodes, allModels())
                       .code("07")
                       .caption("Confirmation ID - start call back Service call", key("Page3", 9))
                       .group(codes, codesKey)
                       .defaultText("65")
                       .finish());
    rows.push_back(Row("confirmFirmwareCode", K::Digits, P::ConfirmCodes, models({C3}))
                       .code("", "", "05")
                       .caption("Confirmation ID - return firmware version", key("Page3", 14))
                       .group(codes, codesKey)
                       .defaultText("64")
                       .finish());
    rows.push_back(Row("confirmPrefix", K::Choice, P::ConfirmCodes, allModels())
                       .code("4#")
                       .caption("First character of Confirmation code", key("Page3", 7))
                       .group("First character of confirm code", key("Page3", 6))
                       .hint("Attention to conflict with other codes to use, it is recommended to use the * or #", key("Page3", 10))
                       .values({"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "*", "#"})
                       .defaultEntry("*")
                       .finish());
    rows.push_back(Row("linePolarityConfirmation", K::Flag, P::ConfirmCodes, models({C3}))
                       .code("", "", "41")
                       .caption("Confirmation by line polarity change", key("Page3", 12))
                       .group("Automated confirmation", key("Page3", 8))
                       .hint("This feautre must be supported by the FXS device (PBX, gateway...)", key("Page3", 11))
                       .features(C3Feature::LinePolarityCheck)
                       .defaultFlag(false)
                       .finish());
}

void addSystem(std::vector<ParameterDef> &rows)
{
    struct Group {
        const char *caption;
        int key;
    };
    const Group acoustic{"Acoustic signalization", 1};
    const Group system{"System settings", 5};
    const Group autoTest{"Automatic test", 9};

    rows.push_back(Row("lineSignalization", K::Choice, P::System, allModels())
                       .code("62")
                       .caption("Pickup and hangup line signalization", key("Page4", 2))
                       .group(acoustic.caption, key("Page4", acoustic.key))
                       .values({"Off", "Type 1", "Type 2"})
                       .defaultEntry("Type 1")
                       .fallbackEntry("Type 1")
                       .finish());
    struct FlagRow {
        const char *id;
        const char *code;
        const char *caption;
        int key;
        ModelSet models;
        bool on;
        Group group;
    };
    auto addFlags = [&](std::initializer_list<FlagRow> flags) {
        for (const FlagRow &flag : flags) {
            // A code is given only for the models that have the row: "05" means another
            // parameter on TKV-C3.
            const char *c3Code = flag.models.contains(C3) ? flag.code : "";
            rows.push_back(Row(flag.id, K::Flag, P::System, flag.models)
                               .code(flag.code, flag.code, c3Code)
                               .caption(flag.caption, key("Page4", flag.key))
                               .group(flag.group.caption, key("Page4", flag.group.key))
                               .defaultFlag(flag.on)
                               .finish());
        }
    };
    addFlags({
        {"conversationTick", "63", "Tick to the conversation", 3, allModels(), false, acoustic},
        {"otherTonesSignalization", "61", "Other tones signalization", 4, allModels(), true, acoustic},
        {"micDtmfSuppression", "64", "Suppression receive DTMF from microphone", 6, models({C, C2}), false, system},
        {"babyCall", "65", "Baby call function", 7, allModels(), false, system},
        {"pbxStartDelay", "6*", "Start delay for any PBX (Siemens)", 8, allModels(), false, system},
        {"muteServiceCalls", "64", "Mute during service, technical and counter call", 12, allModels(), false, system},
        {"muteUntilConfirmation", "64", "Mute microphone to the call confirmation", 13, allModels(), false, system},
    });
    // The three options are the row's captions; the microphone settings above belong
    // with it, so the automatic tests close the page.
    rows.push_back(Row("micOpenDelay", K::Choice, P::System, allModels())
                       .code("64")
                       .group(system.caption, key("Page4", system.key))
                       .options({"Without delay open microphone after confirmation",
                                 "3sec delay open microphone after confirmation",
                                 "6sec delay open microphone after confirmation"},
                                {key("Page4", 14), key("Page4", 15), key("Page4", 16)})
                       .defaultEntry("Without delay open microphone after confirmation")
                       .finish());
    addFlags({
        {"autoTestAcousticPath", "05", "Automatic test of acoustic path", 10, models({C, C2}), false, autoTest},
        {"autoTestStuckButton", "06", "Automatic test of permanent activate button", 11, models({C, C2}), false,
         autoTest},
    });
}

void addLift(std::vector<ParameterDef> &rows)
{
    rows.push_back(Row("blockingPolarity", K::Choice, P::Lift, allModels())
                       .code("34")
                       .caption("Polarity of blocking", key("Page5", 1))
                       .group("Polarity of blocking", key("Page5", 1))
                       .options({"Blocking of dialing from Pushbutton 1 is done by shorting the terminals",
                                 "Blocking of dialing from Pushbutton 1 is done by opening the terminals",
                                 "Blocking of dialing from Pushbutton 1 is done by shorting the terminals + send info",
                                 "Blocking of dialing from Pushbutton 1 is done by opening the terminals + send info",
                                 "Input Block is for send information of presence the engineer in Lift cabin"},
                                {key("Page5", 2), key("Page5", 3), key("Page5", 16), key("Page5", 17),
                                 key("Page5", 18)})
                       .defaultEntry("Blocking of dialing from Pushbutton 1 is done by shorting the terminals")
                       .finish());
    const QStringList buttonPolarity{"Emergency call is done by shorting button terminals",
                                     "Emergency call is done by opening button terminals"};
    rows.push_back(Row("pushbutton2Polarity", K::Choice, P::Lift, allModels())
                       .code("33")
                       .caption("Polarity of Pushbutton 2 (in the car)", key("Page5", 4))
                       .group("Polarity of Pushbutton 2 (in the car)", key("Page5", 4))
                       .options(buttonPolarity, {key("Page5", 5), key("Page5", 6)})
                       .defaultEntry("Emergency call is done by shorting button terminals")
                       .finish());
    rows.push_back(Row("pushbutton1Polarity", K::Choice, P::Lift, allModels())
                       .code("39")
                       .caption("Polarity of Pushbutton 1 (up/under the car", key("Page5", 13))
                       .group("Polarity of Pushbutton 1 (up/under the car", key("Page5", 13))
                       .options(buttonPolarity, {key("Page5", 14), key("Page5", 15)})
                       .defaultEntry("Emergency call is done by shorting button terminals")
                       .finish());
    rows.push_back(Row("serviceCallMode", K::Choice, P::Lift, allModels())
                       .code("31")
                       .caption("Service call setting", key("Page5", 7))
                       .group("Service call setting", key("Page5", 7))
                       .options({"Off - never call", "On - call after setting timeout",
                                 "On - call after setting timeout and after first line conection"},
                                {key("Page5", 8), key("Page5", 9), key("Page5", 10)})
                       .defaultEntry("Off - never call")
                       .finish());
    rows.push_back(Row("serviceCallRepeat", K::Choice, P::Lift, allModels())
                       .code("32")
                       .caption("Non authorized service call is repeat after [min]", key("Page5", 12))
                       .group("Time delay for service call", key("Page5", 11))
                       .values(numbers(0, 9))
                       .defaultEntry("4")
                       .fallbackEntry("4")
                       .finish());
    rows.push_back(Row("shaftButtonAlarm", K::Flag, P::Lift, models({C2, C3}))
                       .code("", "30", "30")
                       .caption("Disable Alarm calls on Shaft Button", key("Page5", 20))
                       .group("Alarm handling", key("Page5", 19))
                       .defaultFlag(true)
                       .finish());
    // TKV-C2 shows it but does not store it.
    rows.push_back(Row("alarmEndsWithCall", K::Flag, P::Lift, models({C2, C3}))
                       .code("", "012", "012")
                       .caption("Alarm status ends when call ends", key("Page5", 21))
                       .group("Alarm handling", key("Page5", 19))
                       .defaultFlag(false)
                       .finish());
}

void addRepeatOfCall(std::vector<ParameterDef> &rows)
{
    rows.push_back(Row("emergencyRepeats", K::Choice, P::RepeatOfCall, allModels())
                       .code("35")
                       .caption("Number of repetition cycles of emergency calls", key("Page6", 2))
                       .group("Repeating of emergency call", key("Page6", 1))
                       .values(numbers(1, 9))
                       .defaultEntry("2", "2", "1")
                       .fallbackEntry("1")
                       .finish());
    rows.push_back(Row("serviceRepeats", K::Choice, P::RepeatOfCall, allModels())
                       .code("38")
                       .caption("Number of repetition cycles of service calls", key("Page6", 4))
                       .group("Repeating of service call", key("Page6", 3))
                       .values(numbers(0, 99))
                       .defaultEntry("1")
                       .fallbackEntry("0")
                       .finish());
    rows.push_back(Row("technicalRepeats", K::Choice, P::RepeatOfCall, allModels())
                       .code("36")
                       .caption("Number of repetition cycles of technical calls", key("Page6", 6))
                       .group("Repeating of technical call", key("Page6", 5))
                       .values(numbers(1, 9))
                       .defaultEntry("1")
                       .fallbackEntry("1")
                       .finish());
    // TKV-C2 shows it again on the page "Failure".
    Row failureRepeats("counterOrFailureRepeats", K::Choice, P::RepeatOfCall, allModels());
    failureRepeats.code("37")
        .caption(C, "Number of repetition cycles of INP3 calls", key("Page6", 8))
        .group(C, "Repeating of INP3 call", key("Page6", 7))
        .alsoOn(P::Failure, models({C2}))
        .values(numbers(1, 9))
        .defaultEntry("1")
        .fallbackEntry("1");
    for (auto model : {C2, C3})
        failureRepeats.caption(model, "Number of repetition cycles of Failure calls", key("Page15", 12))
            .group(model, "Repeating of Failure call", key("Page15", 11));
    rows.push_back(failureRepeats.finish());
}

} // namespace

void addBasicPages(std::vector<ParameterDef> &rows)
{
    addBasic(rows);
    addParallelMode(rows);
    addConfirmCodes(rows);
    addSystem(rows);
    addLift(rows);
    addRepeatOfCall(rows);
}

} // namespace cat
