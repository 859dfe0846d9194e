#pragma once

#include "launch/ServerSearch.h"
#include "settings/Engine.h"

#include <QDialog>

class IniFile;
class Prompts;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class ServerFilter;
class ServerTableModel;

// Where the browser finds its servers and keeps what it adds.
struct ServerBrowserPlaces {
    QString serverList;           // servers.txt
    QStringList addressBookFiles; // the scripts holding adr0..adr8, in the game's order
    QString favouritesScript;     // Vexa's own script, where favourites go
    Engine engine = Engine::id;
};

// "Find Servers": one table of the servers of every source ticked (servers.txt, the game's address
// book, the local network, the masters of vexa.ini), sortable and filtered, with the rules and
// players of the server chosen. Nothing is asked until the player presses Refresh, or the window
// opens with "Refresh when shown" ticked. Connect (or a double-click) closes the window with the
// server chosen to join; a server can be added to the address book's first free slot or to
// servers.txt.
class ServerBrowser : public QDialog {
    Q_OBJECT

public:
    ServerBrowser(IniFile& settings, Prompts& prompts, ServerBrowserPlaces places,
                  QWidget* parent = nullptr);

    // The server to join once the window closed with Connect; empty otherwise.
    const QString& chosenServer() const { return chosen_; }

    ServerSearch& search() { return search_; }
    QTableView* table() const { return table_; }
    QTableWidget* rules() const { return rules_; }
    QTableWidget* players() const { return players_; }
    QLabel* statusLabel() const { return status_; }
    ServerFilter* filter() const { return filter_; }

    // Asks the sources ticked anew.
    void refresh();
    // The server of the table's current row; empty without one.
    QString currentServer() const;
    // Adds the current server to the address book (its first free slot) / servers.txt; false,
    // after saying why, when it is there already or the book is full.
    bool addToFavourites();
    bool addToServerList();
    void connectToCurrent();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createSources();
    QWidget* createFilters();
    QWidget* createDetails();
    QWidget* createButtons();
    ServerSources chosenSources();
    void storeTicks();
    void showDetails();
    void showStatus();

    IniFile& settings_;
    Prompts& prompts_;
    const ServerBrowserPlaces places_;
    ServerSearch search_;
    ServerTableModel* model_;
    ServerFilter* filter_;
    QCheckBox* fromList_ = nullptr;
    QCheckBox* fromAddressBook_ = nullptr;
    QCheckBox* fromLan_ = nullptr;
    QCheckBox* fromMasters_ = nullptr;
    QCheckBox* refreshWhenShown_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QCheckBox* hideEmpty_ = nullptr;
    QCheckBox* hideFull_ = nullptr;
    QLineEdit* text_ = nullptr;
    QTableView* table_ = nullptr;
    QTableWidget* rules_ = nullptr;
    QTableWidget* players_ = nullptr;
    QLabel* status_ = nullptr;
    QStringList problems_;
    QString chosen_;
    bool shown_ = false;
};
