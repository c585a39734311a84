#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// One scored quiz or activity as the class record keeps it.
struct RecordedResult
{
    // As the pupil typed it at the start.
    QString pupil;
    // The worksheet's title for a quiz, the activity's title for an activity.
    QString title;
    // "Multiple Choice", "Labelling Activity", ...
    QString activity;
    int score = 0;
    int outof = 0;
    // Local time, to the second.
    QDateTime when;
    // The numbers of the questions answered wrongly, in order; empty for an activity.
    QList<int> wrong;

    bool operator==(const RecordedResult &) const = default;
};
