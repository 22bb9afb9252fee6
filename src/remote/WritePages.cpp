#include "remote/WritePages.h"

#include "params/Catalogue.h"
#include "params/ParameterSet.h"

#include <functional>
#include <optional>

namespace {

// Collects the commands of one page from the values shown.
class PageBuilder {
public:
    PageBuilder(WritePageId id, const ParameterSet &set, CommunicatorModel model) : set_(set), model_(model)
    {
        page_.id = id;
    }

    WritePage finish() { return page_; }

    void command(const char *code, const QByteArray &value)
    {
        page_.commands.append("ATDE" + QByteArray(code) + value + "\r\n");
    }
    void leaveOut(const char *code, const char *id, WriteOmission::Reason reason)
    {
        page_.omitted.append({QString::fromLatin1(code), QString::fromLatin1(id), reason});
    }

    ParameterValue value(const char *id) const { return set_.value(QString::fromLatin1(id)); }
    QByteArray flag(const char *id) const { return value(id).flag ? "1" : "0"; }
    QByteArray text(const char *id) const { return value(id).text.toLatin1(); }

    // The selected entry's position; none (and the command left out) when nothing is
    // selected.
    std::optional<int> index(const char *code, const char *id)
    {
        const int i = value(id).index;
        const ParameterDef *row = findById(QString::fromLatin1(id));
        if (i >= 0 && row && i < valuesOf(*row, model_).size())
            return i;
        leaveOut(code, id, WriteOmission::Reason::NoSelection);
        return std::nullopt;
    }
    QByteArray entryText(const char *id) const
    {
        const ParameterDef *row = findById(QString::fromLatin1(id));
        return valuesOf(*row, model_).value(value(id).index).trimmed().toLatin1();
    }

