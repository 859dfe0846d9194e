#pragma once

#include "profiles/GamesAliasesController.h"

#include <QWidget>

// The Games & Aliases tab: the games list and the current game above the aliases, bindings and
// settings of the shown profile. GamesAliasesController gives the widgets their behaviour.
class GamesPage : public QWidget {
    Q_OBJECT
public:
    explicit GamesPage(QWidget* parent);

    const GamesAliasesTab& widgets() const { return widgets_; }

private:
    GamesAliasesTab widgets_;
};
