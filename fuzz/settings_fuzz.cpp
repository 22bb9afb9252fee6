// libFuzzer entry of ostrakel-fuzz-settings; the target itself is in targets/SettingsTarget.h.
#include "targets/SettingsTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ostrakel::fuzz::settingsTarget(data, size);
    return 0;
}
