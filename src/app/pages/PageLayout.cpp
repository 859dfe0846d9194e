#include "PageLayout.h"

#include "app/Pictures.h"
#include "app/WidgetHelpers.h"
#include "controls/ChoiceBox.h"
#include "controls/MaskedNumberEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace PageLayout {

namespace {

constexpr int FoundComboLetters = 6;

} // namespace

QGridLayout* newGrid(QWidget* owner, const QMargins& margins) {
    auto* grid = new QGridLayout(owner);
    grid->setContentsMargins(margins);
    grid->setHorizontalSpacing(fieldSpacing());
    grid->setVerticalSpacing(rowSpacing());
    return grid;
}

QGridLayout* newGroupGrid(QGroupBox* box) {
    return newGrid(box, groupMargins());
}

QVBoxLayout* newColumn(int spacing) {
    auto* column = new QVBoxLayout;
    column->setSpacing(spacing);
    column->setContentsMargins(0, 0, 0, 0);
    return column;
}

QHBoxLayout* newRow(int spacing) {
    auto* row = new QHBoxLayout;
    row->setSpacing(spacing);
    row->setContentsMargins(0, 0, 0, 0);
    return row;
}

QHBoxLayout* pageColumns(QWidget* page, int margin) {
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(blockSpacing());
    return layout;
}

QGroupBox* newPlainGroup(QWidget* parent, const char* name, const QString& title) {
    auto* box = named<QGroupBox>(parent, name);
    box->setTitle(title);
    return box;
}

QLabel* newLabel(QWidget* parent, const QString& text, const char* name) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    return label;
}

QLabel* pictureLabel(QWidget* parent, const char* name, const char* pictureName, int width) {
    auto* label = named<QLabel>(parent, name);
    label->setPixmap(decorationPicture(pictureName));
    label->setScaledContents(true);
    const int shown = fontScaled(width);
    label->setFixedSize(label->pixmap().size().scaled(shown, shown, Qt::KeepAspectRatio));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

void addLabelled(QGridLayout* grid, int row, int column, QLabel* label, QWidget* field) {
    grid->addWidget(label, row, column);
    grid->addWidget(field, row, column + 1);
}

void compactRows(QWidget* page) {
    for (QCheckBox* box : page->findChildren<QCheckBox*>())
        box->setFixedHeight(checkRowHeight());
    for (QRadioButton* button : page->findChildren<QRadioButton*>())
        button->setFixedHeight(checkRowHeight());
}

QSlider* trackBar(QWidget* parent, const char* name, Qt::Orientation orientation, int minimum,
                  int maximum, int position) {
    auto* bar = named<QSlider>(parent, name);
    bar->setOrientation(orientation);
    bar->setRange(minimum, maximum);
    bar->setValue(position);
    bar->setPageStep(1);
    bar->setTickPosition(orientation == Qt::Horizontal ? QSlider::TicksBelow : QSlider::TicksRight);
    return bar;
}

QLineEdit* maskedEdit(QWidget* parent, const char* name, int decimals, const QString& text) {
    auto* edit = new MaskedNumberEdit(decimals, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaskedText(text);
    edit->setFixedWidth(fontScaled(44));
    return edit;
}

QComboBox* editableCombo(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = named<QComboBox>(parent, name);
    setUpChoiceBox(*box); // keeps what is typed: "ma" stays "ma" beside "male"
    box->addItems(items);
    box->setCurrentIndex(-1); // no entry selected unless the program selects one
    return box;
}

QComboBox* foundCombo(QWidget* parent, const char* name) {
    auto* box = editableCombo(parent, name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(FoundComboLetters);
    box->setIconSize(QSize(0, 0)); // no entry has one: the box stays as tall as the others
    return box;
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& caption,
                    QButtonGroup* group) {
    auto* button = named<QRadioButton>(parent, name);
    button->setText(caption);
    group->addButton(button);
    return button;
}

} // namespace PageLayout
