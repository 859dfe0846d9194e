#include "GamesPage.h"

#include "PageLayout.h"
#include "app/WidgetHelpers.h"
#include "platform/Guard.h"
#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"
#include "profiles/GameInputDialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

using namespace PageLayout;
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

} // namespace

GamesPage::GamesPage(Prompts& prompts, IniFile& settings, QString profileDirectory, QWidget* parent)
    : QWidget(parent), prompts_(prompts), settings_(settings),
      profileDirectory_(std::move(profileDirectory)) {
    setObjectName(QStringLiteral("tabAlias"));
    createWidgets();
    connectHandlers();
}

void GamesPage::createWidgets() {
    QWidget* page = this;
    games_ = named<QListWidget>(page, "lbxGames");
    games_->setFixedHeight(fontScaled(78));
    addGameButton_ = glyphButton(page, "btnAddGame", Glyph::Add, QStringLiteral("Add a game"));
    deleteGameButton_ =
        glyphButton(page, "btnDeleteGame", Glyph::Delete, QStringLiteral("Delete the game"));
    auto* useThisGame = named<QPushButton>(page, "btnUseThisGame");
    useThisGame->setText(QStringLiteral("Use this Game"));
    useThisGameButton_ = useThisGame;
    currentGame_ = named<QLineEdit>(page, "txtCurrentGame");
    currentGame_->setReadOnly(true);
    setHintText(currentGame_, QStringLiteral("The game Quake2 starts with"));
    startWithGame_ = named<QCheckBox>(page, "cbxStartWithGame");
    startWithGame_->setText(QStringLiteral("Start Quake2 with this Game"));
    // The tab opens showing the global profile.
    showGlobalSettings_ = named<QCheckBox>(page, "cbxGlobalSettings");
    showGlobalSettings_->setText(QStringLiteral("Show Global Settings"));
    showGlobalSettings_->setChecked(true);

    auto* games = new QGridLayout;
    games->setHorizontalSpacing(blockSpacing());
    games->setVerticalSpacing(rowSpacing());
    games->addWidget(newLabel(page, QStringLiteral("Games"), "lblGames"), 0, 0);
    games->addWidget(games_, 1, 0, 4, 1);
    auto* gameButtons = new QHBoxLayout;
    gameButtons->setSpacing(2);
    gameButtons->addWidget(addGameButton_);
    gameButtons->addWidget(deleteGameButton_);
    gameButtons->addStretch();
    games->addLayout(gameButtons, 1, 1);
    games->addWidget(useThisGameButton_, 2, 1);
    auto* current = newRow(fieldSpacing());
    current->addWidget(newLabel(page, QStringLiteral("Current Game")));
    current->addWidget(currentGame_, 1);
    games->addLayout(current, 3, 1);
    games->addWidget(startWithGame_, 4, 1);
    games->addWidget(showGlobalSettings_, 0, 2);
    games->setColumnStretch(0, 1);
    games->setColumnStretch(1, 1);

    struct Names {
        const char* widgets[5]; // list, select-all box, add, delete, edit
        const char* word;       // "Alias", "Binding", "Setting"
        const char* plural;
    } const names[] = {
        {{"clsAliases", "cbxSelectAllAliases", "btnAddAlias", "btnDeleteAlias", "btnEditAlias"},
         "Alias",
         "Aliases"},
        {{"clsBindings", "cbxSelectAllBindings", "btnAddBinding", "btnDeleteBinding",
          "btnEditBinding"},
         "Binding",
         "Bindings"},
        {{"clsSettings", "cbxSelectAllSettings", "btnAddSetting", "btnDeleteSetting",
          "btnEditSetting"},
         "Setting",
         "Settings"},
    };
    auto* lists = new QHBoxLayout;
    lists->setSpacing(8);
    for (EntryList& kind : entries_) {
        const Names& name = names[static_cast<std::size_t>(kind.kind)];
        const QString word = QLatin1String(name.word);
        kind.list = named<QListWidget>(page, name.widgets[0]);
        kind.selectAll = named<QCheckBox>(page, name.widgets[1]);
        kind.selectAll->setText(QStringLiteral("Select all ") + QLatin1String(name.plural));
        setTag(*kind.selectAll, 0);
        kind.add = glyphButton(page, name.widgets[2], Glyph::Add, QStringLiteral("Add ") + word);
        kind.remove =
            glyphButton(page, name.widgets[3], Glyph::Delete, QStringLiteral("Delete ") + word);
        kind.edit = named<QPushButton>(page, name.widgets[4]);
        kind.edit->setText(QStringLiteral("Edit ") + word);

        auto* column = newColumn();
        column->setSpacing(rowSpacing());
        column->addWidget(newLabel(page, QLatin1String(name.plural)));
        column->addWidget(kind.list, 1);
        column->addWidget(kind.selectAll);
        auto* buttons = new QHBoxLayout;
        buttons->setSpacing(2);
        buttons->addWidget(kind.add);
        buttons->addWidget(kind.remove);
        buttons->addStretch();
        buttons->addWidget(kind.edit);
        column->addLayout(buttons);
        lists->addLayout(column, 1);
    }
    for (QListWidget* list : {games_, entries_[0].list, entries_[1].list, entries_[2].list})
        list->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(pageMargin(), pageMargin(), pageMargin(), pageMargin());
    layout->setSpacing(blockSpacing());
    layout->addLayout(games);
    layout->addLayout(lists, 1);
    compactRows(page);
}

