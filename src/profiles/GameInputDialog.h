#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>

class Prompts;
class QComboBox;
class QPushButton;

// The game directories of a Quake 2 installation that may be offered as new games: every folder
// in name order, in lower case, without hidden ones (which "." and ".." are here), names with a
// three-letter extension, and the game's own "baseq2" and "docs" and "vexa". An unreadable
// directory offers nothing.
QStringList gameCandidates(const QString& quake2Directory);

// Why a name cannot be a game, or nothing when it can. A game is named after its folder, and its
// profile is "<name>.vexa" beside the global one: the name is one plain folder name (no "/" or
// "\", no control character, not starting with "."), and not the global profile's name in any
// letter case.
std::optional<QString> gameNameProblem(const QString& name);

// Asks for the name of a game (the folder of a Quake 2 mod); the installed ones are offered. OK
// with a name that cannot be a game says why and keeps the dialog open.
class GameInputDialog : public QDialog {
    Q_OBJECT
public:
    GameInputDialog(QWidget* parent, Prompts& prompts, const QString& quake2Directory);

    QComboBox* gamesBox() const { return gamesBox_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // The name as typed; empty unless OK was pressed with a name that is not blank.
    const QString& gameName() const { return gameName_; }

    void formActivate();
    void acceptName();
    void cancel();

private:
    Prompts& prompts_;
    QString quake2Directory_;
    QString gameName_;
    QComboBox* gamesBox_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};