    // A choice sent as fn(i).
    void choice(const char *code, const char *id, const std::function<QByteArray(int)> &fn)
    {
        if (const std::optional<int> i = index(code, id))
            command(code, fn(*i));
    }
    // A choice sent as its selected entry's text, trimmed.
    void entry(const char *code, const char *id)
    {
        if (index(code, id))
            command(code, entryText(id));
    }

private:
    const ParameterSet &set_;
    CommunicatorModel model_;
    WritePage page_;
};

QByteArray number(int x)
{
    return QByteArray::number(x);
}

// x in decimal, cut to its last two digits ("05", "23").
QByteArray twoDigits(int x)
{
    return ("00" + number(x)).right(2);
}

// A two-character code as the option page sends it: a one-character code gets a
// leading "*".
QByteArray codeValue(const QByteArray &code)
{
    return ("*" + code).right(2);
}

auto plus(int k)
{
    return [k](int i) { return number(i + k); };
}

auto twoDigitsPlus(int k)
{
    return [k](int i) { return twoDigits(i + k); };
}

auto twoDigitsFrom(int k)
{
    return [k](int i) { return twoDigits(k - i); };
}

// i + 1, with "0" for the tenth entry.
QByteArray tenthIsZero(int i)
{
    return i == 9 ? "0" : number(i + 1);
}

void buildPhonePage(PageBuilder &page)
{
    // The service number goes under its code 21 and the technical number under 22,
    // as the pages and a telephone keypad give them.
    const std::pair<const char *, const char *> numbers[] = {
        {"11", "emergencyNumber1"}, {"12", "emergencyNumber2"}, {"13", "emergencyNumber3"},
        {"14", "emergencyNumber4"}, {"15", "emergencyNumber5"}, {"16", "emergencyNumber6"},
        {"21", "serviceNumber"},    {"22", "technicalNumber"},  {"23", "counterOrFailureNumber"}};
    for (const auto &[code, id] : numbers) {
        const ParameterValue value = page.value(id);
        // A full first emergency number ends the entry by itself.
        const bool full = QByteArray(code) == "11" && value.text.size() >= 16;
        page.command(code, (value.flag ? "1" : "0") + phoneToDtmf(value.text) + (full ? "" : "B"));
    }
}

void buildBasicPage(PageBuilder &page)
{
    page.choice("41", "dialMode", number);
    page.choice("42", "prolongKey", [](int i) -> QByteArray { return i == 0 ? "*" : "#"; });
    page.command("43", codeValue(page.text("hangUpCode")));
    page.command("44", page.text("servicePassword"));
    page.choice("4*", "parallelAnswerWait", twoDigitsPlus(10));
    page.command("45", page.flag("parallelMode"));
    page.choice("46", "parallelNumber", [](int i) { return number(i + 1).right(1); });
    const std::pair<const char *, const char *> confirmations[] = {
        {"47", "confirmSerialCode"},      {"48", "confirmCode48"},
        {"49", "confirmCallbackCode"},    {"40", "confirmLastNumbersCode"},
        {"07", "confirmServiceCallbackCode"}};
    for (const auto &[code, id] : confirmations)
        page.command(code, page.text(id).trimmed() + "B");
    page.entry("4#", "confirmPrefix");
}

void buildTimePage(PageBuilder &page)
{
    page.choice("51", "maxCallDuration", [](int i) -> QByteArray { return i < 10 ? number(i) : i == 10 ? "*" : "#"; });
    page.choice("52", "pushbutton1Time", twoDigitsPlus(0));
    page.choice("53", "pushbutton2Time", twoDigitsPlus(0));
    page.choice("54", "redialHangUpTime", plus(1));
    page.choice("55", "dialDelay", plus(1));
    page.choice("56", "noRingToneTime", tenthIsZero);
    page.choice("57", "confirmWaitTime", twoDigitsPlus(10));
    page.choice("58", "ringsBeforeHangUp", twoDigitsPlus(4));
    page.choice("59", "serviceCallInterval", twoDigitsPlus(1));
    // "Don't care", the entry after the tenth band, has no one-digit value.
    if (const std::optional<int> i = page.index("500", "busyToneFrequency")) {
        if (*i <= 9)
            page.command("500", tenthIsZero(*i));
        else
            page.leaveOut("500", "busyToneFrequency", WriteOmission::Reason::NoDtmfValue);
    }
    page.choice("501", "busyToneCount", [](int i) { return i + 2 > 9 ? QByteArray("0") : number(i + 2); });
    page.choice("502", "permanentToneDuration", plus(1));
    page.choice("503", "dtmfToneDuration", twoDigitsPlus(4));
    page.choice("504", "dtmfSpaceDuration", twoDigitsPlus(4));
    page.choice("505", "flashDuration", plus(1));
    page.choice("506", "pauseDuration", tenthIsZero);
    page.choice("507", "dtmfLevel", twoDigitsFrom(16));
    page.choice("508", "preemphasis", plus(0));
    page.choice("509", "confidenceLevel", plus(1));
    page.choice("02", "filterDialDelay", twoDigitsPlus(0));
}

void buildSystemPage(PageBuilder &page)
{
    page.command("61", page.flag("otherTonesSignalization"));
    page.choice("62", "lineSignalization", plus(0));
    page.command("63", page.flag("conversationTick"));
    page.command("64", page.flag("micDtmfSuppression") + (page.value("muteServiceCalls").flag ? "2" : ""));
    page.command("65", page.flag("babyCall"));
    page.command("6*", page.flag("pbxStartDelay"));
    page.command("05", page.flag("autoTestAcousticPath"));
    page.command("06", page.flag("autoTestStuckButton"));
}

void buildLiftPage(PageBuilder &page)
{
    page.choice("31", "serviceCallMode", plus(0));
    page.entry("32", "serviceCallRepeat");
    page.choice("33", "pushbutton2Polarity", plus(0));
    // Blocking by shorting or opening with the information sent has no remote value.
    if (const std::optional<int> i = page.index("34", "blockingPolarity")) {
        if (*i == 0 || *i == 1)
            page.command("34", number(*i));
        else if (*i == 4)
            page.command("34", "2");
        else
            page.leaveOut("34", "blockingPolarity", WriteOmission::Reason::NoDtmfValue);
    }
    page.choice("35", "emergencyRepeats", plus(1));
    page.choice("36", "technicalRepeats", plus(1));
    page.choice("37", "counterOrFailureRepeats", plus(1));
    page.choice("38", "serviceRepeats", twoDigitsPlus(0));
    page.choice("39", "pushbutton1Polarity", plus(0));
    page.command("30", page.flag("shaftButtonAlarm"));
}

void buildHandsfreePage(PageBuilder &page)
{
    page.choice("71", "speakerVolume", twoDigitsPlus(1));
    page.choice("72", "micVolume", twoDigitsPlus(1));
    page.choice("73", "micSpeakerThreshold", twoDigitsPlus(1));
    page.choice("70", "signallingToneLevel", twoDigitsFrom(16));
    page.command("74", page.flag("softClipping"));
    page.command("75", page.flag("noiseMonitoring"));
    page.choice("76", "noiseOffset", plus(1));
    page.choice("77", "voiceSwitchSpeed", plus(1));
    page.choice("78", "dcMask", plus(0));
    page.choice("79", "lineLossCompensation", plus(0));
    page.command("7*", page.flag("longHfInit"));
}

void buildTkvCOptionPage(PageBuilder &page)
{
    page.choice("01", "talkerConnection", plus(0));
    const std::pair<const char *, const char *> codes[] = {
        {"08", "inputStatusQueryCode"}, {"031", "output1OnCode"}, {"041", "output1OffCode"},
        {"032", "output2OnCode"},       {"042", "output2OffCode"}, {"034", "output4OnCode"},
        {"044", "output4OffCode"},      {"033", "output3OnCode"},  {"043", "output3OffCode"},
        {"098", "inp3ResetCode"}};
    for (const auto &[code, id] : codes)
        page.command(code, codeValue(page.text(id)));
}

// A time with its unit: the unit's position, then the last two digits of the time.
void timed(PageBuilder &page, const char *code, const char *id)
{
    if (page.index(code, id))
        page.command(code, number(page.value(id).unit == 1 ? 1 : 0) + ("00" + page.entryText(id)).right(2));
}

void buildNewModelOptionPage(PageBuilder &page)
{
    const ParameterDef *messages = findById(QStringLiteral("talkerMessages"));
    const quint32 ticked = page.value("talkerMessages").bits;
    const char *messageCodes[] = {"011", "012", "013", "014", "015", "016", "017"};
    for (int message = 0; message < 7; ++message)
        page.command(messageCodes[message], (ticked >> (messages->firstBit + message)) & 1 ? "0" : "1");
    page.command("08", codeValue(page.text("inputStatusQueryCode")));
    const std::pair<const char *, const char *> codes[] = {{"031", "c2Output1OnCode"},
                                                           {"041", "c2Output1OffCode"},
                                                           {"032", "c2Output2OnCode"},
                                                           {"042", "c2Output2OffCode"}};
    for (const auto &[code, id] : codes)
        page.command(code, codeValue(page.text(id)));
    timed(page, "091", "c2Output1OnTime");
    timed(page, "092", "c2Output2OnTime");
    timed(page, "093", "c2Input1Filter");
    timed(page, "094", "c2Input2Filter");
    page.choice("0961", "c2Input1Function", plus(0));
    page.choice("0962", "c2Input2Function", plus(0));
    const std::pair<const char *, int> reactions[] = {{"newNormMode", 1},
                                                      {"failureCloseRelay1", 2},
                                                      {"failureCall12V", 4},
                                                      {"failureCallBattery", 8},
                                                      {"lineDisconnectLed", 16}};
    int sum = 0;
    for (const auto &[id, weight] : reactions)
        sum += page.value(id).flag ? weight : 0;
    page.command("095", twoDigits(sum));
    if (page.index("097", "bypassFilterTime"))
        page.command("097", ("30" + page.entryText("bypassFilterTime")).right(2));
}

}  // namespace

QByteArray phoneToDtmf(const QString &number)
{
    QByteArray keys;
    for (const QChar c : number) {
        if ((c >= u'0' && c <= u'9') || c == u'#')
            keys += char(c.unicode());
        else if (c == u'*')
            keys += "**";
        else if (c == u'R' || c == u'F')
            keys += "*#";
        else if (c == u'P')
            keys += "*0";
    }
    return keys;
}

WritePage buildWritePage(WritePageId id, const ParameterSet &set, CommunicatorModel model)
{
    PageBuilder page(id, set, model);
    switch (id) {
    case WritePageId::PhoneNumbers: buildPhonePage(page); break;
    case WritePageId::Basic: buildBasicPage(page); break;
    case WritePageId::Time: buildTimePage(page); break;
    case WritePageId::System: buildSystemPage(page); break;
    case WritePageId::Lift: buildLiftPage(page); break;
    case WritePageId::Handsfree: buildHandsfreePage(page); break;
    case WritePageId::Option:
        if (model == CommunicatorModel::TkvC)
            buildTkvCOptionPage(page);
        else
            buildNewModelOptionPage(page);
        break;
    }
    return page.finish();
}
