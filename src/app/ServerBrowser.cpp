#include "ServerBrowser.h"

#include "ServerTable.h"
#include "WidgetHelpers.h"
#include "launch/ServerStatusText.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"
#include "platform/VexaIni.h"
#include "profiles/AddressBook.h"
#include "profiles/MapLists.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct SourceTick {
    const char* name;
    const char* caption;
    IniKey key;
};
constexpr SourceTick SourceTicks[] = {
    {"cbxFromServerList", "servers.txt", VexaIni::BrowseList},
    {"cbxFromAddressBook", "Address book", VexaIni::BrowseAddressBook},
    {"cbxFromLan", "Local network", VexaIni::BrowseLan},
    {"cbxFromMasters", "Masters", VexaIni::BrowseMasters},
};

// Rows one line high, and columns as wide as that many average characters, and never narrower
// than their caption with the sort mark beside it.
void fitColumns(QTableView& table, std::initializer_list<std::pair<int, int>> widths) {
    const QFontMetrics metrics = table.fontMetrics();
    table.verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    for (const auto& [column, characters] : widths) {
        const QString caption = table.model()
                                    ? table.model()->headerData(column, Qt::Horizontal).toString()
                                    : QString();
        const int sortMark = metrics.height() + 12;
        table.setColumnWidth(column, std::max(metrics.averageCharWidth() * characters + 12,
                                              metrics.horizontalAdvance(caption) + sortMark));
    }
}

QTableWidget* detailTable(QWidget* parent, const char* name, const QStringList& headers) {
    auto* table = named<QTableWidget>(parent, name);
    table->setColumnCount(static_cast<int>(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    return table;
}

void fillRow(QTableWidget& table, int row, const QStringList& texts) {
    for (int column = 0; column < texts.size(); ++column)
        table.setItem(row, column, new QTableWidgetItem(texts[column]));
}

QStringList readIfThere(const QString& path) {
    return QFileInfo::exists(path) ? TextFile::readLines(path) : QStringList();
}

bool names(const QStringList& lines, const QString& address) {
    return std::any_of(lines.begin(), lines.end(), [&address](const QString& line) {
        return ServerSearch::canonicalAddress(line) == address;
    });
}

} // namespace

ServerBrowser::ServerBrowser(IniFile& settings, Prompts& prompts, ServerBrowserPlaces places,
                             QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts), places_(std::move(places)),
      model_(new ServerTableModel(search_, this)), filter_(new ServerFilter(*model_, this)) {
    setObjectName(QStringLiteral("frmServerBrowser"));
    setWindowTitle(QStringLiteral("Find Servers"));
    table_ = named<QTableView>(this, "tblServers");
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(ServerTableModel::Ping, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    fitColumns(*table_, {{ServerTableModel::Name, 26},
                         {ServerTableModel::Address, 20},
                         {ServerTableModel::Ping, 8},
                         {ServerTableModel::Map, 10},
                         {ServerTableModel::Players, 8},
                         {ServerTableModel::Game, 10}});
    connect(table_, &QTableView::doubleClicked, this, [this] { connectToCurrent(); });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ServerBrowser::showDetails);
    connect(model_, &ServerTableModel::changesShown, this, &ServerBrowser::showDetails);
    connect(&search_, &ServerSearch::finished, this, &ServerBrowser::showStatus);
    connect(model_, &ServerTableModel::changesShown, this, &ServerBrowser::showStatus);
    connect(&search_, &ServerSearch::problem, this, [this](const QString& problem) {
        problems_ << problem;
        showStatus();
    });

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(table_);
    splitter->addWidget(createDetails());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    status_ = named<QLabel>(this, "lblBrowserStatus");
    status_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createSources());
    layout->addWidget(createFilters());
    layout->addWidget(splitter, 1);
    layout->addWidget(status_);
    layout->addWidget(createButtons());
    resize(860, 600);
    showStatus();
}

