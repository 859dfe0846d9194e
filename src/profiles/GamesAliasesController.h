#pragma once

#include "EntryEditor.h"
#include "ProfileCheckList.h"
#include "ProfileFile.h"

#include <QObject>
#include <array>
#include <optional>

class IniFile;
class Prompts;
class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QWidget;

// The widgets of the Games & Aliases tab. The main window creates them (object names as the
// members) and hands them over; the controller gives them their behaviour.
struct GamesAliasesTab {
    // The games: one line per game profile.
    QListWidget* lbxGames = nullptr;
    QAbstractButton* btnAddGame = nullptr;
    QAbstractButton* btnDeleteGame = nullptr;
    QAbstractButton* btnUseThisGame = nullptr; // "Use this Game"
    QLineEdit* txtCurrentGame = nullptr;       // read-only: the current game, empty when none
    QCheckBox* cbxStartWithGame = nullptr;     // "Start Quake2 with this Game"

    // The custom entries of the shown profile.
    QCheckBox* cbxGlobalSettings = nullptr; // "Show Global Settings"
    QListWidget* clsAliases = nullptr;
    QCheckBox* cbxSelectAllAliases = nullptr; // "Select all Aliases"
    QAbstractButton* btnAddAlias = nullptr;
    QAbstractButton* btnEditAlias = nullptr; // "Edit Alias"
    QAbstractButton* btnDeleteAlias = nullptr;
    QListWidget* clsBindings = nullptr;
    QCheckBox* cbxSelectAllBindings = nullptr; // "Select all Bindings"
    QAbstractButton* btnAddBinding = nullptr;
    QAbstractButton* btnEditBinding = nullptr; // "Edit Binding"
    QAbstractButton* btnDeleteBinding = nullptr;
    QListWidget* clsSettings = nullptr;
    QCheckBox* cbxSelectAllSettings = nullptr; // "Select all Settings"
    QAbstractButton* btnAddSetting = nullptr;
    QAbstractButton* btnEditSetting = nullptr; // "Edit Setting"
    QAbstractButton* btnDeleteSetting = nullptr;
};

// The behaviour of the Games & Aliases tab: which profile the three lists show, the entry
// editors, ticking entries, and the games list. Every change goes to the profile at once.
// Handlers run through the guard, so a failure shows its message and the tab goes on.
class GamesAliasesController : public QObject {
    Q_OBJECT
public:
    // profileDirectory: the program's directory, which holds the profiles. settings: vexa.ini,
    // read when a value is used ([quake2] path for new games).
    // The editors and the new-game dialog open over dialogParent.
    GamesAliasesController(const GamesAliasesTab& tab, Prompts& prompts, IniFile& settings,
                           QString profileDirectory, QWidget* dialogParent,
                           QObject* parent = nullptr);

    // Start-up: the three lists from the global profile (a malformed count throws), then the
    // games found in the profile directory.
    void loadGlobalProfile();
    void fillGamesList();

    // The profile the lists show: the global one while "Show Global Settings" is checked, else
    // the selected game's; nothing when no game is selected then.
    std::optional<QString> shownProfile() const;

    void cbxGlobalSettingsClick();

    void btnAddAliasClick() { addEntry(EntryKind::Alias); }
    void btnAddBindingClick() { addEntry(EntryKind::Binding); }
    void btnAddSettingClick() { addEntry(EntryKind::Setting); }
    void btnEditAliasClick() { editEntry(EntryKind::Alias); }
    void btnEditBindingClick() { editEntry(EntryKind::Binding); }
    void btnEditSettingClick() { editEntry(EntryKind::Setting); }
    void btnDeleteAliasClick() { deleteEntry(EntryKind::Alias); }
    void btnDeleteBindingClick() { deleteEntry(EntryKind::Binding); }
    void btnDeleteSettingClick() { deleteEntry(EntryKind::Setting); }

    void clsAliasesClickCheck(QListWidgetItem* item) { clickCheck(EntryKind::Alias, item); }
    void clsBindingsClickCheck(QListWidgetItem* item) { clickCheck(EntryKind::Binding, item); }
    void clsSettingsClickCheck(QListWidgetItem* item) { clickCheck(EntryKind::Setting, item); }
    void cbxSelectAllAliasesClick() { selectAll(EntryKind::Alias); }
    void cbxSelectAllBindingsClick() { selectAll(EntryKind::Binding); }
    void cbxSelectAllSettingsClick() { selectAll(EntryKind::Setting); }

    void lbxGamesClick();
    void btnAddGameClick();
    void btnDeleteGameClick();
    void btnUseThisGameClick();
    void cbxStartWithGameClick();

private:
    struct EntryList {
        EntryKind kind;
        QListWidget* list;
        QCheckBox* selectAll;
        ProfileListLoader load;
    };

    const EntryList& entries(EntryKind kind) const;
    void connectHandlers();
    void connectEntryList(const EntryList& entries, QAbstractButton* add, QAbstractButton* edit,
                          QAbstractButton* remove);

    std::optional<QString> shownProfileName() const;
    void fillEntryLists(const QString& profile);

    void addEntry(EntryKind kind);
    void editEntry(EntryKind kind);
    void openEditor(EntryKind kind, const EntryEditTarget& target);
    void deleteEntry(EntryKind kind);
    void clickCheck(EntryKind kind, QListWidgetItem* item);
    void selectAll(EntryKind kind);

    QString selectedGame() const;
    QString gameProfile(int row) const;
    void selectGame(int row);
    int gameRow(const QString& game) const;

    GamesAliasesTab tab_;
    Prompts& prompts_;
    IniFile& settings_;
    QString profileDirectory_;
    QWidget* dialogParent_;
    std::array<EntryList, 3> entries_;
};
