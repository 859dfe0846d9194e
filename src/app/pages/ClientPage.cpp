#include "ClientPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"
#include "app/WidgetHelpers.h"
#include "controls/UserChoice.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace PageLayout;

ClientPage::ClientPage(CatalogueLayout& settings, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabClient"));
    settings.createControls("tabClient", this);

    auto* fields = newGrid();
    const int gap = settings.fillBlock(fields, "tabClient", "Checks");
    fields->setRowMinimumHeight(gap, blockSpacing());
    const int end = settings.fillBlock(fields, "tabClient", "Fields", {.row = gap + 1});
    fields->setRowStretch(end, 1);

    // The download kinds stand indented under the switch that governs them.
    auto* downloads = newGrid();
    const int downloadRows = settings.fillBlock(downloads, "tabClient", "Downloads");
    downloads->setColumnMinimumWidth(0, 14);
    downloads->setRowStretch(downloadRows, 1);

    auto* launch = newPlainGroup(this, "gbxClientStart", QStringLiteral("When Quake2 starts"));
    QGridLayout* grid = newGroupGrid(launch);
    auto* choice = new QButtonGroup(launch);
    startNewGame_ = radio(launch, "rbStartNewGame", QStringLiteral("Start New Game"), choice);
    loadSavedGame_ = radio(launch, "rbLoadSavedGame", QStringLiteral("Load Saved Game"), choice);
    connectToServer_ =
        radio(launch, "rbConnectToServer", QStringLiteral("Connect to Server"), choice);
    startNewGame_->setChecked(true);
    startMap_ = foundCombo(launch, "cboClientStartMap");
    setHintText(startMap_, QStringLiteral("The map a new game starts on"));
    mapListButton_ = named<QPushButton>(launch, "btnMapList");
    mapListButton_->setText(QStringLiteral("Edit Map List"));
    savedGames_ = foundCombo(launch, "cboSaveGames");
    setHintText(savedGames_, QStringLiteral("The saved game to load"));
    servers_ = foundCombo(launch, "cboServerList");
    setHintText(servers_, QStringLiteral("The server to connect to"));
    serverListButton_ = named<QPushButton>(launch, "btnServerList");
    serverListButton_->setText(QStringLiteral("Edit Server List"));
    refreshServersButton_ = named<QPushButton>(launch, "btnRefreshServers");
    refreshServersButton_->setText(QStringLiteral("Refresh"));
    setHintText(refreshServersButton_,
                QStringLiteral("Ask the servers for ping, players and map again"));
    findServersButton_ = named<QPushButton>(launch, "btnFindServers");
    findServersButton_->setText(QStringLiteral("Find Servers..."));
    setHintText(findServersButton_,
                QStringLiteral("Servers of the masters, the local network and the game's address "
                               "book, with their rules and players"));
    grid->addWidget(startNewGame_, 0, 0, 1, 2);
    grid->addWidget(startMap_, 1, 0);
    grid->addWidget(mapListButton_, 1, 1);
    grid->addWidget(loadSavedGame_, 2, 0, 1, 2);
    grid->addWidget(savedGames_, 3, 0);
    grid->addWidget(connectToServer_, 4, 0);
    grid->addWidget(refreshServersButton_, 4, 1);
    grid->addWidget(servers_, 5, 0);
    grid->addWidget(serverListButton_, 5, 1);
    grid->addWidget(findServersButton_, 6, 1);
    grid->setColumnStretch(0, 1);
    // Choosing or typing a map, a saved game or a server chooses what to do with it.
    for (auto [box, button] : {std::pair{startMap_, startNewGame_},
                               {savedGames_, loadSavedGame_},
                               {servers_, connectToServer_}}) {
        new UserChoice(box, UserChoice::EveryChoice, [choice = button](const QString& text) {
            if (!text.trimmed().isEmpty())
                choice->setChecked(true);
        });
    }

    auto* right = newColumn();
    right->addWidget(launch);
    right->addLayout(downloads);
    right->addStretch();
    auto* layout = pageColumns(this);
    layout->setSpacing(blockSpacing() * 2);
    layout->addLayout(fields);
    layout->addLayout(right, 1);
    compactRows(this);
}
