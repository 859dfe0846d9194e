#include "WeaponsPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"
#include "settings/Catalogue.h"

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
    settings.fillBlock(firing, "tabWeaponsInv", "Firing");
    auto* middle = newColumn();
    middle->addWidget(settings.group("Use Item"));
    middle->addLayout(firing);
    middle->addStretch();

    auto* weapons = newGrid();
    weapons->setRowStretch(settings.fillBlock(weapons, "tabWeaponsInv", "Weapons"), 1);

    // The two weapon options run along the bottom, under the inventory columns.
    auto* options = newRow();
    for (const CatalogueRow* row : settings.blockRows("tabWeaponsInv", "Options"))
        options->addWidget(settings.control(*row));
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
