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
    // Three columns of key boxes wide enough for the longest key names leave no room for the
    // item labels beside their boxes: they stand above them.
    settings.fillGroup("Use Item", 1, CatalogueLayout::Labels::Above);

    auto* firing = newGrid();
    settings.fillBlock(firing, "tabWeaponsInv", "Firing");
    auto* options = newColumn(0);
    for (const CatalogueRow* row : settings.blockRows("tabWeaponsInv", "Options"))
        options->addWidget(settings.control(*row));
    auto* first = newColumn();
    first->addWidget(settings.group("Inventory"));
    first->addLayout(firing);
    first->addLayout(options);
    first->addStretch();

    auto* middle = newColumn();
    middle->addWidget(settings.group("Use Item"));
    middle->addStretch();

    auto* weapons = newGrid();
    weapons->setRowStretch(settings.fillBlock(weapons, "tabWeaponsInv", "Weapons"), 1);

    auto* layout = pageColumns(this);
    layout->addLayout(first);
    layout->addLayout(middle);
    layout->addLayout(weapons);
    layout->addStretch();
    compactRows(this);
}
