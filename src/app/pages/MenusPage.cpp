#include "MenusPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace PageLayout;

MenusPage::MenusPage(CatalogueLayout& settings, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabMenus"));
    settings.createControls("TabMenus", this);
    auto* grid = newGrid();
    grid->setHorizontalSpacing(fieldSpacing());
    const int rows = settings.fillBlock(grid, "TabMenus", "Keys", {.columns = 2, .stride = 3});
    grid->setColumnMinimumWidth(2, blockSpacing());
    grid->setRowStretch(rows, 1);
    auto* right = newColumn();
    right->addWidget(pictureLabel(this, "imgMenus", "tab_menus", 128));
    right->addStretch();
    auto* layout = pageColumns(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(right);
    compactRows(this);
}
