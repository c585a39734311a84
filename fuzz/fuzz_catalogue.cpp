// Reads arbitrary bytes as track.txt. Whatever titles it reads, the catalogue writer stores
// them so that they read back exactly.
#include "fieldreader.h"
#include "textfilewriter.h"
#include "worksheetfileerror.h"
#include "worksheetfiles.h"
#include "worksheetglobals.h"

#include <QStringList>

#include <cstdlib>

namespace {

QStringList catalogueInMemory()
{
    QStringList titles;
    for (int i = 1; i <= trackcount; ++i)
        titles += tracklist[i];
    return titles;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    trackcount = 0;
    tracklist.fill(QString());

    FieldReader reader;
    reader.openBytes(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    try {
        WorksheetFiles::readcatalogue(reader);
    } catch (const WorksheetFileError &) {
        if (trackcount < 0)
            std::abort();
        return 0;
    }
    if (trackcount < 0 || trackcount > catalogueCapacity)
        std::abort();

    const QStringList titles = catalogueInMemory();
    FieldReader again;
    again.openBytes(TextFileWriter::encode(WorksheetFiles::catalogueLines(titles)));
    WorksheetFiles::readcatalogue(again);
    if (catalogueInMemory() != titles)
        std::abort();
    return 0;
}
