#pragma once

#include "settings/Catalogue.h"

class QLabel;
class QWidget;

// One setting control made from its catalogue row, its properties assigned in the order the
// window definition streams them. Spins and bindings get their caption label, created beside
// them in the same parent.
struct CreatedSetting {
    QWidget* control = nullptr;
    QLabel* label = nullptr; // null for check boxes
};

CreatedSetting createSettingControl(const CatalogueRow& row, QWidget* parent);
