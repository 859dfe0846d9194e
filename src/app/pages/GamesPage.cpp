#include "GamesPage.h"

#include "PageLayout.h"
#include "app/WidgetHelpers.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace PageLayout;

GamesPage::GamesPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabAlias"));
    QWidget* page = this;
    GamesAliasesTab& w = widgets_;

    w.lbxGames = named<QListWidget>(page, "lbxGames");
    w.lbxGames->setFixedHeight(78);
    w.btnAddGame = glyphButton(page, "btnAddGame", Glyph::Add, QStringLiteral("Add a game"));
    w.btnDeleteGame =
        glyphButton(page, "btnDeleteGame", Glyph::Delete, QStringLiteral("Delete the game"));
    auto* useThisGame = named<QPushButton>(page, "btnUseThisGame");
    useThisGame->setText(QStringLiteral("Use this Game"));
    w.btnUseThisGame = useThisGame;
    w.txtCurrentGame = named<QLineEdit>(page, "txtCurrentGame");
    w.txtCurrentGame->setReadOnly(true);
    setHintText(w.txtCurrentGame, QStringLiteral("The game Quake2 starts with"));
    w.cbxStartWithGame = named<QCheckBox>(page, "cbxStartWithGame");
    w.cbxStartWithGame->setText(QStringLiteral("Start Quake2 with this Game"));
    w.cbxGlobalSettings = named<QCheckBox>(page, "cbxGlobalSettings");
    w.cbxGlobalSettings->setText(QStringLiteral("Show Global Settings"));
    w.cbxGlobalSettings->setChecked(true);

    auto* games = new QGridLayout;
    games->setHorizontalSpacing(BlockSpacing);
    games->setVerticalSpacing(RowSpacing);
    games->addWidget(newLabel(page, QStringLiteral("Games"), "lblGames"), 0, 0);
    games->addWidget(w.lbxGames, 1, 0, 4, 1);
    auto* gameButtons = new QHBoxLayout;
    gameButtons->setSpacing(2);
    gameButtons->addWidget(w.btnAddGame);
    gameButtons->addWidget(w.btnDeleteGame);
    gameButtons->addStretch();
    games->addLayout(gameButtons, 1, 1);
    games->addWidget(w.btnUseThisGame, 2, 1);
    auto* current = newRow(FieldSpacing);
    current->addWidget(newLabel(page, QStringLiteral("Current Game")));
    current->addWidget(w.txtCurrentGame, 1);
    games->addLayout(current, 3, 1);
    games->addWidget(w.cbxStartWithGame, 4, 1);
    games->addWidget(w.cbxGlobalSettings, 0, 2);
    games->setColumnStretch(0, 1);
    games->setColumnStretch(1, 1);

    struct Kind {
        QListWidget** list;
        QCheckBox** selectAll;
        QAbstractButton** add;
        QAbstractButton** remove;
        QAbstractButton** edit;
        const char* names[5];
        const char* word; // "Alias", "Binding", "Setting"
        const char* plural;
    } const kinds[] = {
        {&widgets_.clsAliases,
         &widgets_.cbxSelectAllAliases,
         &widgets_.btnAddAlias,
         &widgets_.btnDeleteAlias,
         &widgets_.btnEditAlias,
         {"clsAliases", "cbxSelectAllAliases", "btnAddAlias", "btnDeleteAlias", "btnEditAlias"},
         "Alias",
         "Aliases"},
        {&widgets_.clsBindings,
         &widgets_.cbxSelectAllBindings,
         &widgets_.btnAddBinding,
         &widgets_.btnDeleteBinding,
         &widgets_.btnEditBinding,
         {"clsBindings", "cbxSelectAllBindings", "btnAddBinding", "btnDeleteBinding",
          "btnEditBinding"},
         "Binding",
         "Bindings"},
        {&widgets_.clsSettings,
         &widgets_.cbxSelectAllSettings,
         &widgets_.btnAddSetting,
         &widgets_.btnDeleteSetting,
         &widgets_.btnEditSetting,
         {"clsSettings", "cbxSelectAllSettings", "btnAddSetting", "btnDeleteSetting",
          "btnEditSetting"},
         "Setting",
         "Settings"},
    };
    auto* lists = new QHBoxLayout;
    lists->setSpacing(8);
    for (const Kind& kind : kinds) {
        const QString word = QLatin1String(kind.word);
        *kind.list = named<QListWidget>(page, kind.names[0]);
        *kind.selectAll = named<QCheckBox>(page, kind.names[1]);
        (*kind.selectAll)->setText(QStringLiteral("Select all ") + QLatin1String(kind.plural));
        (*kind.selectAll)->setProperty("Tag", 0);
        *kind.add = glyphButton(page, kind.names[2], Glyph::Add, QStringLiteral("Add ") + word);
        *kind.remove =
            glyphButton(page, kind.names[3], Glyph::Delete, QStringLiteral("Delete ") + word);
        *kind.edit = named<QPushButton>(page, kind.names[4]);
        (*kind.edit)->setText(QStringLiteral("Edit ") + word);

        auto* column = newColumn();
        column->setSpacing(RowSpacing);
        column->addWidget(newLabel(page, QLatin1String(kind.plural)));
        column->addWidget(*kind.list, 1);
        column->addWidget(*kind.selectAll);
        auto* buttons = new QHBoxLayout;
        buttons->setSpacing(2);
        buttons->addWidget(*kind.add);
        buttons->addWidget(*kind.remove);
        buttons->addStretch();
        buttons->addWidget(*kind.edit);
        column->addLayout(buttons);
        lists->addLayout(column, 1);
    }

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(PageMargin, PageMargin, PageMargin, PageMargin);
    layout->setSpacing(BlockSpacing);
    layout->addLayout(games);
    layout->addLayout(lists, 1);
    compactRows(page);
}
