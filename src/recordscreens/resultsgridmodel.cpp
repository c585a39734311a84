#include "resultsgridmodel.h"

ResultsGridModel::ResultsGridModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

ResultsGridModel::~ResultsGridModel() = default;

void ResultsGridModel::setSummary(ClassSummary summary)
{
    beginResetModel();
    m_summary = std::move(summary);
    endResetModel();
}

QString ResultsGridModel::cellText(const ClassSummary::Cell &cell)
{
    if (cell.attempts.isEmpty())
        return {};
    if (cell.best > cell.latest)
        return QStringLiteral("%1 (best %2)").arg(cell.latest).arg(cell.best);
    return QString::number(cell.latest);
}

int ResultsGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_summary.pupils().size());
}

int ResultsGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_summary.columns().size());
}

QVariant ResultsGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const ClassSummary::Cell &cell = m_summary.cell(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return cellText(cell);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole: {
        const ClassSummary::Column &column = m_summary.columns()[index.column()];
        const QString who = m_summary.pupils()[index.row()] + QStringLiteral(", ") + column.title
            + QStringLiteral(", ") + column.activity + QStringLiteral(": ");
        if (cell.attempts.isEmpty())
            return who + QStringLiteral("not done");
        return who
            + QStringLiteral("latest %1 out of %3, best %2 out of %3, %4 %5")
                  .arg(cell.latest)
                  .arg(cell.best)
                  .arg(column.outof)
                  .arg(cell.attempts.size())
                  .arg(cell.attempts.size() == 1 ? QStringLiteral("attempt")
                                                 : QStringLiteral("attempts"));
    }
    default:
        return {};
    }
}

QVariant ResultsGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return m_summary.pupils().value(section);
    const ClassSummary::Column &column = m_summary.columns()[section];
    return column.title + u'\n' + column.activity + QStringLiteral("\nout of %1").arg(column.outof);
}
