#include "GeneralPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"
#include "app/Pictures.h"
#include "app/WidgetHelpers.h"
#include "settings/Catalogue.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace PageLayout;

namespace {

struct RadioItem {
    const char* name;
    const char* caption;
};

// One choice of a group box: its radios fill two rows, column by column.
QList<QRadioButton*> radioColumns(QGroupBox* box, std::initializer_list<RadioItem> items) {
    auto* group = new QButtonGroup(box);
    QGridLayout* grid = newGroupGrid(box);
    grid->setHorizontalSpacing(blockSpacing());
    grid->setVerticalSpacing(0);
    QList<QRadioButton*> radios;
    for (const RadioItem& item : items) {
        const int i = int(radios.size());
        radios << radio(box, item.name, QLatin1String(item.caption), group);
        grid->addWidget(radios.last(), i % 2, i / 2);
    }
    return radios;
}

} // namespace

GeneralPage::GeneralPage(CatalogueLayout& settings, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabGeneral"));
    settings.createControls("tabGeneral", this);

    auto* player = newPlainGroup(this, "gbxPlayer", QStringLiteral("Player"));
    QGridLayout* playerGrid = newGroupGrid(player);
    playerName_ = named<QLineEdit>(player, "txtPlayer");
    playerName_->setText(QStringLiteral("Player"));
    model_ = foundCombo(player, "cboModel");
    setHintText(model_, QStringLiteral("Male    (The type of model to use for the character)"));
    skin_ = foundCombo(player, "cboSkin");
    setHintText(skin_, QStringLiteral("Grunt    (The appearance of the character)"));
    playerGrid->addWidget(newLabel(player, QStringLiteral("Name")), 0, 0);
    playerGrid->addWidget(playerName_, 0, 1, 1, 3);
    addLabelled(playerGrid, 1, 0, newLabel(player, QStringLiteral("Model")), model_);
    addLabelled(playerGrid, 1, 2, newLabel(player, QStringLiteral("Skin")), skin_);
    playerGrid->setColumnStretch(1, 1);
    playerGrid->setColumnStretch(3, 1);

    auto* hand = newPlainGroup(this, "gbxHand", QStringLiteral("Weapon Hand"));
    const auto hands =
        radioColumns(hand, {{"rbLeft", "Left"}, {"rbCenter", "Center"}, {"rbRight", "Right"}});
    handLeft_ = hands[0];
    handCenter_ = hands[1];
    handRight_ = hands[2];
    handRight_->setChecked(true);

    auto* cross = newPlainGroup(this, "gbxCrosshair", QStringLiteral("Crosshair"));
    const auto crosses = radioColumns(cross, {{"rbCrossNone", "none"},
                                              {"rbCrossX", "Cross"},
                                              {"rbCrossAngle", "Angle"},
                                              {"rbCrossDot", "Dot"}});
    crossNone_ = crosses[0];
    crossX_ = crosses[1];
    crossAngle_ = crosses[2];
    crossDot_ = crosses[3];
    crossNone_->setChecked(true);

    // View bobbing as a small table: walking and running by pitch and roll.
    auto* bobbing = newPlainGroup(this, "gbxViewBobbing", QStringLiteral("View Bobbing"));
    QGridLayout* bobGrid = newGroupGrid(bobbing);
    walkPitch_ = maskedEdit(bobbing, "txtWalkPitch", ThreeDecimals, QStringLiteral(" .  5"));
    walkRoll_ = maskedEdit(bobbing, "txtWalkRoll", ThreeDecimals, QStringLiteral(" .  2"));
    bobStart_ = maskedEdit(bobbing, "txtBobStart", ThreeDecimals, QStringLiteral(" .   "));
    runPitch_ = maskedEdit(bobbing, "txtRunPitch", ThreeDecimals, QStringLiteral(" .  2"));
    runRoll_ = maskedEdit(bobbing, "txtRunRoll", ThreeDecimals, QStringLiteral(" .  5"));
    bobGrid->addWidget(newLabel(bobbing, QStringLiteral("Pitch")), 0, 1, Qt::AlignHCenter);
    bobGrid->addWidget(newLabel(bobbing, QStringLiteral("Roll")), 0, 2, Qt::AlignHCenter);
    bobGrid->addWidget(newLabel(bobbing, QStringLiteral("Walk")), 1, 0);
    bobGrid->addWidget(walkPitch_, 1, 1);
    bobGrid->addWidget(walkRoll_, 1, 2);
    bobGrid->addWidget(newLabel(bobbing, QStringLiteral("Run")), 2, 0);
    bobGrid->addWidget(runPitch_, 2, 1);
    bobGrid->addWidget(runRoll_, 2, 2);
    bobGrid->setColumnMinimumWidth(3, blockSpacing());
    addLabelled(bobGrid, 1, 4, newLabel(bobbing, QStringLiteral("Bob Up")), bobStart_);
    bobGrid->setColumnStretch(6, 1);

    logoPanel_ = named<QFrame>(this, "Panel6");
    logoPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    logoPanel_->setFixedSize(fontScaled(QSize(245, 291)));
    logo_ = named<QLabel>(logoPanel_, "imgLogo");
    logo_->setScaledContents(true);
    logo_->setPixmap(decorationPicture("logo"));
    auto* logoLayout = new QVBoxLayout(logoPanel_);
    logoLayout->setContentsMargins(2, 2, 2, 2);
    logoLayout->addWidget(logo_);

    // The gun and view spins stand outside any group, so they are laid out on the page itself.
    const auto addSpin = [&settings](QHBoxLayout* line, const CatalogueRow& row) {
        line->addWidget(settings.label(row));
        line->addWidget(settings.control(row));
    };
    auto* gun = newRow(fieldSpacing());
    gun->addWidget(newLabel(this, QStringLiteral("Gun")));
    for (const CatalogueRow* row : settings.blockRows("tabGeneral", "Gun")) {
        gun->addSpacing(blockSpacing());
        addSpin(gun, *row);
    }
    gun->addStretch();
    auto* view = newRow(fieldSpacing());
    for (const CatalogueRow* row : settings.blockRows("tabGeneral", "View")) {
        if (view->count() > 0)
            view->addSpacing(blockSpacing() * 2);
        addSpin(view, *row);
    }
    view->addStretch();

    auto* radios = newRow();
    radios->addWidget(hand);
    radios->addWidget(cross, 1);
    auto* left = newColumn();
    left->addWidget(player);
    left->addLayout(radios);
    left->addLayout(gun);
    left->addLayout(view);
    left->addWidget(bobbing);
    left->addStretch();

    // The logo panel keeps its classic place: 286, 2 on the page.
    auto* layout = pageColumns(this);
    layout->setContentsMargins(pageMargin(), 2, 6, 2);
    layout->addLayout(left, 1);
    layout->addWidget(logoPanel_, 0, Qt::AlignTop);
    compactRows(this);
}
