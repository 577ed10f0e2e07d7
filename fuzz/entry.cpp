// libFuzzer's entry for one target, chosen at build time by ORVANEL_FUZZ_TARGET.
#include "targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return ORVANEL_FUZZ_TARGET(data, size);
}
