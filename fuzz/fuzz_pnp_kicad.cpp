#include "fuzz_pnp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzPnPReader(PnPFormat::KiCad, data, size);
}
