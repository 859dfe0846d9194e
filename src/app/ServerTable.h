#pragma once

#include <QAbstractTableModel>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <QTimer>

class ServerSearch;
struct ServerResult;

// Every server a search found, one row each, in the order found: name, address, ping, map,
// players/maximum, game and where it came from. Rows are added as the search finds servers and
// their cells change as answers come in, in batches: a thousand answers may come within a moment.
class ServerTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Name, Address, Ping, Map, Players, Game, Source, ColumnCount };
    // What the columns sort by: numbers for ping and players, else the text without letter case.
    static constexpr int SortRole = Qt::UserRole;

    explicit ServerTableModel(ServerSearch& search, QObject* parent = nullptr);

    // Forgets every row, as a new search starts.
    void clear();

    QString addressAt(int row) const { return rows_.value(row); }
    std::optional<ServerResult> resultAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // A batch of answers is in the rows.
    void changesShown();

private:
    void addRow(const QString& address);
    void noteChange(const QString& address);
    void showChanges();
    QString text(int row, int column) const;
    QVariant sortKey(int row, int column) const;

    ServerSearch& search_;
    QStringList rows_;
    QHash<QString, int> rowOf_;
    QSet<QString> changed_;
    QTimer showChanges_;
};

// The rows the filters leave, sorted by the column chosen: servers that answered with no player
// or with every place taken can be hidden, and a text kept to those whose name, map or game holds
// it (letter case ignored). A server without an answer is hidden by neither tick, but by any
// text: it has no name, map or game to hold it.
class ServerFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit ServerFilter(ServerTableModel& model, QObject* parent = nullptr);

    void setHideEmpty(bool hide);
    void setHideFull(bool hide);
    void setText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    ServerTableModel& model_;
    bool hideEmpty_ = false;
    bool hideFull_ = false;
    QString text_;
};
