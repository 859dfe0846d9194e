#include "GamesAliasesController.h"

#include "AliasDialog.h"
#include "BindingDialog.h"
#include "GameInputDialog.h"
#include "SettingDialog.h"
#include "platform/DirectorySearch.h"
#include "platform/Guard.h"
#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <memory>

using namespace ProfileKeys;

namespace {

// A game's item carries the name of its profile file.
constexpr int ProfileFileRole = Qt::UserRole;

// The select-all boxes carry a Tag: while it is not 0 their action does nothing.
constexpr char TagProperty[] = "Tag";

int tagOf(const QCheckBox& box) {
    return box.property(TagProperty).toInt();
}

void setTag(QCheckBox& box, int tag) {
    box.setProperty(TagProperty, tag);
}

int selectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.first());
}

QStringList itemTexts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

std::unique_ptr<EntryEditor> newEditor(EntryKind kind, QWidget* parent, Prompts& prompts,
                                       const EntryEditTarget& target, const QStringList& aliases) {
    switch (kind) {
    case EntryKind::Alias:
        return std::make_unique<AliasDialog>(parent, prompts, target);
    case EntryKind::Binding:
        return std::make_unique<BindingDialog>(parent, prompts, target, aliases);
    case EntryKind::Setting:
        break;
    }
    return std::make_unique<SettingDialog>(parent, prompts, target);
}

} // namespace

GamesAliasesController::GamesAliasesController(const GamesAliasesTab& tab, Prompts& prompts,
                                               IniFile& settings, QString profileDirectory,
                                               QWidget* dialogParent, QObject* parent)
    : QObject(parent), tab_(tab), prompts_(prompts), settings_(settings),
      profileDirectory_(std::move(profileDirectory)), dialogParent_(dialogParent),
      entries_{
          {{EntryKind::Alias, tab.clsAliases, tab.cbxSelectAllAliases, &ProfileFile::loadAliasList},
           {EntryKind::Binding, tab.clsBindings, tab.cbxSelectAllBindings,
            &ProfileFile::loadBindingList},
           {EntryKind::Setting, tab.clsSettings, tab.cbxSelectAllSettings,
            &ProfileFile::loadSettingList}}} {
    for (QListWidget* list : {tab_.lbxGames, tab_.clsAliases, tab_.clsBindings, tab_.clsSettings})
        list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const EntryList& kind : entries_)
        setTag(*kind.selectAll, 0);
    // The tab opens showing the global profile.
    tab_.cbxGlobalSettings->setChecked(true);
    tab_.btnUseThisGame->setEnabled(true);
    tab_.txtCurrentGame->setReadOnly(true);
    connectHandlers();
}

const GamesAliasesController::EntryList& GamesAliasesController::entries(EntryKind kind) const {
    return entries_[static_cast<std::size_t>(kind)];
}

// Check boxes act on every change of their state, also one made by the program: clearing
// "Show Global Settings" from the games list runs its action, as does clearing "Start Quake2
// with this Game" when the launch settings are read back.
void GamesAliasesController::connectHandlers() {
    const auto on = [this](auto* sender, auto signal, void (GamesAliasesController::*handler)()) {
        connect(sender, signal, this, guarded(prompts_, [this, handler] { (this->*handler)(); }));
    };
    on(tab_.cbxGlobalSettings, &QCheckBox::toggled,
       &GamesAliasesController::cbxGlobalSettingsClick);
    on(tab_.lbxGames, &QListWidget::itemSelectionChanged, &GamesAliasesController::lbxGamesClick);
    on(tab_.btnAddGame, &QAbstractButton::clicked, &GamesAliasesController::btnAddGameClick);
    on(tab_.btnDeleteGame, &QAbstractButton::clicked, &GamesAliasesController::btnDeleteGameClick);
    on(tab_.btnUseThisGame, &QAbstractButton::clicked,
       &GamesAliasesController::btnUseThisGameClick);
    on(tab_.cbxStartWithGame, &QCheckBox::toggled, &GamesAliasesController::cbxStartWithGameClick);

    connectEntryList(entries(EntryKind::Alias), tab_.btnAddAlias, tab_.btnEditAlias,
                     tab_.btnDeleteAlias);
    connectEntryList(entries(EntryKind::Binding), tab_.btnAddBinding, tab_.btnEditBinding,
                     tab_.btnDeleteBinding);
    connectEntryList(entries(EntryKind::Setting), tab_.btnAddSetting, tab_.btnEditSetting,
                     tab_.btnDeleteSetting);
}

