// libFuzzer entry of ostrakel-fuzz-wav; the target itself is in targets/WavTargets.h.
#include "targets/WavTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ostrakel::fuzz::wavTarget(data, size);
    return 0;
}
