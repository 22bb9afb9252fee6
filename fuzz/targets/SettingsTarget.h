#pragma once

// A settings file (.GDL) read for each model onto its defaults; a file that is taken
// is shown and encoded the way the command-line tool does it.

#include "FuzzSupport.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/ParameterText.h"
#include "params/SettingsFile.h"
#include "protocol/DeviceBlock.h"

#include <array>

namespace ostrakel::fuzz {

inline void settingsTarget(const std::uint8_t *data, std::size_t size)
{
    static const LanguageTable texts;
    struct Start {
        ParameterSet set;
        ParameterStatus status;
    };
    static const std::array<Start, 3> starts = [] {
        std::array<Start, 3> made;
        for (int m = 0; m < 3; ++m)
            applyDefaults(made[m].set, made[m].status, CommunicatorModel(m));
        return made;
    }();

    const QString path = inputFile(QStringLiteral("input.GDL"), bytesOf(data, size));
    for (int m = 0; m < 3; ++m) {
        const auto model = CommunicatorModel(m);
        ParameterSet set = starts[m].set;
        const SettingsFileResult result = readSettingsFile(path, set, model, texts);
        if (!result.ok) {
            OSTRAKEL_FUZZ_CHECK(!result.message.isEmpty());
            OSTRAKEL_FUZZ_CHECK(set == starts[m].set);  // a refused file changes nothing
            continue;
        }
        for (const ParameterDef &row : catalogue())
            (void)formatValue(row, set.value(row.id), model);
        for (const char *type : {"Alarm", "Option", "Switch"}) {
            const QString deviceType = QLatin1String(type);
            const QByteArray block = encodeParameterBlock(deviceType, set, starts[m].status, model);
            OSTRAKEL_FUZZ_CHECK(block.size() == parameterBlockLength(deviceType));
        }
    }
}

}  // namespace ostrakel::fuzz
