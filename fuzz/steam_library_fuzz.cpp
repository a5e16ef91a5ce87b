// Oracle: fuzz::steamLibraryRoundTrips (registry_properties.h).

#include "fuzz_input.h"
#include "registry_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FUZZ_CHECK(quillset::fuzz::steamLibraryRoundTrips(fuzzInput(data, size)));
    return 0;
}
