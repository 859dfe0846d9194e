#include "EnginePage.h"

#include "PageLayout.h"
#include "app/MultiRowTabWidget.h"
#include "controls/EngineControls.h"
#include "controls/SettingControl.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace PageLayout;

namespace {

constexpr int Columns = 2;
// A field leaves its caption the rest of its column; a long label shows whole in the list.
constexpr int FieldWidth = 110;
constexpr int ChoiceLetters = 8;

QString objectNameOf(const QString& prefix, const QString& words) {
    QString name = prefix;
    for (const QString& word : words.split(u' ', Qt::SkipEmptyParts))
        name += word.left(1).toUpper() + word.mid(1);
    return name;
}

// A choice box grows to its longest label where its column has room and keeps a few letters
// where it has none (its list shows the labels whole); a field keeps a width of its own.
void fitField(QWidget& field) {
    if (auto* box = qobject_cast<QComboBox*>(&field)) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        const int whole = box->sizeHint().width();
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(ChoiceLetters);
        box->setSizePolicy(QSizePolicy::Expanding, box->sizePolicy().verticalPolicy());
        box->setMaximumWidth(std::max(whole, box->minimumSizeHint().width()));
    } else if (qobject_cast<QLineEdit*>(&field)) {
        // A number's field keeps its own narrower width.
        field.setMaximumWidth(std::min(field.maximumWidth(), FieldWidth));
    }
}

} // namespace

EnginePage::EnginePage(Engine engine, QWidget* parent) : QWidget(parent), engine_(engine) {
    setObjectName(objectNameOf(QStringLiteral("tabEngine"), engineIniName(engine)));
    groupPages_ = new MultiRowTabWidget(this);
    groupPages_->setObjectName(objectNameOf(QStringLiteral("pageEngine"), engineIniName(engine)));
    groupPages_->setDocumentMode(true);
    for (const QString& group : engineSettingGroups(engine))
        groupPages_->addTab(buildGroup(group), group);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(pageMargin(), rowSpacing(), pageMargin(), 0);
    layout->addWidget(groupPages_);
    compactRows(this);
}

QWidget* EnginePage::buildGroup(const QString& group) {
    auto* page = new QWidget(groupPages_);
    page->setObjectName(objectNameOf(QStringLiteral("tab"), engineIniName(engine_) + u' ' + group));
    QList<const EngineSetting*> rows;
    for (const EngineSetting& setting : engineSettings(engine_)) {
        if (setting.group == group)
            rows << &setting;
    }
    auto* grid = newGrid(page, QMargins(subPageMargin(), blockSpacing(), subPageMargin(), subPageMargin()));
    grid->setHorizontalSpacing(fieldSpacing());
    const int perColumn = int((rows.size() + Columns - 1) / Columns);
    for (int i = 0; i < rows.size(); ++i) {
        const CreatedSetting made = createEngineControl(engine_, *rows[i], page);
        controls_.insert(rows[i]->cvar, settingControlOf(made.control));
        const int row = i % perColumn;
        const int column = (i / perColumn) * 3;
        if (!made.label) {
            grid->addWidget(made.control, row, column, 1, 2);
            continue;
        }
        labels_.insert(rows[i]->cvar, made.label);
        fitField(*made.control);
        grid->addWidget(made.label, row, column);
        if (qobject_cast<QComboBox*>(made.control))
            grid->addWidget(made.control, row, column + 1);
        else
            grid->addWidget(made.control, row, column + 1, Qt::AlignLeft);
    }
    grid->setColumnMinimumWidth(2, blockSpacing() * 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(perColumn, 1);
    return page;
}

void EnginePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit shown();
}
