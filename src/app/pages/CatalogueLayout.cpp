#include "CatalogueLayout.h"

#include "PageLayout.h"
#include "settings/Catalogue.h"
#include "controls/CatalogueControls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

using namespace PageLayout;

QGroupBox* CatalogueLayout::group(const char* caption) const {
    return groups_.value(QString::fromUtf8(caption));
}

QGroupBox* CatalogueLayout::groupBox(QWidget* page, const char* caption) {
    const QString title = QString::fromUtf8(caption);
    QGroupBox*& box = groups_[title];
    if (!box) {
        box = new QGroupBox(title, page);
        box->setObjectName(groupObjectName(caption));
    }
    return box;
}

void CatalogueLayout::createControls(const char* sheet, QWidget* page) {
    for (const CatalogueRow& row : catalogue()) {
        if (qstrcmp(row.tab, sheet) != 0)
            continue;
        QWidget* parent = *row.group ? groupBox(page, row.group) : page;
        const CreatedSetting created = createSettingControl(row, parent);
        const QString command = QString::fromUtf8(row.command);
        controls_.insert(command, created.control);
        if (created.label)
            labels_.insert(command, created.label);
    }
}

void CatalogueLayout::addSettingRow(QGridLayout* grid, int row, int column, const char* command) {
    const QString name = QString::fromUtf8(command);
    QWidget* control = controls_.value(name);
    Q_ASSERT(control);
    QLabel* label = labels_.value(name);
    if (!label) {
        grid->addWidget(control, row, column, 1, 2);
        return;
    }
    const CatalogueRow* catalogueRow = findCatalogueRow(name);
    if (catalogueRow->labelPosition == PosRight) {
        grid->addWidget(control, row, column);
        grid->addWidget(label, row, column + 1);
    } else if (catalogueRow->kind == SettingKind::Spin) {
        auto* line = newRow(FieldSpacing);
        line->addWidget(label);
        line->addStretch();
        line->addWidget(control);
        grid->addLayout(line, row, column, 1, 2);
    } else {
        addLabelled(grid, row, column, label, control);
    }
}

QGridLayout* CatalogueLayout::fillGroup(const char* caption, int columns) {
    QGroupBox* box = groups_.value(QString::fromUtf8(caption));
    Q_ASSERT(box);
    QGridLayout* grid = newGroupGrid(box);
    QList<const CatalogueRow*> rows;
    for (const CatalogueRow& row : catalogue())
        if (qstrcmp(row.group, caption) == 0)
            rows << &row;
    const int perColumn = (static_cast<int>(rows.size()) + columns - 1) / columns;
    for (int i = 0; i < rows.size(); ++i)
        addSettingRow(grid, i % perColumn, (i / perColumn) * 2, rows[i]->command);
    if (columns > 1)
        grid->setHorizontalSpacing(BlockSpacing);
    // A list of check boxes reads as one block; fields keep their gap.
    const bool onlyChecks = std::all_of(rows.begin(), rows.end(), [](const CatalogueRow* row) {
        return row->kind == SettingKind::CheckBox;
    });
    if (onlyChecks)
        grid->setVerticalSpacing(0);
    return grid;
}
