#include "remote/ExchangeTables.h"

namespace {

const QByteArray Ok = QByteArrayLiteral("OK");
const QByteArray LineEnd = QByteArrayLiteral("\r\n");

ExchangeStep step(const QByteArray &command, const QByteArray &reply)
{
    return {command + LineEnd, reply, false};
}

QByteArray latin1Trimmed(const QString &text)
{
    return text.trimmed().toLatin1();
}

}  // namespace

std::optional<QString> dialNumberOf(const QString &typed)
{
    QString number = typed;
    for (QChar &c : number) {
        switch (c.unicode()) {
        case 'p': c = u'P'; break;
        case 'h': case 'H': c = u'*'; break;
        case 'k': case 'K': c = u'#'; break;
        default: break;
        }
        const bool digit = c >= u'0' && c <= u'9';
        if (!digit && c != u'*' && c != u'#' && c != u'P' && c != u'R' && c != u'f')
            return std::nullopt;
    }
    return number;
}

std::vector<ExchangeStep> buildDialTable(const DialParameters &dial)
{
    const QByteArray number = latin1Trimmed(dial.telephoneNumber) + (dial.addHash ? "#" : "");
    return {
        {QByteArrayLiteral("AT@RESET") + LineEnd, QByteArrayLiteral("RESET"), true},
        step("AT@DEFAULT", Ok),
        step("AT@NORM", Ok),
        step("ATA", Ok),
        step("ATDE" + number, Ok),
        step("ATDE" + latin1Trimmed(dial.parallelNumber) + "B", Ok),
        step("AT@RECE", Ok),
        step("AT@RECN", QByteArrayLiteral("AOK")),
        step("ATDE#" + latin1Trimmed(dial.password), Ok),
        step("ATDE8A", Ok),
        step("AT@RECE", Ok),
        step("AT@RECN", QByteArrayLiteral("BOK")),
    };
}

std::vector<ExchangeStep> buildKeepAliveTable()
{
    return {step("ATDE8A", Ok), step("AT@RECE", Ok), step("AT@RECN", QByteArrayLiteral("BOK"))};
}

Millis pauseBeforeDialStep(int nextStep)
{
    Millis pause{50};
    if (nextStep == 2 || nextStep == 3 || nextStep == 5 || nextStep == 7 || nextStep == 11)
        pause += Millis(500);
    if (nextStep == 4 || nextStep == 9)
        pause += Millis(2000);
    return pause;
}

Millis dialWait(bool gsm)
{
    return gsm ? Millis(5000) : Millis(1500);
}
