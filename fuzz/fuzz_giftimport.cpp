// Reads arbitrary bytes as a GIFT question file; see exchangeroundtrip.h for what it checks.
#include "exchangeroundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return checkImport(data, size, QuestionFormat::Gift);
}
