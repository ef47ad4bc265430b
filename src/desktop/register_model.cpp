#include "register_model.h"

#include "host/register_columns.h"

namespace formulario {

namespace {

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

const RegisterColumn kFilteredColumns[] = {RegisterColumn::kNit, RegisterColumn::kName, RegisterColumn::kPeriod};

}  // namespace

void CRegisterModel::SetRows(std::vector<RegisterRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int CRegisterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CRegisterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(kRegisterColumns.size());
}

QVariant CRegisterModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const RegisterColumn column = kRegisterColumns[std::size_t(index.column())].column;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return Utf8(RegisterCell(Row(index.row()), column));
    case kSortRole:
        return Utf8(RegisterSortKey(Row(index.row()), column));
    default:
        return {};
    }
}

QVariant CRegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section >= columnCount())
        return {};
    const std::string_view title = kRegisterColumns[std::size_t(section)].title;
    return QString::fromUtf8(title.data(), qsizetype(title.size()));
}

CRegisterFilter::CRegisterFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(CRegisterModel::kSortRole);
}

void CRegisterFilter::SetTyped(const QString& typed)
{
    m_typed = typed.trimmed();
    invalidateFilter();
}

bool CRegisterFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (m_typed.isEmpty())
        return true;
    const auto& model = static_cast<const CRegisterModel&>(*sourceModel());
    for (RegisterColumn column : kFilteredColumns)
        if (Utf8(RegisterCell(model.Row(sourceRow), column)).contains(m_typed, Qt::CaseInsensitive))
            return true;
    return false;
}

}  // namespace formulario
