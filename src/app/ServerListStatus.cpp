#include "ServerListStatus.h"

#include "ServerStatusPane.h"
#include "launch/ServerStatusText.h"
#include "profiles/ServerListDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTextDocument>
#include <QTimer>
#include <QTreeView>

namespace {

constexpr int AddressPadding = 16;
constexpr int BatchMs = 50;

// Player names come from the network: a tooltip would render any markup they hold.
QString plainToolTip(const QString& text) {
    return text.isEmpty() ? text : Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

QStandardItem* cell(QStandardItemModel& model, int row, int column) {
    QStandardItem* item = model.item(row, column);
    if (!item) {
        item = new QStandardItem;
        item->setEditable(false);
        model.setItem(row, column, item);
    }
    return item;
}

} // namespace

ServerListStatus::ServerListStatus(QComboBox& box, QAbstractButton& refresh, QObject* parent)
    : QObject(parent), box_(box), view_(new QTreeView) {
    setUpView();
    connect(&model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { fillRows(first, last); });
    connect(&query_, &ServerQuery::resultChanged, this, &ServerListStatus::showResult);
    showChanged_.setSingleShot(true);
    showChanged_.setInterval(BatchMs);
    connect(&showChanged_, &QTimer::timeout, this, &ServerListStatus::showChanged);
    connect(&refresh, &QAbstractButton::clicked, this, &ServerListStatus::askAgain);
}

QStandardItemModel& ServerListStatus::model() const {
    // An editable box's own model.
    return *qobject_cast<QStandardItemModel*>(box_.model());
}

void ServerListStatus::setUpView() {
    view_->setObjectName(QStringLiteral("lvwServerStatus"));
    view_->setRootIsDecorated(false);
    view_->setItemsExpandable(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->header()->setSectionsMovable(false);
    view_->header()->setStretchLastSection(true);
    box_.setView(view_);
    model().setHorizontalHeaderLabels({QStringLiteral("Address"), QStringLiteral("Ping"),
                                       QStringLiteral("Players"), QStringLiteral("Map"),
                                       QStringLiteral("Name")});
    view_->installEventFilter(this);
    fitColumns();
}

void ServerListStatus::askAgain() {
    QStringList addresses;
    for (int row = 0; row < box_.count(); ++row)
        addresses << box_.itemText(row);
    query_.ask(addresses);
}

void ServerListStatus::addTo(ServerListDialog& editor) {
    auto* pane = new ServerStatusPane(*editor.mmoServerList, query_, &editor);
    auto* refresh = new QPushButton(QStringLiteral("Refresh"), &editor);
    refresh->setObjectName(QStringLiteral("btnRefreshStatus"));
    connect(refresh, &QPushButton::clicked, pane, &ServerStatusPane::askAgain);
    editor.addBesideMemo(pane, refresh);
    // The memo is filled as the editor is shown: ask once that is done.
    if (QFileInfo::exists(editor.filePath()))
        QTimer::singleShot(0, pane, &ServerStatusPane::askAgain);
}

bool ServerListStatus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::Show && !query_.isAsking())
        askAgain();
    return QObject::eventFilter(watched, event);
}

void ServerListStatus::fillRows(int first, int last) {
    for (int row = first; row <= last; ++row)
        showRow(row);
    fitColumns();
}

void ServerListStatus::showResult(const QString& address) {
    changed_.insert(address);
    if (!showChanged_.isActive())
        showChanged_.start();
}

void ServerListStatus::showChanged() {
    for (int row = 0; row < box_.count(); ++row)
        if (changed_.contains(box_.itemText(row).trimmed()))
            showRow(row);
    changed_.clear();
}

void ServerListStatus::showRow(int row) {
    QStandardItemModel& items = model();
    const auto result = query_.result(items.item(row, Address)->text());
    const ServerStatusText::Columns columns =
        result ? ServerStatusText::columnsOf(*result) : ServerStatusText::Columns{};
    const QString texts[] = {columns.ping, columns.players, columns.map, columns.name};
    const QString toolTip = plainToolTip(result && result->state == ServerState::Answered
                                             ? ServerStatusText::playerList(result->reply)
                                             : QString());
    for (int column = Ping; column < ColumnCount; ++column) {
        QStandardItem* item = cell(items, row, column);
        item->setText(texts[column - Ping]);
        item->setToolTip(toolTip);
        if (column == Ping || column == Players)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const bool state = column == Name && result && result->state != ServerState::Answered;
        item->setForeground(
            view_->palette().brush(state ? QPalette::PlaceholderText : QPalette::Text));
    }
    items.item(row, Address)->setToolTip(toolTip);
}

void ServerListStatus::fitColumns() {
    const QFontMetrics metrics = view_->fontMetrics();
    int address = metrics.horizontalAdvance(QStringLiteral("Address"));
    for (int row = 0; row < box_.count(); ++row)
        address = qMax(address, metrics.horizontalAdvance(box_.itemText(row)));
    address = qMin(address, metrics.averageCharWidth() * 40) + AddressPadding;
    const StatusColumnWidths widths = statusColumnWidths(metrics);
    QHeaderView* header = view_->header();
    header->resizeSection(Address, address);
    header->resizeSection(Ping, widths.ping);
    header->resizeSection(Players, widths.players);
    header->resizeSection(Map, widths.map);
    // The list opens at least this wide, whatever the width of the box.
    view_->setMinimumWidth(address + widths.total() + view_->frameWidth() * 2);
}