QWidget* ServerBrowser::createSources() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins({});
    layout->addWidget(new QLabel(QStringLiteral("Sources:"), row));
    QCheckBox** boxes[] = {&fromList_, &fromAddressBook_, &fromLan_, &fromMasters_};
    for (std::size_t i = 0; i < std::size(SourceTicks); ++i) {
        auto* box = named<QCheckBox>(row, SourceTicks[i].name);
        box->setText(QLatin1String(SourceTicks[i].caption));
        box->setChecked(VexaIni::readBool(settings_, SourceTicks[i].key, i < 2));
        connect(box, &QCheckBox::toggled, this, guarded(prompts_, [this] { storeTicks(); }));
        *boxes[i] = box;
        layout->addWidget(box);
    }
    layout->addStretch();
    refreshWhenShown_ = named<QCheckBox>(row, "cbxRefreshWhenShown");
    refreshWhenShown_->setText(QStringLiteral("Refresh when shown"));
    refreshWhenShown_->setChecked(VexaIni::readBool(settings_, VexaIni::RefreshWhenShown, false));
    connect(refreshWhenShown_, &QCheckBox::toggled, this,
            guarded(prompts_, [this] { storeTicks(); }));
    refresh_ = named<QPushButton>(row, "btnRefreshServers");
    refresh_->setText(QStringLiteral("Refresh"));
    setHintText(refresh_, QStringLiteral("Ask the sources ticked for their servers, and each "
                                         "server for its status"));
    connect(refresh_, &QPushButton::clicked, this, guarded(prompts_, [this] { refresh(); }));
    layout->addWidget(refreshWhenShown_);
    layout->addWidget(refresh_);
    return row;
}

QWidget* ServerBrowser::createFilters() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins({});
    hideEmpty_ = named<QCheckBox>(row, "cbxHideEmpty");
    hideEmpty_->setText(QStringLiteral("Hide empty"));
    connect(hideEmpty_, &QCheckBox::toggled, filter_, &ServerFilter::setHideEmpty);
    hideFull_ = named<QCheckBox>(row, "cbxHideFull");
    hideFull_->setText(QStringLiteral("Hide full"));
    connect(hideFull_, &QCheckBox::toggled, filter_, &ServerFilter::setHideFull);
    text_ = named<QLineEdit>(row, "txtServerFilter");
    text_->setPlaceholderText(QStringLiteral("Name, map or game"));
    text_->setClearButtonEnabled(true);
    connect(text_, &QLineEdit::textChanged, filter_, &ServerFilter::setText);
    layout->addWidget(hideEmpty_);
    layout->addWidget(hideFull_);
    layout->addWidget(new QLabel(QStringLiteral("Filter:"), row));
    layout->addWidget(text_, 1);
    return row;
}

QWidget* ServerBrowser::createDetails() {
    auto* details = new QSplitter(Qt::Horizontal, this);
    rules_ =
        detailTable(details, "tblServerRules", {QStringLiteral("Rule"), QStringLiteral("Value")});
    players_ =
        detailTable(details, "tblServerPlayers",
                    {QStringLiteral("Player"), QStringLiteral("Score"), QStringLiteral("Ping")});
    fitColumns(*rules_, {{0, 16}});
    fitColumns(*players_, {{0, 20}, {1, 7}, {2, 7}});
    players_->setSortingEnabled(true);
    details->addWidget(rules_);
    details->addWidget(players_);
    return details;
}

QWidget* ServerBrowser::createButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins({});
    const auto add = [&](const char* name, const QString& caption, auto handler) {
        auto* button = named<QPushButton>(row, name);
        button->setText(caption);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, guarded(prompts_, handler));
        layout->addWidget(button);
    };
    add("btnAddFavourite", QStringLiteral("Add to Favourites"), [this] { addToFavourites(); });
    add("btnAddToServerList", QStringLiteral("Add to servers.txt"), [this] { addToServerList(); });
    layout->addStretch();
    add("btnJoinServer", QStringLiteral("Connect"), [this] { connectToCurrent(); });
    add("btnCloseBrowser", QStringLiteral("Close"), [this] { reject(); });
    return row;
}

void ServerBrowser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shown_ && refreshWhenShown_->isChecked())
        guarded(prompts_, [this] { refresh(); })();
    shown_ = true;
}

ServerSources ServerBrowser::chosenSources() {
    ServerSources sources;
    if (fromList_->isChecked())
        sources.listed = readIfThere(places_.serverList);
    if (fromAddressBook_->isChecked())
        sources.addressBook = AddressBook::read(places_.addressBookFiles, places_.engine);
    sources.lan = fromLan_->isChecked();
    if (fromMasters_->isChecked()) {
        QStringList bad;
        sources.masters =
            MasterList::parseMasters(VexaIni::readString(settings_, VexaIni::Masters,
                                                         QLatin1String(MasterList::DefaultMasters)),
                                     &bad);
        for (const QString& word : bad)
            problems_ << QStringLiteral("[servers] masters in vexa.ini: \"%1\" names no master")
                             .arg(word);
    }
    return sources;
}