void GamesAliasesController::connectEntryList(const EntryList& entries, QAbstractButton* add,
                                              QAbstractButton* edit, QAbstractButton* remove) {
    const EntryKind kind = entries.kind;
    const auto run = [this, kind](void (GamesAliasesController::*action)(EntryKind)) {
        return guarded(prompts_, [this, kind, action] { (this->*action)(kind); });
    };
    connect(add, &QAbstractButton::clicked, this, run(&GamesAliasesController::addEntry));
    connect(edit, &QAbstractButton::clicked, this, run(&GamesAliasesController::editEntry));
    connect(entries.list, &QListWidget::itemDoubleClicked, this,
            run(&GamesAliasesController::editEntry));
    connect(remove, &QAbstractButton::clicked, this, run(&GamesAliasesController::deleteEntry));
    connect(entries.selectAll, &QCheckBox::toggled, this, run(&GamesAliasesController::selectAll));
    connect(entries.list, &QListWidget::itemChanged, this,
            guarded(prompts_, [this, kind](QListWidgetItem* item) { clickCheck(kind, item); }));
}

// Start-up --------------------------------------------------------------------------------------

void GamesAliasesController::loadGlobalProfile() {
    fillEntryLists(ProfileFile::globalProfilePath(profileDirectory_));
}

void GamesAliasesController::fillGamesList() {
    const QSignalBlocker blocker(tab_.lbxGames);
    tab_.lbxGames->clear();
    const QString global = GlobalProfileName + ProfileExtension;
    const qsizetype extension = ProfileExtension.size();
    for (const QString& name :
         findFiles(profileDirectory_, QLatin1Char('*') + ProfileExtension, EntryFilter::All)) {
        if (name == global)
            continue;
        // The file's own name opens it: its extension may be in capitals ("Upper.VEXA").
        auto* item = new QListWidgetItem(name.chopped(extension), tab_.lbxGames);
        item->setData(ProfileFileRole, name);
    }
}

// The shown profile -----------------------------------------------------------------------------

std::optional<QString> GamesAliasesController::shownProfileName() const {
    if (tab_.cbxGlobalSettings->isChecked())
        return GlobalProfileName;
    const QString game = selectedGame();
    if (game.isNull())
        return std::nullopt;
    return game;
}

std::optional<QString> GamesAliasesController::shownProfile() const {
    if (tab_.cbxGlobalSettings->isChecked())
        return ProfileFile::globalProfilePath(profileDirectory_);
    const int row = selectedRow(*tab_.lbxGames);
    if (row < 0)
        return std::nullopt;
    return gameProfile(row);
}

QString GamesAliasesController::gameProfile(int row) const {
    const QListWidgetItem& item = *tab_.lbxGames->item(row);
    const QString file = item.data(ProfileFileRole).toString();
    if (file.isEmpty())
        return ProfileFile::gameProfilePath(profileDirectory_, item.text());
    return PlatformConventions::native().join(profileDirectory_, file);
}

void GamesAliasesController::fillEntryLists(const QString& profile) {
    for (const EntryList& kind : entries_)
        refillCheckList(*kind.list, kind.load, profile);
}

void GamesAliasesController::cbxGlobalSettingsClick() {
    if (tab_.cbxGlobalSettings->isChecked()) {
        tab_.btnUseThisGame->setEnabled(false);
        loadGlobalProfile();
        const QSignalBlocker blocker(tab_.lbxGames);
        tab_.lbxGames->clearSelection();
        return;
    }
    tab_.lbxGames->setFocus();
    if (tab_.lbxGames->count() == 0) {
        tab_.cbxGlobalSettings->setChecked(true);
        return;
    }
    lbxGamesClick();
}

// Custom entries --------------------------------------------------------------------------------

void GamesAliasesController::addEntry(EntryKind kind) {
    const auto profile = shownProfileName();
    if (!profile)
        return;
    const int count = entries(kind).list->count();
    openEditor(kind, {profileDirectory_, *profile, *shownProfile(), count, count, true});
}

void GamesAliasesController::editEntry(EntryKind kind) {
    const auto profile = shownProfileName();
    const QListWidget& list = *entries(kind).list;
    const int selected = selectedRow(list);
    if (!profile || selected < 0)
        return;
    // An alias's count is written back as it is; the others add one to what they are given.
    const int lines = kind == EntryKind::Alias ? list.count() : list.count() - 1;
    openEditor(kind, {profileDirectory_, *profile, *shownProfile(), selected, lines, false});
}

void GamesAliasesController::openEditor(EntryKind kind, const EntryEditTarget& target) {
    const auto editor = newEditor(kind, dialogParent_, prompts_, target,
                                  itemTexts(*entries(EntryKind::Alias).list));
    if (editor->exec() != QDialog::Accepted)
        return;
    const EntryList& edited = entries(kind);
    refillCheckList(*edited.list, edited.load, target.profileFile);
}

void GamesAliasesController::deleteEntry(EntryKind kind) {
    const EntryList& entries = this->entries(kind);
    const int selected = selectedRow(*entries.list);
    const auto profile = shownProfile();
    if (!profile || selected < 0)
        return;
    // The same words for every kind.
    if (!prompts_.confirm(QStringLiteral("Delete Alias ") + entries.list->item(selected)->text() +
                          QLatin1Char('?')))
        return;
    ProfileFile::deleteEntry(*profile, kind, selected + 1);
    refillCheckList(*entries.list, entries.load, *profile);
}

