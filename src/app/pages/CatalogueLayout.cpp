#include "CatalogueLayout.h"

#include "PageLayout.h"
#include "controls/CatalogueControls.h"
#include "controls/KeyNames.h"
#include "settings/Catalogue.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

using namespace PageLayout;

namespace {

size_t indexOf(const CatalogueRow& row) {
    return static_cast<size_t>(&row - catalogue().data());
}

} // namespace

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
    if (rowControls_.empty()) {
        rowControls_.resize(catalogue().size());
        rowLabels_.resize(catalogue().size());
    }
    for (const CatalogueRow& row : catalogue()) {
        if (qstrcmp(row.tab, sheet) != 0)
            continue;
        QWidget* parent = *row.group ? groupBox(page, row.group) : page;
        const CreatedSetting created = createSettingControl(row, parent);
        if (row.kind == SettingKind::Binding) {
            // Measured once: the window has some eighty key boxes.
            if (keyBoxWidth_ == 0)
                keyBoxWidth_ = ::keyBoxWidth(*static_cast<QLineEdit*>(created.control));
            created.control->setFixedWidth(keyBoxWidth_);
        }
        controls_.insert(QString::fromUtf8(row.command), created.control);
        rowControls_[indexOf(row)] = created.control;
        rowLabels_[indexOf(row)] = created.label;
    }
}

QWidget* CatalogueLayout::control(const CatalogueRow& row) const {
    QWidget* made = rowControls_.at(indexOf(row));
    Q_ASSERT(made);
    return made;
}

QLabel* CatalogueLayout::label(const CatalogueRow& row) const {
    return rowLabels_.at(indexOf(row));
}

QList<const CatalogueRow*> CatalogueLayout::blockRows(const char* sheet, const char* block) {
    const QList<const CatalogueRow*> rows = ::blockRows(sheet, block);
    Q_ASSERT(!rows.isEmpty());
    return rows;
}

void CatalogueLayout::addSettingRow(QGridLayout* grid, int row, int column,
                                    const CatalogueRow& setting) {
    QWidget* control = this->control(setting);
    QLabel* label = this->label(setting);
    if (!label) {
        grid->addWidget(control, row, column, 1, 2);
        return;
    }
    if (setting.labelPosition == PosRight) {
        grid->addWidget(control, row, column);
        grid->addWidget(label, row, column + 1);
    } else if (setting.kind == SettingKind::Spin) {
        auto* line = newRow(fieldSpacing());
        line->addWidget(label);
        line->addStretch();
        line->addWidget(control);
        grid->addLayout(line, row, column, 1, 2);
    } else {
        addLabelled(grid, row, column, label, control);
    }
}

void CatalogueLayout::placeRows(QGridLayout* grid, const QList<const CatalogueRow*>& rows,
                                const Flow& flow, Labels labels) {
    const int count = static_cast<int>(rows.size());
    const int perColumn = (count + flow.columns - 1) / flow.columns;
    for (int i = 0; i < count; ++i) {
        const int row = flow.row + i % perColumn;
        const int column = flow.column + (i / perColumn) * flow.stride + rows[i]->column;
        QLabel* label = this->label(*rows[i]);
        if (labels == Labels::Beside || !label) {
            addSettingRow(grid, row, column, *rows[i]);
            continue;
        }
        auto* item = newColumn(0);
        item->addWidget(label);
        item->addWidget(control(*rows[i]));
        grid->addLayout(item, row, column, 1, 2);
    }
}

QGridLayout* CatalogueLayout::fillGroup(const char* caption, int columns, Labels labels) {
    QGroupBox* box = groups_.value(QString::fromUtf8(caption));
    Q_ASSERT(box);
    QGridLayout* grid = newGroupGrid(box);
    QList<const CatalogueRow*> rows;
    for (const CatalogueRow& row : catalogue())
        if (qstrcmp(row.group, caption) == 0)
            rows << &row;
    Flow flow;
    flow.columns = columns;
    placeRows(grid, rows, flow, labels);
    if (columns > 1)
        grid->setHorizontalSpacing(blockSpacing());
    // A list of check boxes reads as one block; fields keep their gap.
    const bool onlyChecks = std::all_of(rows.begin(), rows.end(), [](const CatalogueRow* row) {
        return row->kind == SettingKind::CheckBox;
    });
    if (onlyChecks)
        grid->setVerticalSpacing(0);
    else if (labels == Labels::Above)
        grid->setVerticalSpacing(tightSpacing()); // a label keeps closer to its own field

    return grid;
}

int CatalogueLayout::fillBlock(QGridLayout* grid, const char* sheet, const char* block,
                               const Flow& flow) {
    const QList<const CatalogueRow*> rows = blockRows(sheet, block);
    placeRows(grid, rows, flow, Labels::Beside);
    return flow.row + (static_cast<int>(rows.size()) + flow.columns - 1) / flow.columns;
}