void ServerBrowser::refresh() {
    // Read before anything is cleared: an unreadable file leaves the last search as it was.
    problems_.clear();
    const ServerSources sources = chosenSources();
    model_->clear();
    search_.start(sources);
    showStatus();
}

void ServerBrowser::storeTicks() {
    const QCheckBox* boxes[] = {fromList_, fromAddressBook_, fromLan_, fromMasters_};
    for (std::size_t i = 0; i < std::size(SourceTicks); ++i)
        VexaIni::writeBool(settings_, SourceTicks[i].key, boxes[i]->isChecked());
    VexaIni::writeBool(settings_, VexaIni::RefreshWhenShown, refreshWhenShown_->isChecked());
}

QString ServerBrowser::currentServer() const {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid())
        return {};
    return model_->addressAt(filter_->mapToSource(current).row());
}

void ServerBrowser::showDetails() {
    const QModelIndex current = table_->currentIndex();
    const auto result =
        current.isValid() ? model_->resultAt(filter_->mapToSource(current).row()) : std::nullopt;
    const bool answered = result && result->state == ServerState::Answered;
    const ServerStatus::Reply reply = answered ? result->reply : ServerStatus::Reply{};
    rules_->setRowCount(static_cast<int>(reply.rules.size()));
    for (int row = 0; row < reply.rules.size(); ++row)
        fillRow(*rules_, row, {reply.rules[row].first, reply.rules[row].second});
    players_->setSortingEnabled(false);
    players_->setRowCount(static_cast<int>(reply.players.size()));
    for (int row = 0; row < reply.players.size(); ++row) {
        const ServerStatus::Player& player = reply.players[row];
        fillRow(*players_, row, {player.name, {}, {}});
        // Numbers sort as numbers.
        players_->item(row, 1)->setData(Qt::DisplayRole, player.score);
        players_->item(row, 2)->setData(Qt::DisplayRole, player.ping);
    }
    players_->setSortingEnabled(true);
}

void ServerBrowser::showStatus() {
    int answered = 0;
    for (int row = 0; row < model_->rowCount(); ++row) {
        const auto result = model_->resultAt(row);
        answered += result && result->state == ServerState::Answered ? 1 : 0;
    }
    QString text = QStringLiteral("%1 servers, %2 answered, %3 shown")
                       .arg(model_->rowCount())
                       .arg(answered)
                       .arg(filter_->rowCount());
    if (search_.isRunning())
        text += QStringLiteral("; asking…");
    for (const QString& problem : std::as_const(problems_))
        text += QLatin1Char('\n') + problem;
    status_->setText(text);
}

bool ServerBrowser::addToFavourites() {
    const QString server = currentServer();
    if (server.isEmpty())
        return false;
    const QStringList book = AddressBook::read(places_.addressBookFiles, places_.engine);
    if (names(book, server)) {
        prompts_.notice(QStringLiteral("%1 is in the address book already.").arg(server));
        return false;
    }
    const auto slot = AddressBook::firstFreeSlot(book);
    if (!slot) {
        prompts_.notice(QStringLiteral("The address book is full: adr0 to adr8 all hold a "
                                       "server. Empty one in the game's menu first."));
        return false;
    }
    AddressBook::writeSlot(places_.favouritesScript, *slot, server, places_.engine);
    status_->setText(QStringLiteral("%1 is now %2 in %3.")
                         .arg(server, AddressBook::slotName(*slot), places_.favouritesScript));
    return true;
}

bool ServerBrowser::addToServerList() {
    const QString server = currentServer();
    if (server.isEmpty())
        return false;
    QStringList lines = readIfThere(places_.serverList);
    if (names(lines, server)) {
        prompts_.notice(QStringLiteral("%1 is in servers.txt already.").arg(server));
        return false;
    }
    lines << server;
    TextFile::writeLines(places_.serverList, lines, PlatformConventions::native().lineEnding());
    status_->setText(QStringLiteral("%1 is added to servers.txt.").arg(server));
    return true;
}

void ServerBrowser::connectToCurrent() {
    chosen_ = currentServer();
    if (!chosen_.isEmpty())
        accept();
}
