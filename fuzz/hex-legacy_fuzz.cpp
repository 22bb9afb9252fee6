// libFuzzer entry of ostrakel-fuzz-hex-legacy; the target itself is in targets/HexTargets.h.
#include "targets/HexTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ostrakel::fuzz::hexLegacyTarget(data, size);
    return 0;
}
