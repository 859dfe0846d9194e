#pragma once

#include <QHash>
#include <QString>

class QGridLayout;
class QGroupBox;
class QLabel;
class QWidget;

// The setting controls of the catalogue as the tab pages make and place them: a page makes the
// controls of its sheet in catalogue order, so the depth-first widget order is the catalogue's,
// then lays them out in their groups and rows without changing that order.
class CatalogueLayout {
public:
    // Makes the controls of `sheet` in `page`, or in their group box there.
    void createControls(const char* sheet, QWidget* page);
    // A setting in two cells of `grid`: a check box spans both; a binding puts its label in the
    // first and its box in the second; a spin's label may use the room its narrower box leaves.
    void addSettingRow(QGridLayout* grid, int row, int column, const char* command);
    // Lays a group's settings out in catalogue order, down the first column, then the next.
    QGridLayout* fillGroup(const char* caption, int columns);

    // The control of a command, or null.
    QWidget* control(const QString& command) const { return controls_.value(command); }
    // The caption label of a spin's or binding's command, or null.
    QLabel* label(const QString& command) const { return labels_.value(command); }
    // The group box of a caption, made by createControls, or null.
    QGroupBox* group(const char* caption) const;

private:
    QGroupBox* groupBox(QWidget* page, const char* caption);

    QHash<QString, QWidget*> controls_;
    QHash<QString, QLabel*> labels_;
    QHash<QString, QGroupBox*> groups_;
};
