// libFuzzer entry of ostrakel-fuzz-device-block; the target itself is in targets/DeviceBlockTarget.h.
#include "targets/DeviceBlockTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ostrakel::fuzz::deviceBlockTarget(data, size);
    return 0;
}
