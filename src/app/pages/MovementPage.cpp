#include "MovementPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"
#include "app/WidgetHelpers.h"
#include "settings/Catalogue.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

using namespace PageLayout;

MovementPage::MovementPage(CatalogueLayout& settings, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabMovement"));
    settings.createControls("tabMovement", this);
    QGroupBox* mouseGroup = settings.group("Mouse Options");
    QGridLayout* mouse = settings.fillGroup("Mouse Options", 1);
    sensitivity_ = trackBar(mouseGroup, "barSensitivity", Qt::Horizontal, 1, 20, 3);
    setHintText(sensitivity_, QStringLiteral("3  (How fast the view turns with the mouse)"));
    addLabelled(mouse, 1, 0, newLabel(mouseGroup, QStringLiteral("Sensitivity")), sensitivity_);
    for (const char* caption : {"Looking", "Running", "Strafing", "Climbing and swimming"})
        settings.fillGroup(caption, 1);
    // The third column has no room for a label beside each key box.
    settings.fillGroup("Player Movement", 1, CatalogueLayout::Labels::Above);

    auto* first = newColumn();
    for (const CatalogueRow* row : settings.blockRows("tabMovement", "Mouse"))
        first->addWidget(settings.control(*row));
    first->addWidget(mouseGroup);
    first->addWidget(settings.group("Looking"));
    first->addStretch();
    auto* second = newColumn();
    second->addWidget(settings.group("Running"));
    second->addWidget(settings.group("Strafing"));
    second->addWidget(settings.group("Climbing and swimming"));
    second->addStretch();
    auto* third = newColumn();
    third->addWidget(settings.group("Player Movement"));
    third->addStretch();

    auto* layout = pageColumns(this);
    layout->addLayout(first, 1);
    layout->addLayout(second, 1);
    layout->addLayout(third);
    compactRows(this);
}
