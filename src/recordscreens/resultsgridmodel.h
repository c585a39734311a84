#pragma once

#include "classsummary.h"

#include <QAbstractTableModel>

// The Class Results grid as a table: a row per pupil (named in the row header), a column per
// activity (its title over the activity), and in each cell the latest score, with the best in
// brackets when it was higher ("8 (best 10)"). Screen readers hear each cell in full.
class ResultsGridModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ResultsGridModel(QObject *parent = nullptr);
    ~ResultsGridModel() override;

    void setSummary(ClassSummary summary);
    const ClassSummary &summary() const { return m_summary; }

    // "8 (best 10)", "10", or empty for an activity not done.
    static QString cellText(const ClassSummary::Cell &cell);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    ClassSummary m_summary;
};
