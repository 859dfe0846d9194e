#pragma once

#include <QWidget>

class CatalogueLayout;
class QComboBox;
class QPushButton;
class QRadioButton;

// The Client tab: client and download settings of the catalogue, and what the game does when it
// starts: a new game on a map, a saved game, or a server to connect to, with the buttons that
// edit the map and server lists.
class ClientPage : public QWidget {
    Q_OBJECT
public:
    ClientPage(CatalogueLayout& settings, QWidget* parent);

    QRadioButton* startNewGame() const { return startNewGame_; }
    QRadioButton* loadSavedGame() const { return loadSavedGame_; }
    QRadioButton* connectToServer() const { return connectToServer_; }
    QComboBox* startMap() const { return startMap_; }
    QComboBox* savedGames() const { return savedGames_; }
    QComboBox* servers() const { return servers_; }
    QPushButton* mapListButton() const { return mapListButton_; }
    QPushButton* serverListButton() const { return serverListButton_; }
    QPushButton* refreshServersButton() const { return refreshServersButton_; }
    QPushButton* findServersButton() const { return findServersButton_; }

private:
    QRadioButton* startNewGame_;
    QRadioButton* loadSavedGame_;
    QRadioButton* connectToServer_;
    QComboBox* startMap_;
    QComboBox* savedGames_;
    QComboBox* servers_;
    QPushButton* mapListButton_;
    QPushButton* serverListButton_;
    QPushButton* refreshServersButton_;
    QPushButton* findServersButton_;
};
