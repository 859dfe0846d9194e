#pragma once

#include "profiles/EntryEditor.h"
#include "profiles/ProfileCheckList.h"
#include "profiles/ProfileFile.h"

#include <QWidget>
#include <array>
#include <optional>

class IniFile;
class Prompts;
class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// The Games & Aliases tab: the games list and the current game above the aliases, bindings and
// settings of the shown profile. The lists show the global profile while "Show Global Settings"
// is checked, else the selected game's; every change goes to the profile at once. Handlers run
// through the guard, so a failure shows its message and the tab goes on.
class GamesPage : public QWidget {
    Q_OBJECT
public:
    // profileDirectory: the program's directory, which holds the profiles. settings: vexa.ini,
    // read when a value is used ([quake2] path for new games). The editors and the new-game
    // dialog open over the page's window.
    GamesPage(Prompts& prompts, IniFile& settings, QString profileDirectory, QWidget* parent);

    // Start-up: the three lists from the global profile (a malformed count throws), then the
    // games found in the profile directory.
    void loadGlobalProfile();
    void fillGamesList();

    // The profile the lists show: the global one while "Show Global Settings" is checked, else
    // the selected game's; nothing when no game is selected then.
    std::optional<QString> shownProfile() const;

    // The games: one line per game profile.
    QListWidget* games() const { return games_; }
    QAbstractButton* addGameButton() const { return addGameButton_; }
    QAbstractButton* deleteGameButton() const { return deleteGameButton_; }
    QAbstractButton* useThisGameButton() const { return useThisGameButton_; } // "Use this Game"
    QLineEdit* currentGame() const { return currentGame_; }     // read-only, empty when none
    QCheckBox* startWithGame() const { return startWithGame_; } // "Start Quake2 with this Game"
    QCheckBox* showGlobalSettings() const { return showGlobalSettings_; }

    // The custom entries of the shown profile, one list of each kind.
    QListWidget* entryList(EntryKind kind) const { return entries(kind).list; }
    QCheckBox* selectAllBox(EntryKind kind) const { return entries(kind).selectAll; }
    QAbstractButton* addEntryButton(EntryKind kind) const { return entries(kind).add; }
    QAbstractButton* editEntryButton(EntryKind kind) const { return entries(kind).edit; }
    QAbstractButton* deleteEntryButton(EntryKind kind) const { return entries(kind).remove; }

private:
    struct EntryList {
        EntryKind kind;
        ProfileListLoader load;
        QListWidget* list = nullptr;
        QCheckBox* selectAll = nullptr;
        QAbstractButton* add = nullptr;
        QAbstractButton* edit = nullptr;
        QAbstractButton* remove = nullptr;
    };

    void createWidgets();
    const EntryList& entries(EntryKind kind) const;
    void connectHandlers();
    void connectEntryList(const EntryList& entries);

    std::optional<QString> shownProfileName() const;
    void fillEntryLists(const QString& profile);
    void showGlobalSettingsToggled();

    void addEntry(EntryKind kind);
    void editEntry(EntryKind kind);
    void openEditor(EntryKind kind, const EntryEditTarget& target);
    void deleteEntry(EntryKind kind);
    void entryTicked(EntryKind kind, QListWidgetItem* item);
    void selectAllToggled(EntryKind kind);

    QString selectedGame() const;
    QString gameProfile(int row) const;
    void selectGame(int row);
    int gameRow(const QString& game) const;
    void showSelectedGame();
    void addGame();
    void deleteGame();
    void useThisGame();
    void startWithGameToggled();

    Prompts& prompts_;
    IniFile& settings_;
    QString profileDirectory_;

    QListWidget* games_ = nullptr;
    QAbstractButton* addGameButton_ = nullptr;
    QAbstractButton* deleteGameButton_ = nullptr;
    QAbstractButton* useThisGameButton_ = nullptr;
    QLineEdit* currentGame_ = nullptr;
    QCheckBox* startWithGame_ = nullptr;
    QCheckBox* showGlobalSettings_ = nullptr;
    std::array<EntryList, 3> entries_{
        {{.kind = EntryKind::Alias, .load = &ProfileFile::loadAliasList},
         {.kind = EntryKind::Binding, .load = &ProfileFile::loadBindingList},
         {.kind = EntryKind::Setting, .load = &ProfileFile::loadSettingList}}};
};