const GamesPage::EntryList& GamesPage::entries(EntryKind kind) const {
    return entries_[static_cast<std::size_t>(kind)];
}

// Check boxes act on every change of their state, also one made by the program: clearing
// "Show Global Settings" from the games list runs its action, as does clearing "Start Quake2
// with this Game" when the launch settings are read back.
void GamesPage::connectHandlers() {
    const auto on = [this](auto* sender, auto signal, void (GamesPage::*handler)()) {
        connect(sender, signal, this, guarded(prompts_, [this, handler] { (this->*handler)(); }));
    };
    on(showGlobalSettings_, &QCheckBox::toggled, &GamesPage::showGlobalSettingsToggled);
    on(games_, &QListWidget::itemSelectionChanged, &GamesPage::showSelectedGame);
    on(addGameButton_, &QAbstractButton::clicked, &GamesPage::addGame);
    on(deleteGameButton_, &QAbstractButton::clicked, &GamesPage::deleteGame);
    on(useThisGameButton_, &QAbstractButton::clicked, &GamesPage::useThisGame);
    on(startWithGame_, &QCheckBox::toggled, &GamesPage::startWithGameToggled);
    for (const EntryList& kind : entries_)
        connectEntryList(kind);
}

void GamesPage::connectEntryList(const EntryList& entries) {
    const EntryKind kind = entries.kind;
    const auto run = [this, kind](void (GamesPage::*action)(EntryKind)) {
        return guarded(prompts_, [this, kind, action] { (this->*action)(kind); });
    };
    connect(entries.add, &QAbstractButton::clicked, this, run(&GamesPage::addEntry));
    connect(entries.edit, &QAbstractButton::clicked, this, run(&GamesPage::editEntry));
    connect(entries.list, &QListWidget::itemDoubleClicked, this, run(&GamesPage::editEntry));
    connect(entries.remove, &QAbstractButton::clicked, this, run(&GamesPage::deleteEntry));
    connect(entries.selectAll, &QCheckBox::toggled, this, run(&GamesPage::selectAllToggled));
    connect(entries.list, &QListWidget::itemChanged, this,
            guarded(prompts_, [this, kind](QListWidgetItem* item) { entryTicked(kind, item); }));
}

// Start-up --------------------------------------------------------------------------------------

void GamesPage::loadGlobalProfile() {
    fillEntryLists(ProfileFile::globalProfilePath(profileDirectory_));
}

void GamesPage::fillGamesList() {
    const QSignalBlocker blocker(games_);
    games_->clear();
    for (const QString& file : ProfileFile::gameProfileFiles(profileDirectory_)) {
        // The file's own name opens it: its extension may be in capitals ("Upper.VEXA").
        auto* item = new QListWidgetItem(file.chopped(ProfileExtension.size()), games_);
        item->setData(ProfileFileRole, file);
    }
}

// The shown profile -----------------------------------------------------------------------------

std::optional<QString> GamesPage::shownProfileName() const {
    if (showGlobalSettings_->isChecked())
        return GlobalProfileName;
    const QString game = selectedGame();
    if (game.isNull())
        return std::nullopt;
    return game;
}

std::optional<QString> GamesPage::shownProfile() const {
    if (showGlobalSettings_->isChecked())
        return ProfileFile::globalProfilePath(profileDirectory_);
    const int row = selectedRow(*games_);
    if (row < 0)
        return std::nullopt;
    return gameProfile(row);
}

QString GamesPage::gameProfile(int row) const {
    const QListWidgetItem& item = *games_->item(row);
    const QString file = item.data(ProfileFileRole).toString();
    if (file.isEmpty())
        return ProfileFile::gameProfilePath(profileDirectory_, item.text());
    return PlatformConventions::native().join(profileDirectory_, file);
}

