#include "firmware/UpgradeResult.h"

#include "app/LanguageTable.h"

QString UpgradeResult::text(int code, const LanguageTable &texts)
{
    if (code > Repeated)
        code -= Repeated;
    if (code == NoConfiguration)
        return texts.text(QStringLiteral("Extensions"), 28);
    if (code == UnsupportedWriteSize)
        return texts.text(QStringLiteral("Extensions"), 29);
    if (code == TooManyPackets)
        return texts.text(QStringLiteral("Extensions"), 30);
    if (code == NoProgram)
        return texts.text(QStringLiteral("Extensions"), 31);
    // Codes 1 to 14 have the messages 67 to 80.
    if (code >= WrongCpu && code <= MissingStartPage)
        return texts.text(QStringLiteral("Message"), 66 + code);
    return texts.text(QStringLiteral("Message"), 76);
}
