#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;
class QWidget;
struct CatalogueRow;

// The setting controls of the catalogue as the tab pages make and place them: a page makes the
// controls of its sheet in catalogue order, so the depth-first widget order is the catalogue's,
// then lays them out in their groups and blocks without changing that order. The rows say where
// they sit, so a page names groups and blocks, never a command.
class CatalogueLayout {
public:
    // Where fillBlock puts a block's rows in its grid: down `columns` columns of settings, one
    // after another, each `stride` grid columns wide, from the cell at `row` and `column`.
    struct Flow {
        int row = 0;
        int column = 0;
        int columns = 1;
        int stride = 2;
    };

    // Where a spin's or binding's label stands: beside its field, or above it where a column
    // has no room for both side by side.
    enum class Labels { Beside, Above };

    // Makes the controls of `sheet` in `page`, or in their group box there.
    void createControls(const char* sheet, QWidget* page);
    // A setting in two cells of `grid`: a check box spans both; a binding puts its label in the
    // first and its box in the second; a spin's label may use the room its narrower box leaves.
    void addSettingRow(QGridLayout* grid, int row, int column, const CatalogueRow& setting);
    // Lays a group's settings out in catalogue order, down the first column, then the next.
    QGridLayout* fillGroup(const char* caption, int columns, Labels labels = Labels::Beside);
    // Lays the settings of a block of `sheet` out in their places; a row's own column moves it
    // right of the block's first. Returns the grid row under the block.
    int fillBlock(QGridLayout* grid, const char* sheet, const char* block, const Flow& flow);
    int fillBlock(QGridLayout* grid, const char* sheet, const char* block) {
        return fillBlock(grid, sheet, block, Flow());
    }

    // The rows of a block of `sheet` in their places, for a page that lays them out itself.
    static QList<const CatalogueRow*> blockRows(const char* sheet, const char* block);
    // The control made for a row of a sheet already created.
    QWidget* control(const CatalogueRow& row) const;
    // The caption label of a spin's or binding's row, or null.
    QLabel* label(const CatalogueRow& row) const;

    // The control of a command, or null.
    QWidget* control(const QString& command) const { return controls_.value(command); }
    // The group box of a caption, made by createControls, or null.
    QGroupBox* group(const char* caption) const;
    // The width of the binding boxes, once a sheet with one is made: they show the widest key
    // names a player binds whole.
    int keyBoxWidth() const { return keyBoxWidth_; }

private:
    QGroupBox* groupBox(QWidget* page, const char* caption);
    void placeRows(QGridLayout* grid, const QList<const CatalogueRow*>& rows, const Flow& flow,
                   Labels labels);

    QHash<QString, QWidget*> controls_;
    // By the row's index in the catalogue.
    std::vector<QWidget*> rowControls_;
    std::vector<QLabel*> rowLabels_;
    QHash<QString, QGroupBox*> groups_;
    int keyBoxWidth_ = 0;
};
