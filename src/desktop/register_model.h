#pragma once

#include "host/declaration_register.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <vector>

namespace formulario {

// The register's rows as a table, one column per entry of the core's column
// table; the sort role gives each cell's sort key.
class CRegisterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kSortRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(std::vector<RegisterRow> rows);
    const RegisterRow& Row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<RegisterRow> m_rows;
};

// Keeps the rows whose NIT, name or period holds the text typed, and sorts
// by the cells' sort keys.
class CRegisterFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit CRegisterFilter(QObject* parent = nullptr);

    void SetTyped(const QString& typed);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString m_typed;
};

}  // namespace formulario
