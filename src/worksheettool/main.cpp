#include "worksheettool.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ondel-worksheets"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ONDEL_VERSION));
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return WorksheetTool::DataProblem;
    return WorksheetTool(out, err).run(QCoreApplication::arguments());
}
