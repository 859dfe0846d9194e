// The contents of the main window's tabs. Setting controls are made from the catalogue, tab by
// tab in catalogue order, so the depth-first widget order is the catalogue's; layouts then put
// every widget in its place without changing that order (a layout never reparents a widget that
// already belongs to the page).

#include "app/MainWindow.h"

#include "app/MultiRowTabWidget.h"
#include "app/Pictures.h"
#include "app/WidgetHelpers.h"
#include "app/pages/CatalogueLayout.h"
#include "app/pages/PageLayout.h"
#include "config/DeathmatchFlags.h"
#include "controls/Catalogue.h"
#include "controls/CatalogueControls.h"
#include "controls/ChoiceBox.h"
#include "controls/KeyNames.h"
#include "controls/MaskedNumberEdit.h"
#include "controls/SettingCheckBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

using namespace PageLayout;

// ---------------------------------------------------------------------------------------------
// Catalogue controls

QWidget* MainWindow::settingControl(const QString& command) const {
    return catalogueLayout_.control(command);
}

QObject* MainWindow::namedObject(const QString& name) const {
    QPointer<QObject>& found = namedObjects_[name];
    if (!found)
        found = findChild<QObject*>(name);
    return found;
}

// ---------------------------------------------------------------------------------------------
// Games & Aliases

void MainWindow::createGamesTab() {
    QWidget* page = tabAlias;

    lbxGames = named<QListWidget>(page, "lbxGames");
    lbxGames->setFixedHeight(78);
    btnAddGame = glyphButton(page, "btnAddGame", Glyph::Add, QStringLiteral("Add a game"));
    btnDeleteGame =
        glyphButton(page, "btnDeleteGame", Glyph::Delete, QStringLiteral("Delete the game"));
    btnUseThisGame = named<QPushButton>(page, "btnUseThisGame");
    btnUseThisGame->setText(QStringLiteral("Use this Game"));
    txtCurrentGame = named<QLineEdit>(page, "txtCurrentGame");
    txtCurrentGame->setReadOnly(true);
    setHintText(txtCurrentGame, QStringLiteral("The game Quake2 starts with"));
    cbxStartWithGame = named<QCheckBox>(page, "cbxStartWithGame");
    cbxStartWithGame->setText(QStringLiteral("Start Quake2 with this Game"));
    cbxGlobalSettings = named<QCheckBox>(page, "cbxGlobalSettings");
    cbxGlobalSettings->setText(QStringLiteral("Show Global Settings"));
    cbxGlobalSettings->setChecked(true);

    auto* games = new QGridLayout;
    games->setHorizontalSpacing(BlockSpacing);
    games->setVerticalSpacing(RowSpacing);
    games->addWidget(newLabel(page, QStringLiteral("Games"), "lblGames"), 0, 0);
    games->addWidget(lbxGames, 1, 0, 4, 1);
    auto* gameButtons = new QHBoxLayout;
    gameButtons->setSpacing(2);
    gameButtons->addWidget(btnAddGame);
    gameButtons->addWidget(btnDeleteGame);
    gameButtons->addStretch();
    games->addLayout(gameButtons, 1, 1);
    games->addWidget(btnUseThisGame, 2, 1);
    auto* current = newRow(FieldSpacing);
    current->addWidget(newLabel(page, QStringLiteral("Current Game")));
    current->addWidget(txtCurrentGame, 1);
    games->addLayout(current, 3, 1);
    games->addWidget(cbxStartWithGame, 4, 1);
    games->addWidget(cbxGlobalSettings, 0, 2);
    games->setColumnStretch(0, 1);
    games->setColumnStretch(1, 1);

    struct Kind {
        QListWidget** list;
        QCheckBox** selectAll;
        QToolButton** add;
        QToolButton** remove;
        QPushButton** edit;
        const char* names[5];
        const char* word; // "Alias", "Binding", "Setting"
        const char* plural;
    } const kinds[] = {
        {&clsAliases,
         &cbxSelectAllAliases,
         &btnAddAlias,
         &btnDeleteAlias,
         &btnEditAlias,
         {"clsAliases", "cbxSelectAllAliases", "btnAddAlias", "btnDeleteAlias", "btnEditAlias"},
         "Alias",
         "Aliases"},
        {&clsBindings,
         &cbxSelectAllBindings,
         &btnAddBinding,
         &btnDeleteBinding,
         &btnEditBinding,
         {"clsBindings", "cbxSelectAllBindings", "btnAddBinding", "btnDeleteBinding",
          "btnEditBinding"},
         "Binding",
         "Bindings"},
        {&clsSettings,
         &cbxSelectAllSettings,
         &btnAddSetting,
         &btnDeleteSetting,
         &btnEditSetting,
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

// ---------------------------------------------------------------------------------------------
// Enabling rules

void MainWindow::sbcin_mouseClick() {
    auto* useMouse = qobject_cast<SettingCheckBox*>(settingControl(QStringLiteral("in_mouse")));
    settingControl(QStringLiteral("freelook"))->setEnabled(useMouse->isChecked());
}

void MainWindow::sbcallow_downloadClick() {
    auto* allow = qobject_cast<SettingCheckBox*>(settingControl(QStringLiteral("allow_download")));
    for (const char* command : {"allow_download_maps", "allow_download_models",
                                "allow_download_sounds", "allow_download_players"})
        settingControl(QString::fromLatin1(command))->setEnabled(allow->isChecked());
}
