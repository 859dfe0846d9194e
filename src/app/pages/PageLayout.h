#pragma once

#include "controls/FontScale.h"

#include <QMargins>
#include <QString>
#include <QStringList>
#include <Qt>

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QVBoxLayout;
class QWidget;

// The measures and layout builders every tab page shares: the same margins, the same gaps, and
// one row height for check boxes and radio buttons. They were drawn for the compact 8-point font
// and grow with a larger one (controls/FontScale), so the pages grow with the font.
namespace PageLayout {

inline int pageMargin() {
    return fontScaled(4);
} // around the contents of a tab page
inline int subPageMargin() {
    return fontScaled(2);
} // around the contents of a Video sub-page
inline int blockSpacing() {
    return fontScaled(6);
} // between columns, group boxes and blocks
inline int tightSpacing() {
    return fontScaled(4);
} // the same on the densest pages
inline int rowSpacing() {
    return fontScaled(2);
} // between the rows of a grid
inline int fieldSpacing() {
    return fontScaled(5);
} // between a label and its field
// Check boxes and radio buttons: text and mark, no more.
inline int checkRowHeight() {
    return fontScaled(16);
}
inline QMargins groupMargins() {
    return {fontScaled(4), fontScaled(1), fontScaled(4), fontScaled(2)};
}

// Number fields of one digit, a point and three or two decimals.
inline constexpr int ThreeDecimals = 3;
inline constexpr int TwoDecimals = 2;

QGridLayout* newGrid(QWidget* owner = nullptr, const QMargins& margins = {});
QGridLayout* newGroupGrid(QGroupBox* box);
QVBoxLayout* newColumn(int spacing = blockSpacing());
QHBoxLayout* newRow(int spacing = blockSpacing());
// The page's own layout, side by side, with the common margins.
QHBoxLayout* pageColumns(QWidget* page, int margin = pageMargin());
QGroupBox* newPlainGroup(QWidget* parent, const char* name, const QString& title);
QLabel* newLabel(QWidget* parent, const QString& text, const char* name = nullptr);
// A decoration picture at most `width` pixels wide, keeping its proportions.
QLabel* pictureLabel(QWidget* parent, const char* name, const char* pictureName, int width);
void addLabelled(QGridLayout* grid, int row, int column, QLabel* label, QWidget* field);
// A number field with one digit, a point and `decimals` decimals, showing `text`.
QLineEdit* maskedEdit(QWidget* parent, const char* name, int decimals, const QString& text);
// A combo box that keeps what is typed, with no entry selected.
QComboBox* editableCombo(QWidget* parent, const char* name, const QStringList& items = {});
// A box filled with what is found on disk: its width does not follow its entries. Measuring
// hundreds of maps when the window first shows would cost more than finding them, and one long
// entry would widen the whole tab.
QComboBox* foundCombo(QWidget* parent, const char* name);
// A radio button in `group`.
QRadioButton* radio(QWidget* parent, const char* name, const QString& caption, QButtonGroup* group);
// A slider moving in steps of one, with tick marks.
QSlider* trackBar(QWidget* parent, const char* name, Qt::Orientation orientation, int minimum,
                  int maximum, int position);
// Check boxes and radio buttons share one compact row height on every page.
void compactRows(QWidget* page);

} // namespace PageLayout
