// libFuzzer entry of ostrakel-fuzz-remote-read; the target itself is in targets/DeviceBlockTarget.h.
#include "targets/DeviceBlockTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ostrakel::fuzz::remoteReadTarget(data, size);
    return 0;
}
