#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace kvitok {

// The rows of a drop-down list: plain texts, as QStringListModel keeps them, that can also be
// extended many at a time with one signal to the list, so that a hundred thousand payers go in
// quickly, all at once or a piece at a time.
class ComboRows final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!Holds(index) || (role != Qt::DisplayRole && role != Qt::EditRole)) {
            return {};
        }
        return m_rows.at(index.row());
    }

    // What the list's own calls need (addItem, setItemText, removeItem).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override {
        if (!Holds(index) || (role != Qt::DisplayRole && role != Qt::EditRole)) {
            return false;
        }
        m_rows[index.row()] = value.toString();
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
        return true;
    }
    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override {
        if (count < 1 || row < 0 || row > rowCount(parent) || parent.isValid()) {
            return false;
        }
        beginInsertRows(QModelIndex(), row, row + count - 1);
        m_rows.insert(row, count, QString());
        endInsertRows();
        return true;
    }
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override {
        if (count < 1 || row < 0 || row + count > rowCount(parent) || parent.isValid()) {
            return false;
        }
        beginRemoveRows(QModelIndex(), row, row + count - 1);
        m_rows.remove(row, count);
        endRemoveRows();
        return true;
    }

    void SetRows(QStringList rows) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    void AddRows(const QStringList& rows) {
        if (rows.isEmpty()) {
            return;
        }
        const auto first = static_cast<int>(m_rows.size());
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
        m_rows.append(rows);
        endInsertRows();
    }

private:
    bool Holds(const QModelIndex& index) const {
        return index.isValid() && index.model() == this && index.row() < m_rows.size();
    }

    QStringList m_rows;
};

} // namespace kvitok
