// libFuzzer entry of ostrakel-fuzz-identification; the target itself is in targets/IdentificationTarget.h.
#include "targets/IdentificationTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ostrakel::fuzz::identificationTarget(data, size);
    return 0;
}
