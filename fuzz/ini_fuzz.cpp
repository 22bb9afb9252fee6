// libFuzzer entry of ostrakel-fuzz-ini; the target itself is in targets/IniTargets.h.
#include "targets/IniTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ostrakel::fuzz::iniTarget(data, size);
    return 0;
}
