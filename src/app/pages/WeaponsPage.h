#pragma once

#include <QWidget>

class CatalogueLayout;

// The Weapons & Inv tab: inventory keys, item and firing keys, one binding per weapon, and the
// two weapon options along the bottom. All of them are setting controls of the catalogue.
class WeaponsPage : public QWidget {
    Q_OBJECT
public:
    WeaponsPage(CatalogueLayout& settings, QWidget* parent);
};
