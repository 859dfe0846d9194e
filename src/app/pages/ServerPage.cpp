#include "ServerPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"
#include "app/WidgetHelpers.h"
#include "settings/Catalogue.h"
#include "settings/DeathmatchFlags.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace PageLayout;

ServerPage::ServerPage(CatalogueLayout& settings, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabServer"));
    settings.createControls("tabServer", this);

    auto* server = newGrid();
    serverName_ = named<QLineEdit>(this, "edtServerName");
    serverName_->setText(QStringLiteral("noname"));
    setHintText(serverName_, QStringLiteral("noname  (The name players see in server lists)"));
    serverPassword_ = named<QLineEdit>(this, "edtServerPassword");
    setHintText(serverPassword_, QStringLiteral("  (Password players need to join)"));
    masterServer_ = named<QLineEdit>(this, "edtMasterServer");
    masterServer_->setText(QStringLiteral("master.quakeservers.net:27900"));
    setHintText(masterServer_,
                QStringLiteral("master.quakeservers.net:27900  (Master server a public server "
                               "reports to)"));
    // The default address must show whole.
    masterServer_->setMinimumWidth(
        masterServer_->fontMetrics().horizontalAdvance(masterServer_->text()) + 8);
    startMap_ = foundCombo(this, "cboServerStartMap");
    setHintText(startMap_, QStringLiteral("The map the server starts on"));
    int row = 0;
    addLabelled(server, row++, 0, newLabel(this, QStringLiteral("Name")), serverName_);
    addLabelled(server, row++, 0, newLabel(this, QStringLiteral("Password")), serverPassword_);
    addLabelled(server, row++, 0, newLabel(this, QStringLiteral("Master")), masterServer_);
    addLabelled(server, row++, 0, newLabel(this, QStringLiteral("Start Map")), startMap_);

    // The three server switches in two columns, one cell each, down the columns.
    auto* switches = newGrid();
    switches->setHorizontalSpacing(blockSpacing());
    row = 0;
    for (const CatalogueRow* setting : settings.blockRows("tabServer", "Switches")) {
        switches->addWidget(settings.control(*setting), row % 2, row / 2);
        ++row;
    }
    switches->setColumnStretch(2, 1);

    auto* numbers = newGrid();
    settings.fillBlock(numbers, "tabServer", "Fields");
    numbers->setColumnStretch(2, 1);
    fragLimit_ = named<QCheckBox>(this, "cbxFragLimit");
    fragLimit_->setText(QStringLiteral("Frag Limit"));
    fragLimit_->setChecked(true);
    timeLimit_ = named<QCheckBox>(this, "cbxTimeLimit");
    timeLimit_->setText(QStringLiteral("Time Limit"));
    timeLimit_->setChecked(true);
    auto* limits = newGrid();
    // Each limit's number stands beside its switch.
    limits->addWidget(fragLimit_, 0, 0);
    limits->addWidget(timeLimit_, 1, 0);
    settings.fillBlock(limits, "tabServer", "Limits");
    limits->setColumnStretch(3, 1);

    auto* left = newColumn();
    left->addLayout(server);
    left->addLayout(switches);
    left->addLayout(numbers);
    left->addLayout(limits);
    left->addStretch();

    auto* type = newPlainGroup(this, "gbxGameType", QStringLiteral("Game Type"));
    auto* typeLayout = new QHBoxLayout(type);
    typeLayout->setContentsMargins(groupMargins());
    typeLayout->setSpacing(blockSpacing() * 2);
    auto* typeGroup = new QButtonGroup(type);
    deathMatch_ = radio(type, "rbDeathMatch", QStringLiteral("DeathMatch"), typeGroup);
    cooperative_ = radio(type, "rbCooperative", QStringLiteral("Cooperative"), typeGroup);
    deathMatch_->setChecked(true);
    typeLayout->addWidget(deathMatch_);
    typeLayout->addWidget(cooperative_);
    typeLayout->addStretch();

    auto* flags = newPlainGroup(this, "gbxDeathmatchFlags", QStringLiteral("Deathmatch Rules"));
    QGridLayout* flagGrid = newGroupGrid(flags);
    flagGrid->setHorizontalSpacing(tightSpacing());
    flagGrid->setVerticalSpacing(0);
    int index = 0;
    for (const DeathmatchFlag& flag : deathmatchFlags()) {
        auto* box = named<QCheckBox>(flags, flag.name);
        box->setText(QString::fromUtf8(flag.caption));
        box->setChecked(flag.initiallyChecked);
        box->setProperty("Tag", flag.tag);
        deathmatchFlagBoxes_ << box;
        flagGrid->addWidget(box, index % 10, index / 10);
        ++index;
    }

    auto* right = newColumn();
    right->addWidget(type);
    right->addWidget(flags);
    right->addStretch();
    auto* layout = pageColumns(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    compactRows(this);
}

int ServerPage::deathmatchFlagNumber() const {
    // The boxes stand in the order of the flags.
    const DeathmatchFlag* first = deathmatchFlags().data();
    return ::deathmatchFlagNumber([&](const DeathmatchFlag& flag) {
        return deathmatchFlagBoxes_[&flag - first]->isChecked();
    });
}

void ServerPage::applyDeathmatchFlags(int number) {
    qsizetype at = 0;
    for (const DeathmatchFlag& flag : deathmatchFlags())
        deathmatchFlagBoxes_[at++]->setChecked(deathmatchFlagChecked(flag, number));
}
