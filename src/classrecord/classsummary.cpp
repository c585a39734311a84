#include "classsummary.h"

#include <QCollator>
#include <QHash>

#include <algorithm>

ClassSummary::ClassSummary(const QList<RecordedResult> &results, const QDateTime &since)
{
    for (const RecordedResult &result : results) {
        if (!since.isValid() || result.when >= since)
            m_results += result;
    }

    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QHash<QString, int> pupilRows;
    QHash<std::pair<QString, QString>, int> activityColumns;
    for (const RecordedResult &result : std::as_const(m_results)) {
        if (!pupilRows.contains(result.pupil)) {
            pupilRows.insert(result.pupil, 0);
            m_pupils += result.pupil;
        }
        const std::pair key(result.title, result.activity);
        if (const auto found = activityColumns.constFind(key); found != activityColumns.cend()) {
            m_columns[*found].outof = result.outof;
        } else {
            activityColumns.insert(key, int(m_columns.size()));
            m_columns += Column { result.title, result.activity, result.outof };
        }
    }
    std::sort(m_pupils.begin(), m_pupils.end(), [&collator](const QString &a, const QString &b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    std::sort(m_columns.begin(), m_columns.end(), [&collator](const Column &a, const Column &b) {
        const int byTitle = collator.compare(a.title, b.title);
        if (byTitle != 0)
            return byTitle < 0;
        return a.activity != b.activity ? collator.compare(a.activity, b.activity) < 0
                                        : a.title < b.title;
    });
    for (int row = 0; row < m_pupils.size(); ++row)
        pupilRows[m_pupils[row]] = row;
    for (int column = 0; column < m_columns.size(); ++column)
        activityColumns[{ m_columns[column].title, m_columns[column].activity }] = column;

    m_cells.resize(m_pupils.size() * m_columns.size());
    // The latest attempt is the one kept last at the latest time.
    QList<QDateTime> latestWhen(m_cells.size());
    for (int i = 0; i < m_results.size(); ++i) {
        const RecordedResult &result = m_results[i];
        const int column = activityColumns.value({ result.title, result.activity });
        Cell &cell = m_cells[pupilRows.value(result.pupil) * m_columns.size() + column];
        QDateTime &when = latestWhen[&cell - m_cells.data()];
        if (cell.attempts.isEmpty() || result.score > cell.best)
            cell.best = result.score;
        if (cell.attempts.isEmpty() || result.when >= when) {
            cell.latest = result.score;
            when = result.when;
        }
        cell.attempts += i;
    }
    for (Cell &cell : m_cells) {
        std::stable_sort(cell.attempts.begin(), cell.attempts.end(),
                         [this](int a, int b) { return m_results[a].when < m_results[b].when; });
    }
}

QDateTime ClassSummary::start(Period period, const QDateTime &now)
{
    const QDate today = now.date();
    switch (period) {
    case Period::Today:
        return today.startOfDay();
    case Period::ThisWeek:
        return today.addDays(1 - today.dayOfWeek()).startOfDay();
    case Period::Everything:
        break;
    }
    return {};
}

const ClassSummary::Cell &ClassSummary::cell(int pupil, int column) const
{
    return m_cells[pupil * m_columns.size() + column];
}
