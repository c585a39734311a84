#pragma once

#include "recordedresult.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The class record as the teacher reads it: the pupils down the side (in alphabetical
// order), the activities across (by title, then activity), and for each pupil and activity
// the latest and the best score and every attempt. Only the results from since on count.
class ClassSummary final
{
public:
    enum class Period { Today, ThisWeek, Everything };

    struct Column
    {
        QString title;
        QString activity;
        // As the latest attempt counted it.
        int outof = 0;
    };

    struct Cell
    {
        int latest = 0;
        int best = 0;
        // Into the results(), oldest first; empty when the pupil has not done the activity.
        QList<int> attempts;
    };

    ClassSummary() = default;
    // since: the first moment that counts; an invalid date counts everything.
    explicit ClassSummary(const QList<RecordedResult> &results, const QDateTime &since = {});

    // Where the period starts at now: today's midnight, this week's Monday's midnight, or
    // an invalid date for everything.
    static QDateTime start(Period period, const QDateTime &now);

    const QStringList &pupils() const { return m_pupils; }
    const QList<Column> &columns() const { return m_columns; }
    const Cell &cell(int pupil, int column) const;
    // The results that count, in the order they were kept.
    const QList<RecordedResult> &results() const { return m_results; }

private:
    QList<RecordedResult> m_results;
    QStringList m_pupils;
    QList<Column> m_columns;
    // Row by row: m_cells[pupil * columns + column].
    QList<Cell> m_cells;
};
