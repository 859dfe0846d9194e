#include "WeaponsPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace PageLayout;

WeaponsPage::WeaponsPage(CatalogueLayout& settings, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabWeaponsInv"));
    settings.createControls("tabWeaponsInv", this);
    settings.fillGroup("Inventory", 1);
    settings.fillGroup("Use Item", 1);

    auto* firing = newGrid();
    int row = 0;
    for (const char* command : {"+attack", "weapnext", "weapprev", "weaplast"})
        settings.addSettingRow(firing, row++, 0, command);
    auto* middle = newColumn();
    middle->addWidget(settings.group("Use Item"));
    middle->addLayout(firing);
    middle->addStretch();

    auto* weapons = newGrid();
    const char* const weaponUse[] = {
        "use blaster",  "use shotgun",          "use super shotgun",   "use machinegun",
        "use chaingun", "use grenade launcher", "use rocket launcher", "use hyperblaster",
        "use railgun",  "use bfg10k",           "use grenades"};
    row = 0;
    for (const char* command : weaponUse)
        settings.addSettingRow(weapons, row++, 0, command);
    weapons->setRowStretch(row, 1);

    // The two weapon options run along the bottom, under the inventory columns.
    auto* options = newRow();
    for (const char* command : {"cl_vwep", "g_select_empty"})
        options->addWidget(settings.control(QString::fromLatin1(command)));
    options->addStretch();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(PageMargin, PageMargin, PageMargin, PageMargin);
    layout->setSpacing(BlockSpacing);
    layout->addWidget(settings.group("Inventory"), 0, 0, Qt::AlignTop);
    layout->addLayout(middle, 0, 1);
    layout->addLayout(weapons, 0, 2, 2, 1);
    layout->addLayout(options, 1, 0, 1, 2);
    layout->setRowStretch(0, 1);
    compactRows(this);
}
