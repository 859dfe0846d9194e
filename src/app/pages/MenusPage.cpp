#include "MenusPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"
#include "settings/Catalogue.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace PageLayout;

MenusPage::MenusPage(CatalogueLayout& settings, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabMenus"));
    settings.createControls("TabMenus", this);
    auto* grid = newGrid();
    grid->setHorizontalSpacing(FieldSpacing);
    int index = 0;
    for (const CatalogueRow& row : catalogue()) {
        if (qstrcmp(row.tab, "TabMenus") != 0)
            continue;
        settings.addSettingRow(grid, index % 10, (index / 10) * 3, row.command);
        ++index;
    }
    grid->setColumnMinimumWidth(2, BlockSpacing);
    grid->setRowStretch(10, 1);
    auto* right = newColumn();
    right->addWidget(pictureLabel(this, "imgMenus", "tab_menus", 168));
    right->addStretch();
    auto* layout = pageColumns(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(right);
    compactRows(this);
}
