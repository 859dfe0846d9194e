#pragma once

#include <QWidget>

class CatalogueLayout;

// The Menus tab: the menu keys of the catalogue in columns of ten, and the tab's picture.
class MenusPage : public QWidget {
    Q_OBJECT
public:
    MenusPage(CatalogueLayout& settings, QWidget* parent);
};
