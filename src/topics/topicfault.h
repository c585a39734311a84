#pragma once

#include <QString>

// What is wrong with a topic's files: the file on disk, the line (0 when the fault is the
// file's as a whole), the field ("[box 3] box", empty for a whole file) and the fault in
// plain words. Thrown by TopicReader; shown as one line.
struct TopicFault
{
    QString file;
    int line = 0;
    QString field;
    QString problem;

    // "<file>: line 41, [box 3] box: the box lies outside the screen"
    QString text() const
    {
        QString where = file;
        if (line > 0)
            where += QStringLiteral(": line %1").arg(line);
        if (!field.isEmpty())
            where += (line > 0 ? QStringLiteral(", ") : QStringLiteral(": ")) + field;
        return where + QStringLiteral(": ") + problem;
    }
};
