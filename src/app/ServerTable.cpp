#include "ServerTable.h"

#include "launch/ServerSearch.h"
#include "launch/ServerStatusText.h"

#include <QApplication>
#include <QPalette>

#include <limits>

namespace {

constexpr int BatchMs = 50;

const char* const Headers[] = {"Name", "Address", "Ping", "Map", "Players", "Game", "Source"};

bool isAnswer(const std::optional<ServerResult>& result) {
    return result && result->state == ServerState::Answered;
}

bool isFull(const ServerStatus::Reply& reply) {
    return reply.maxClients >= 0 && reply.players.size() >= reply.maxClients;
}

} // namespace

ServerTableModel::ServerTableModel(ServerSearch& search, QObject* parent)
    : QAbstractTableModel(parent), search_(search) {
    connect(&search_, &ServerSearch::serverAdded, this, &ServerTableModel::addRow);
    connect(&search_, &ServerSearch::resultChanged, this, &ServerTableModel::noteChange);
    showChanges_.setSingleShot(true);
    showChanges_.setInterval(BatchMs);
    connect(&showChanges_, &QTimer::timeout, this, &ServerTableModel::showChanges);
}

void ServerTableModel::clear() {
    beginResetModel();
    rows_.clear();
    rowOf_.clear();
    changed_.clear();
    endResetModel();
}

std::optional<ServerResult> ServerTableModel::resultAt(int row) const {
    if (row < 0 || row >= rows_.size())
        return std::nullopt;
    return search_.result(rows_[row]);
}

int ServerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ServerTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ServerTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), column);
    case SortRole:
        return sortKey(index.row(), column);
    case Qt::TextAlignmentRole:
        if (column == Ping || column == Players)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::ForegroundRole:
        if (column == Name && !isAnswer(resultAt(index.row())))
            return QApplication::palette().brush(QPalette::PlaceholderText);
        return {};
    default:
        return {};
    }
}

QVariant ServerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(Headers[section]);
}

QString ServerTableModel::text(int row, int column) const {
    const QString& address = rows_[row];
    if (column == Address)
        return address;
    if (column == Source)
        return sourceNames(search_.sourcesOf(address));
    const auto result = search_.result(address);
    if (!result)
        return column == Name ? ServerStatusText::stateText(ServerState::Asking) : QString();
    if (column == Ping)
        return ServerStatusText::pingText(*result);
    if (result->state != ServerState::Answered)
        return column == Name ? ServerStatusText::stateText(result->state) : QString();
    const ServerStatus::Reply& reply = result->reply;
    switch (column) {
    case Name:
        return reply.hostname;
    case Map:
        return reply.map;
    case Players:
        return ServerStatusText::playersText(reply);
    case Game:
        return reply.game;
    default:
        return {};
    }
}

QVariant ServerTableModel::sortKey(int row, int column) const {
    if (column == Ping || column == Players) {
        const auto result = search_.result(rows_[row]);
        if (!isAnswer(result))
            return column == Ping ? std::numeric_limits<int>::max() : -1;
        return column == Ping ? result->pingMs : static_cast<int>(result->reply.players.size());
    }
    return text(row, column).toLower();
}

void ServerTableModel::addRow(const QString& address) {
    const int row = static_cast<int>(rows_.size());
    beginInsertRows({}, row, row);
    rows_ << address;
    rowOf_.insert(address, row);
    endInsertRows();
}

void ServerTableModel::noteChange(const QString& address) {
    changed_.insert(address);
    if (!showChanges_.isActive())
        showChanges_.start();
}

void ServerTableModel::showChanges() {
    for (const QString& address : std::as_const(changed_)) {
        const int row = rowOf_.value(address, -1);
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    }
    changed_.clear();
    emit changesShown();
}

ServerFilter::ServerFilter(ServerTableModel& model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model) {
    setSourceModel(&model);
    setSortRole(ServerTableModel::SortRole);
    setDynamicSortFilter(true);
}

void ServerFilter::setHideEmpty(bool hide) {
    hideEmpty_ = hide;
    invalidateFilter();
}

void ServerFilter::setHideFull(bool hide) {
    hideFull_ = hide;
    invalidateFilter();
}

void ServerFilter::setText(const QString& text) {
    text_ = text.trimmed();
    invalidateFilter();
}

bool ServerFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const auto result = model_.resultAt(sourceRow);
    if (!isAnswer(result))
        return text_.isEmpty();
    const ServerStatus::Reply& reply = result->reply;
    if ((hideEmpty_ && reply.players.isEmpty()) || (hideFull_ && isFull(reply)))
        return false;
    if (text_.isEmpty())
        return true;
    return reply.hostname.contains(text_, Qt::CaseInsensitive) ||
           reply.map.contains(text_, Qt::CaseInsensitive) ||
           reply.game.contains(text_, Qt::CaseInsensitive);
}
