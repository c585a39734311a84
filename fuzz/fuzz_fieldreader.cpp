// Reads arbitrary bytes field by field until the reader reports the end, and checks that
// every byte sequence decodes and encodes back unchanged.
#include "fieldreader.h"
#include "windows1252.h"
#include "worksheetfileerror.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (Windows1252::encode(Windows1252::decode(bytes)) != bytes)
        std::abort();

    FieldReader reader;
    reader.openBytes(bytes);
    // Every field consumes at least one byte, so the end comes within size + 1 reads.
    for (size_t i = 0; i <= size + 1; ++i) {
        try {
            const QString field = reader.readField();
            if (field.size() > static_cast<qsizetype>(size))
                std::abort();
        } catch (const WorksheetFileError &) {
            return 0;
        }
    }
    std::abort();
}