void GamesPage::fillEntryLists(const QString& profile) {
    for (const EntryList& kind : entries_)
        refillCheckList(*kind.list, kind.load, profile);
}

void GamesPage::showGlobalSettingsToggled() {
    if (showGlobalSettings_->isChecked()) {
        useThisGameButton_->setEnabled(false);
        loadGlobalProfile();
        const QSignalBlocker blocker(games_);
        games_->clearSelection();
        return;
    }
    games_->setFocus();
    if (games_->count() == 0) {
        showGlobalSettings_->setChecked(true);
        return;
    }
    showSelectedGame();
}

// Custom entries --------------------------------------------------------------------------------

void GamesPage::addEntry(EntryKind kind) {
    const auto profile = shownProfileName();
    if (!profile)
        return;
    const int count = entries(kind).list->count();
    openEditor(kind, {profileDirectory_, *profile, *shownProfile(), count, count, true});
}

void GamesPage::editEntry(EntryKind kind) {
    const auto profile = shownProfileName();
    const QListWidget& list = *entries(kind).list;
    const int selected = selectedRow(list);
    if (!profile || selected < 0)
        return;
    // An alias's count is written back as it is; the others add one to what they are given.
    const int lines = kind == EntryKind::Alias ? list.count() : list.count() - 1;
    openEditor(kind, {profileDirectory_, *profile, *shownProfile(), selected, lines, false});
}

void GamesPage::openEditor(EntryKind kind, const EntryEditTarget& target) {
    const auto editor =
        newEntryEditor(kind, window(), prompts_, target, itemTexts(*entryList(EntryKind::Alias)));
    if (editor->exec() != QDialog::Accepted)
        return;
    const EntryList& edited = entries(kind);
    refillCheckList(*edited.list, edited.load, target.profileFile);
}

void GamesPage::deleteEntry(EntryKind kind) {
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

void GamesPage::entryTicked(EntryKind kind, QListWidgetItem* item) {
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

void GamesPage::selectAllToggled(EntryKind kind) {
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

QString GamesPage::selectedGame() const {
    const int row = selectedRow(*games_);
    return row < 0 ? QString() : games_->item(row)->text();
}

void GamesPage::selectGame(int row) {
    const QSignalBlocker blocker(games_);
    games_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

int GamesPage::gameRow(const QString& game) const {
    for (int i = 0; i < games_->count(); ++i) {
        if (games_->item(i)->text() == game)
            return i;
    }
    return -1;
}

void GamesPage::showSelectedGame() {
    if (games_->count() == 0)
        return;
    if (selectedRow(*games_) < 0)
        selectGame(0);
    useThisGameButton_->setEnabled(true);
    fillEntryLists(gameProfile(selectedRow(*games_)));
    // While it was checked, clearing it runs its action, which comes back here once more.
    showGlobalSettings_->setChecked(false);
}

void GamesPage::addGame() {
    const QString quake2Directory = VexaIni::readString(
        settings_, VexaIni::Quake2Path, PlatformConventions::native().defaultQuake2Dir());
    GameInputDialog input(window(), prompts_, quake2Directory);
    input.exec();
    const QString game = input.gameName();
    if (game.isEmpty())
        return;
    const QString profile = ProfileFile::gameProfilePath(profileDirectory_, game);
    // An existing profile keeps its entries: the game is shown rather than started afresh.
    const bool existed = ProfileFile::provideGameProfile(profile);
    int row = gameRow(game);
    if (row < 0) {
        const QSignalBlocker blocker(games_);
        auto* item = new QListWidgetItem(game, games_);
        item->setData(ProfileFileRole, QFileInfo(profile).fileName());
        row = games_->count() - 1;
    }
    if (!existed)
        return;
    selectGame(row);
    showSelectedGame();
}

void GamesPage::deleteGame() {
    const int row = selectedRow(*games_);
    if (row < 0)
        return;
    const QString game = games_->item(row)->text();
    if (!prompts_.confirm(QStringLiteral("Delete Game Setting for ") + game + QLatin1Char('?')))
        return;
    // A backup already there keeps the profile as it is; the game leaves the list all the same.
    ProfileFile::backupGameProfile(gameProfile(row));
    const QSignalBlocker blocker(games_);
    delete games_->takeItem(row);
    games_->clearSelection();
}

void GamesPage::useThisGame() {
    if (games_->count() == 0)
        return;
    const int selected = selectedRow(*games_);
    currentGame_->setText(games_->item(std::max(selected, 0))->text());
    startWithGame_->setChecked(true);
}

void GamesPage::startWithGameToggled() {
    if (!startWithGame_->isChecked())
        currentGame_->clear();
}
