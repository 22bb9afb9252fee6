// libFuzzer entry of ostrakel-fuzz-language; the target itself is in targets/IniTargets.h.
#include "targets/IniTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ostrakel::fuzz::languageTarget(data, size);
    return 0;
}
