// Reads arbitrary bytes as the class record results.csv. Whatever rows it reads, the writer
// stores them so that they read back exactly, and every result read back is the same result.
#include "resultscsv.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QStringList> rows = ResultsCsv::rows(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    QList<QStringList> again = ResultsCsv::rows(ResultsCsv::file(rows));
    if (again.isEmpty() || again.takeFirst() != ResultsCsv::header() || again != rows)
        std::abort();
    for (const QStringList &row : rows) {
        const auto result = ResultsCsv::result(row);
        if (result && ResultsCsv::result(ResultsCsv::fields(*result)) != result)
            std::abort();
    }
    return 0;
}