void GamesAliasesController::clickCheck(EntryKind kind, QListWidgetItem* item) {
    const EntryList& entries = this->entries(kind);
    QCheckBox& selectAll = *entries.selectAll;
    if (selectAll.isChecked()) {
        // Only the box goes off; the other items keep their marks.
        setTag(selectAll, 1);
        selectAll.setChecked(false);
        setTag(selectAll, 0);
    }
    const bool checked = item->checkState() == Qt::Checked;
    const auto profile = shownProfile();
    // Without a profile to keep it in, or when the profile refuses it, the mark goes back to
    // what the file holds.
    if (!profile) {
        setCheckMark(*item, !checked);
        return;
    }
    try {
        ProfileFile::setEntryChecked(*profile, kind, entries.list->row(item) + 1, checked);
    } catch (...) {
        setCheckMark(*item, !checked);
        throw;
    }
}

void GamesAliasesController::selectAll(EntryKind kind) {
    const EntryList& entries = this->entries(kind);
    const auto profile = shownProfile();
    if (tagOf(*entries.selectAll) != 0 || !profile)
        return;
    const bool checked = entries.selectAll->isChecked();
    ProfileFile::setEntriesChecked(*profile, kind, entries.list->count(), checked);
    for (int i = 0; i < entries.list->count(); ++i)
        setCheckMark(*entries.list->item(i), checked);
}

// Games -----------------------------------------------------------------------------------------

QString GamesAliasesController::selectedGame() const {
    const int row = selectedRow(*tab_.lbxGames);
    return row < 0 ? QString() : tab_.lbxGames->item(row)->text();
}

void GamesAliasesController::selectGame(int row) {
    const QSignalBlocker blocker(tab_.lbxGames);
    tab_.lbxGames->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

int GamesAliasesController::gameRow(const QString& game) const {
    for (int i = 0; i < tab_.lbxGames->count(); ++i) {
        if (tab_.lbxGames->item(i)->text() == game)
            return i;
    }
    return -1;
}

void GamesAliasesController::lbxGamesClick() {
    if (tab_.lbxGames->count() == 0)
        return;
    if (selectedRow(*tab_.lbxGames) < 0)
        selectGame(0);
    tab_.btnUseThisGame->setEnabled(true);
    fillEntryLists(gameProfile(selectedRow(*tab_.lbxGames)));
    // While it was checked, clearing it runs its action, which comes back here once more.
    tab_.cbxGlobalSettings->setChecked(false);
}

void GamesAliasesController::btnAddGameClick() {
    const QString quake2Directory = VexaIni::readString(
        settings_, VexaIni::Quake2Path, PlatformConventions::native().defaultQuake2Dir());
    GameInputDialog input(dialogParent_, prompts_, quake2Directory);
    input.exec();
    const QString game = input.GameName;
    if (game.isEmpty())
        return;
    const QString profile = ProfileFile::gameProfilePath(profileDirectory_, game);
    // An existing profile keeps its entries: the game is shown rather than started afresh.
    const bool existed = QFileInfo::exists(profile);
    if (!existed && !ProfileFile::restoreGameProfile(profile))
        ProfileFile::createGameProfile(profile);
    int row = gameRow(game);
    if (row < 0) {
        const QSignalBlocker blocker(tab_.lbxGames);
        auto* item = new QListWidgetItem(game, tab_.lbxGames);
        item->setData(ProfileFileRole, QFileInfo(profile).fileName());
        row = tab_.lbxGames->count() - 1;
    }
    if (!existed)
        return;
    selectGame(row);
    lbxGamesClick();
}

void GamesAliasesController::btnDeleteGameClick() {
    const int row = selectedRow(*tab_.lbxGames);
    if (row < 0)
        return;
    const QString game = tab_.lbxGames->item(row)->text();
    if (!prompts_.confirm(QStringLiteral("Delete Game Setting for ") + game + QLatin1Char('?')))
        return;
    // A backup already there keeps the profile as it is; the game leaves the list all the same.
    ProfileFile::backupGameProfile(gameProfile(row));
    const QSignalBlocker blocker(tab_.lbxGames);
    delete tab_.lbxGames->takeItem(row);
    tab_.lbxGames->clearSelection();
}

void GamesAliasesController::btnUseThisGameClick() {
    if (tab_.lbxGames->count() == 0)
        return;
    const int selected = selectedRow(*tab_.lbxGames);
    tab_.txtCurrentGame->setText(tab_.lbxGames->item(std::max(selected, 0))->text());
    tab_.cbxStartWithGame->setChecked(true);
}

void GamesAliasesController::cbxStartWithGameClick() {
    if (!tab_.cbxStartWithGame->isChecked())
        tab_.txtCurrentGame->clear();
}
