// The contents of the main window's tabs. Setting controls are made from the catalogue, tab by
// tab in catalogue order, so the depth-first widget order is the catalogue's; layouts then put
// every widget in its place without changing that order (a layout never reparents a widget that
// already belongs to the page).

#include "app/VexaMain.h"

#include "app/Pictures.h"
#include "app/WidgetHelpers.h"
#include "config/DeathmatchFlags.h"
#include "controls/Catalogue.h"
#include "controls/CatalogueControls.h"
#include "controls/KeyNames.h"
#include "controls/SupCheckBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

const QStringList VideoModes = {
    QStringLiteral("0 - 320 x 240"),  QStringLiteral("1 - 400 x 300"),
    QStringLiteral("2 - 512 x 384"),  QStringLiteral("3 - 640 x 480"),
    QStringLiteral("4 - 800 x 600"),  QStringLiteral("5 - 960 x 720"),
    QStringLiteral("6 - 1024 x 768"), QStringLiteral("7 - 1152 x 864"),
    QStringLiteral("8 - 1280 x 960"), QStringLiteral("9 - 1600 x 1200")};

const QStringList TextureModes = {QStringLiteral("GL_NEAREST"),
                                  QStringLiteral("GL_LINEAR"),
                                  QStringLiteral("GL_NEAREST_MIPMAP_NEAREST"),
                                  QStringLiteral("GL_LINEAR_MIPMAP_NEAREST"),
                                  QStringLiteral("GL_NEAREST_MIPMAP_LINEAR"),
                                  QStringLiteral("GL_LINEAR_MIPMAP_LINEAR"),
                                  QString()};

// Masked number fields show a blank for every digit not entered (" .  5"). Each digit is optional
// ("0"): Qt's "9" requires a digit and squeezes the blanks out, so " .  5" would show as " .5  ".
const QString ThreeDecimals = QStringLiteral("0.000; ");
const QString TwoDecimals = QStringLiteral("0.00; ");

constexpr int Spacing = 2;

QGridLayout* newGrid(QWidget* owner, int margin = 4) {
    auto* grid = new QGridLayout(owner);
    grid->setContentsMargins(margin, margin, margin, margin);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(Spacing);
    return grid;
}

QVBoxLayout* newColumn() {
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    column->setContentsMargins(0, 0, 0, 0);
    return column;
}

QGroupBox* newPlainGroup(QWidget* parent, const char* name, const QString& title) {
    auto* box = named<QGroupBox>(parent, name);
    box->setTitle(title);
    return box;
}

QLabel* newLabel(QWidget* parent, const QString& text, const char* name = nullptr) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit* maskedEdit(QWidget* parent, const char* name, const QString& mask, const QString& text) {
    auto* edit = named<QLineEdit>(parent, name);
    edit->setInputMask(mask);
    edit->setText(text);
    edit->setFixedWidth(44);
    return edit;
}

QComboBox* editableCombo(QWidget* parent, const char* name, const QStringList& items = {}) {
    auto* box = named<QComboBox>(parent, name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentIndex(-1); // no entry selected unless the program selects one
    return box;
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& caption,
                    QButtonGroup* group) {
    auto* button = named<QRadioButton>(parent, name);
    button->setText(caption);
    group->addButton(button);
    return button;
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

QLabel* pictureLabel(QWidget* parent, const char* name, const char* pictureName) {
    auto* label = named<QLabel>(parent, name);
    label->setPixmap(decorationPicture(pictureName));
    label->setScaledContents(true);
    label->setFixedSize(label->pixmap().size().scaled(200, 150, Qt::KeepAspectRatio));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

void addLabelled(QGridLayout* grid, int row, int column, QLabel* label, QWidget* field) {
    grid->addWidget(label, row, column);
    grid->addWidget(field, row, column + 1);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Catalogue controls

QWidget* TfrmVexaMain::settingControl(const QString& command) const {
    return settingControls_.value(command);
}

QGroupBox* TfrmVexaMain::groupBox(QWidget* page, const char* caption) {
    const QString title = QString::fromUtf8(caption);
    QGroupBox*& box = groupBoxes_[title];
    if (!box) {
        box = new QGroupBox(title, page);
        box->setObjectName(groupObjectName(caption));
    }
    return box;
}

void TfrmVexaMain::createCatalogueControls(const char* sheet, QWidget* page) {
    for (const CatalogueRow& row : catalogue()) {
        if (qstrcmp(row.tab, sheet) != 0)
            continue;
        QWidget* parent = *row.group ? groupBox(page, row.group) : page;
        const CreatedSetting created = createSettingControl(row, parent);
        const QString command = QString::fromUtf8(row.command);
        settingControls_.insert(command, created.control);
        if (created.label)
            settingLabels_.insert(command, created.label);
    }
}

// A spin or binding takes a label cell and a field cell; a check box spans both.
void TfrmVexaMain::addSettingRow(QGridLayout* grid, int row, int column, const char* command) {
    const QString name = QString::fromUtf8(command);
    QWidget* control = settingControls_.value(name);
    Q_ASSERT(control);
    QLabel* label = settingLabels_.value(name);
    if (!label) {
        grid->addWidget(control, row, column, 1, 2);
        return;
    }
    if (findCatalogueRow(name)->labelPosition == PosRight) {
        grid->addWidget(control, row, column);
        grid->addWidget(label, row, column + 1);
    } else {
        addLabelled(grid, row, column, label, control);
    }
}

// Lays a group's settings out in catalogue order, down the first column, then the next.
QGridLayout* TfrmVexaMain::fillGroup(const char* caption, int columns) {
    QGroupBox* box = groupBoxes_.value(QString::fromUtf8(caption));
    Q_ASSERT(box);
    QGridLayout* grid = newGrid(box, 4);
    QList<const CatalogueRow*> rows;
    for (const CatalogueRow& row : catalogue())
        if (qstrcmp(row.group, caption) == 0)
            rows << &row;
    const int perColumn = (static_cast<int>(rows.size()) + columns - 1) / columns;
    for (int i = 0; i < rows.size(); ++i)
        addSettingRow(grid, i % perColumn, (i / perColumn) * 2, rows[i]->command);
    return grid;
}

// ---------------------------------------------------------------------------------------------
// General

void TfrmVexaMain::createGeneralTab() {
    QWidget* page = tabGeneral;
    createCatalogueControls("tabGeneral", page);

    auto* player = newPlainGroup(page, "gbxPlayer", QStringLiteral("Player"));
    QGridLayout* playerGrid = newGrid(player);
    txtPlayer = named<QLineEdit>(player, "txtPlayer");
    txtPlayer->setText(QStringLiteral("Player"));
    cboModel = editableCombo(player, "cboModel");
    setHintText(cboModel, QStringLiteral("Male    (The type of model to use for the character)"));
    cboSkin = editableCombo(player, "cboSkin");
    setHintText(cboSkin, QStringLiteral("Grunt    (The appearance of the character)"));
    addLabelled(playerGrid, 0, 0, newLabel(player, QStringLiteral("Name")), txtPlayer);
    addLabelled(playerGrid, 1, 0, newLabel(player, QStringLiteral("Model")), cboModel);
    addLabelled(playerGrid, 2, 0, newLabel(player, QStringLiteral("Skin")), cboSkin);

    auto* hand = newPlainGroup(page, "gbxHand", QStringLiteral("Weapon Hand"));
    auto* handGroup = new QButtonGroup(hand);
    auto* handLayout = new QVBoxLayout(hand);
    handLayout->setContentsMargins(6, 2, 6, 2);
    handLayout->setSpacing(0);
    rbLeft = radio(hand, "rbLeft", QStringLiteral("Left"), handGroup);
    rbCenter = radio(hand, "rbCenter", QStringLiteral("Center"), handGroup);
    rbRight = radio(hand, "rbRight", QStringLiteral("Right"), handGroup);
    for (QWidget* w : {rbLeft, rbCenter, rbRight})
        handLayout->addWidget(w);
    rbRight->setChecked(true);

    auto* cross = newPlainGroup(page, "gbxCrosshair", QStringLiteral("Crosshair"));
    auto* crossGroup = new QButtonGroup(cross);
    QGridLayout* crossGrid = newGrid(cross, 2);
    crossGrid->setContentsMargins(6, 2, 6, 2);
    crossGrid->setVerticalSpacing(0);
    rbCrossNone = radio(cross, "rbCrossNone", QStringLiteral("none"), crossGroup);
    rbCrossX = radio(cross, "rbCrossX", QStringLiteral("Cross"), crossGroup);
    rbCrossAngle = radio(cross, "rbCrossAngle", QStringLiteral("Angle"), crossGroup);
    rbCrossDot = radio(cross, "rbCrossDot", QStringLiteral("Dot"), crossGroup);
    crossGrid->addWidget(rbCrossNone, 0, 0);
    crossGrid->addWidget(rbCrossX, 1, 0);
    crossGrid->addWidget(rbCrossAngle, 0, 1);
    crossGrid->addWidget(rbCrossDot, 1, 1);
    rbCrossNone->setChecked(true);

    auto* bobbing = newPlainGroup(page, "gbxViewBobbing", QStringLiteral("View Bobbing"));
    QGridLayout* bobGrid = newGrid(bobbing);
    txtWalkPitch = maskedEdit(bobbing, "txtWalkPitch", ThreeDecimals, QStringLiteral(" .  5"));
    txtWalkRoll = maskedEdit(bobbing, "txtWalkRoll", ThreeDecimals, QStringLiteral(" .  2"));
    txtBobStart = maskedEdit(bobbing, "txtBobStart", ThreeDecimals, QStringLiteral(" .   "));
    txtRunPitch = maskedEdit(bobbing, "txtRunPitch", ThreeDecimals, QStringLiteral(" .  2"));
    txtRunRoll = maskedEdit(bobbing, "txtRunRoll", ThreeDecimals, QStringLiteral(" .  5"));
    addLabelled(bobGrid, 0, 0, newLabel(bobbing, QStringLiteral("Walk Pitch")), txtWalkPitch);
    addLabelled(bobGrid, 1, 0, newLabel(bobbing, QStringLiteral("Walk Roll")), txtWalkRoll);
    addLabelled(bobGrid, 2, 0, newLabel(bobbing, QStringLiteral("Bob Up")), txtBobStart);
    addLabelled(bobGrid, 0, 2, newLabel(bobbing, QStringLiteral("Run Pitch")), txtRunPitch);
    addLabelled(bobGrid, 1, 2, newLabel(bobbing, QStringLiteral("Run Roll")), txtRunRoll);
    bobGrid->setColumnStretch(4, 1);

    Panel6 = named<QFrame>(page, "Panel6");
    Panel6->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel6->setFixedSize(245, 291);
    imgLogo = named<QLabel>(Panel6, "imgLogo");
    imgLogo->setScaledContents(true);
    imgLogo->setPixmap(decorationPicture("logo"));
    auto* logoLayout = new QVBoxLayout(Panel6);
    logoLayout->setContentsMargins(2, 2, 2, 2);
    logoLayout->addWidget(imgLogo);

    // The gun and view spins stand outside any group, so they are laid out on the page itself.
    auto* gun = new QGridLayout;
    gun->setHorizontalSpacing(6);
    gun->setVerticalSpacing(Spacing);
    gun->addWidget(newLabel(page, QStringLiteral("Gun Position")), 0, 0, 1, 6);
    addSettingRow(gun, 1, 0, "gun_x");
    addSettingRow(gun, 1, 2, "gun_y");
    addSettingRow(gun, 1, 4, "gun_z");
    auto* view = new QGridLayout;
    view->setHorizontalSpacing(6);
    addSettingRow(view, 0, 0, "fov");
    addSettingRow(view, 0, 2, "viewsize");
    view->setColumnStretch(4, 1);
    gun->setColumnStretch(6, 1);

    auto* left = newColumn();
    left->addWidget(player);
    auto* handAndCross = new QHBoxLayout;
    handAndCross->setSpacing(4);
    handAndCross->addWidget(hand);
    handAndCross->addWidget(cross, 1);
    left->addLayout(handAndCross);
    left->addLayout(gun);
    left->addLayout(view);
    left->addWidget(bobbing);
    left->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addLayout(left, 1);
    layout->addWidget(Panel6, 0, Qt::AlignTop);
}

// ---------------------------------------------------------------------------------------------
// Movement

void TfrmVexaMain::createMovementTab() {
    QWidget* page = tabMovement;
    createCatalogueControls("tabMovement", page);

    QGridLayout* mouse = fillGroup("Mouse Options", 1);
    barSensitivity = trackBar(groupBoxes_.value(QStringLiteral("Mouse Options")), "barSensitivity",
                              Qt::Horizontal, 1, 20, 3);
    setHintText(barSensitivity, QStringLiteral("3  (How fast the view turns with the mouse)"));
    mouse->addWidget(newLabel(barSensitivity->parentWidget(), QStringLiteral("Sensitivity")), 1, 0);
    mouse->addWidget(barSensitivity, 1, 1);
    fillGroup("Looking", 1);
    fillGroup("Running", 1);
    fillGroup("Strafing", 1);
    fillGroup("Climbing and swimming", 1);
    fillGroup("Player Movement", 1);

    auto* first = newColumn();
    first->addWidget(settingControl(QStringLiteral("in_mouse")));
    first->addWidget(groupBoxes_.value(QStringLiteral("Mouse Options")));
    first->addWidget(groupBoxes_.value(QStringLiteral("Looking")));
    first->addStretch();
    auto* second = newColumn();
    second->addWidget(groupBoxes_.value(QStringLiteral("Running")));
    second->addWidget(groupBoxes_.value(QStringLiteral("Strafing")));
    second->addWidget(groupBoxes_.value(QStringLiteral("Climbing and swimming")));
    second->addStretch();
    auto* third = newColumn();
    third->addWidget(groupBoxes_.value(QStringLiteral("Player Movement")));
    third->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(first);
    layout->addLayout(second);
    layout->addLayout(third);
}

// ---------------------------------------------------------------------------------------------
// Weapons & Inv

void TfrmVexaMain::createWeaponsTab() {
    QWidget* page = tabWeaponsInv;
    createCatalogueControls("tabWeaponsInv", page);
    fillGroup("Inventory", 1);
    fillGroup("Use Item", 1);

    auto* first = newColumn();
    first->addWidget(groupBoxes_.value(QStringLiteral("Inventory")));
    first->addWidget(groupBoxes_.value(QStringLiteral("Use Item")));
    first->addStretch();

    auto* weapons = newGrid(nullptr, 0);
    const char* const weaponUse[] = {
        "use blaster",  "use shotgun",          "use super shotgun",   "use machinegun",
        "use chaingun", "use grenade launcher", "use rocket launcher", "use hyperblaster",
        "use railgun",  "use bfg10k",           "use grenades"};
    int row = 0;
    for (const char* command : weaponUse)
        addSettingRow(weapons, row++, 0, command);
    weapons->setRowStretch(row, 1);

    auto* firing = newGrid(nullptr, 0);
    row = 0;
    for (const char* command : {"+attack", "weapnext", "weapprev", "weaplast"})
        addSettingRow(firing, row++, 0, command);
    firing->setRowMinimumHeight(row++, 8);
    for (const char* command : {"cl_vwep", "g_select_empty"})
        addSettingRow(firing, row++, 0, command);
    firing->setRowStretch(row, 1);

    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(10);
    layout->addLayout(first);
    layout->addLayout(weapons);
    layout->addLayout(firing);
}

// ---------------------------------------------------------------------------------------------
// Communications

void TfrmVexaMain::createCommunicationsTab() {
    QWidget* page = tabCommunications;
    createCatalogueControls("tabCommunications", page);

    auto* keys = newGrid(nullptr, 0);
    int row = 0;
    for (const char* command : {"toggleconsole", "messagemode", "score", "wave 0", "wave 1",
                                "wave 2", "wave 3", "wave 4"})
        addSettingRow(keys, row++, 0, command);
    keys->setRowMinimumHeight(row++, 8);
    for (const char* command : {"scr_conspeed", "con_notifytime", "logfile"})
        addSettingRow(keys, row++, 0, command);
    keys->setRowStretch(row, 1);

    auto* messages = newPlainGroup(page, "gbxMessages", QStringLiteral("Messages"));
    QGridLayout* grid = newGrid(messages);
    grid->addWidget(newLabel(messages, QStringLiteral("Key")), 0, 1);
    grid->addWidget(newLabel(messages, QStringLiteral("Message said")), 0, 2);
    for (int slot = 0; slot < 5; ++slot) {
        const QByteArray n = QByteArray::number(slot + 1);
        auto* label = newLabel(messages, QStringLiteral("Message %1").arg(slot + 1));
        txtMsgKey[slot] = named<QLineEdit>(messages, "txtMsg" + n + "Key");
        txtMsgKey[slot]->setFixedWidth(85);
        setHintText(txtMsgKey[slot], QStringLiteral("Press the key that says this message"));
        KeyCaptureFilter::install(*txtMsgKey[slot]);
        txtMsgMsg[slot] = named<QLineEdit>(messages, "txtMsg" + n + "Msg");
        grid->addWidget(label, slot + 1, 0);
        grid->addWidget(txtMsgKey[slot], slot + 1, 1);
        grid->addWidget(txtMsgMsg[slot], slot + 1, 2);
    }
    grid->setColumnStretch(2, 1);

    auto* right = newColumn();
    right->addWidget(messages);
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(10);
    layout->addLayout(keys);
    layout->addLayout(right, 1);
}

// ---------------------------------------------------------------------------------------------
// Video

void TfrmVexaMain::createVideoTab() {
    QWidget* page = tabVideo;
    gbxVideo = named<QGroupBox>(page, "gbxVideo");
    gbxVideo->setTitle(QStringLiteral("Video"));
    auto* items = new QHBoxLayout(gbxVideo);
    items->setContentsMargins(8, 0, 8, 0);
    gbxVideoItems = new QButtonGroup(gbxVideo);
    const QString captions[] = {QStringLiteral("Software"), QStringLiteral("GL")};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(captions[i], gbxVideo);
        gbxVideoItems->addButton(item, i);
        items->addWidget(item);
    }
    gbxVideoItems->button(1)->setChecked(true);

    createCatalogueControls("tabVideo", page);

    pageVideo = named<QTabWidget>(page, "pageVideo");
    pageVideo->setDocumentMode(true);
    tabBoth = addTabSheet(pageVideo, "tabBoth", QStringLiteral("Both"));
    TabSheet1 = addTabSheet(pageVideo, "TabSheet1", QStringLiteral("Software"));
    TabSheet2 = addTabSheet(pageVideo, "TabSheet2", QStringLiteral("GL"));
    createVideoBothPage();
    createVideoSoftwarePage();
    createVideoGlPage();
    pageVideo->setCurrentWidget(TabSheet2);

    auto* header = new QHBoxLayout;
    header->addWidget(gbxVideo);
    header->addSpacing(12);
    header->addWidget(settingControl(QStringLiteral("vid_fullscreen")), 0, Qt::AlignBottom);
    header->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 0, 4, 2);
    layout->setSpacing(2);
    layout->addLayout(header);
    layout->addWidget(pageVideo, 1);
}

void TfrmVexaMain::createVideoBothPage() {
    QWidget* page = tabBoth;
    createCatalogueControls("tabBoth", page);
    fillGroup("Game Screen Position", 1);

    auto* keys = newGrid(nullptr, 0);
    int row = 0;
    for (const char* command : {"vid_restart", "sizedown", "sizeup"})
        addSettingRow(keys, row++, 0, command);
    keys->setRowStretch(row, 1);

    barGamma = trackBar(page, "barGamma", Qt::Vertical, 1, 39, 20);
    barGamma->setInvertedAppearance(true);
    barGamma->setFixedHeight(150);
    setHintText(barGamma, QStringLiteral("1  (Brightness of the picture; up is darker)"));
    auto* gamma = newColumn();
    gamma->addWidget(newLabel(page, QStringLiteral("Gamma")), 0, Qt::AlignHCenter);
    gamma->addWidget(barGamma, 0, Qt::AlignHCenter);
    gamma->addStretch();

    auto* screen = newColumn();
    screen->addWidget(groupBoxes_.value(QStringLiteral("Game Screen Position")));
    screen->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 6, 4, 4);
    layout->setSpacing(16);
    layout->addLayout(keys);
    layout->addLayout(screen);
    layout->addLayout(gamma);
    layout->addStretch();
}

void TfrmVexaMain::createVideoSoftwarePage() {
    QWidget* page = TabSheet1;
    createCatalogueControls("TabSheet1", page);
    auto* grid = newGrid(page, 6);
    const char* const checks[] = {"sw_stipplealpha",  "sw_drawflat",      "sw_polymodelstats",
                                  "sw_reportedgeout", "sw_reportsurfout", "sw_surfcacheoverride",
                                  "sw_waterwarp",     "sw_allow_modex",   "sw_draworder"};
    for (int i = 0; i < 9; ++i)
        addSettingRow(grid, i % 5, (i / 5) * 2, checks[i]);
    cboSwVidMode = editableCombo(page, "cboSwVidMode", VideoModes);
    cboSwVidMode->setEditable(false);
    setHintText(cboSwVidMode, QStringLiteral("0  (Screen resolution of the software renderer)"));
    addLabelled(grid, 0, 4, newLabel(page, QStringLiteral("Video Mode")), cboSwVidMode);
    int row = 1;
    for (const char* command : {"sw_mipcap", "sw_mipscale", "sw_clearcolor"})
        addSettingRow(grid, row++, 4, command);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(6, 1);
}

void TfrmVexaMain::createVideoGlPage() {
    QWidget* page = TabSheet2;
    createCatalogueControls("TabSheet2", page);
    fillGroup("Enhancements", 2);
    fillGroup("Video Card Specific", 2);
    fillGroup("Debugging", 2);

    cboGlVidMode = editableCombo(page, "cboGlVidMode", VideoModes);
    cboGlVidMode->setEditable(false);
    cboGlVidMode->setCurrentIndex(0);
    setHintText(cboGlVidMode, QStringLiteral("3  (Screen resolution of the OpenGL renderer)"));
    cboTextureMode = editableCombo(page, "cboTextureMode", TextureModes);
    cboTextureMode->setCurrentIndex(TextureModes.indexOf("GL_NEAREST_MIPMAP_NEAREST"));
    setHintText(cboTextureMode, QStringLiteral("GL_LINEAR_MIPMAP_NEAREST  (How textures are "
                                               "filtered)"));
    cboGlDriver = editableCombo(page, "cboGlDriver");
    setHintText(cboGlDriver, QStringLiteral("The filename of the OpenGL .dll driver"));

    auto* numbers = newGrid(nullptr, 0);
    addLabelled(numbers, 0, 0, newLabel(page, QStringLiteral("Mode")), cboGlVidMode);
    addLabelled(numbers, 1, 0, newLabel(page, QStringLiteral("Textures")), cboTextureMode);
    addLabelled(numbers, 2, 0, newLabel(page, QStringLiteral("Driver")), cboGlDriver);
    auto* fields = newGrid(nullptr, 0);
    struct Field {
        QLineEdit** edit;
        const char* name;
        const char* caption;
        const QString* mask;
    } const masked[] = {
        {&txtGlParticleSize, "txtGlParticleSize", "Particle Size", &ThreeDecimals},
        {&txtPartSizeMin, "txtPartSizeMin", "Min Size", &ThreeDecimals},
        {&txtPartSizeMax, "txtPartSizeMax", "Max Size", &ThreeDecimals},
        {&txtPartIntensityA, "txtPartIntensityA", "Fade A", &ThreeDecimals},
        {&txtPartIntensityB, "txtPartIntensityB", "Fade B", &ThreeDecimals},
        {&txtPartIntensityC, "txtPartIntensityC", "Fade C", &ThreeDecimals},
        {&txtGlPicMip, "txtGlPicMip", "Pic Mip", &TwoDecimals},
        {&txtGlPlayerMip, "txtGlPlayerMip", "Player Mip", &TwoDecimals},
        {&txtGlModulate, "txtGlModulate", "Modulate", &TwoDecimals},
        {&txtGlSwapInterval, "txtGlSwapInterval", "Swap Interval", &TwoDecimals},
    };
    for (int i = 0; i < 10; ++i) {
        const Field& f = masked[i];
        *f.edit = maskedEdit(page, f.name, *f.mask, QString());
        addLabelled(fields, i % 5, (i / 5) * 2, newLabel(page, QLatin1String(f.caption)), *f.edit);
    }

    auto* left = newColumn();
    left->addWidget(groupBoxes_.value(QStringLiteral("Enhancements")));
    left->addWidget(groupBoxes_.value(QStringLiteral("Video Card Specific")));
    left->addStretch();
    auto* right = newColumn();
    right->addLayout(numbers);
    right->addLayout(fields);
    right->addWidget(groupBoxes_.value(QStringLiteral("Debugging")));
    right->addWidget(settingControl(QStringLiteral("gl_log")));
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(2, 4, 2, 2);
    layout->setSpacing(6);
    layout->addLayout(left);
    layout->addLayout(right);
}

// ---------------------------------------------------------------------------------------------
// Sound

void TfrmVexaMain::createSoundTab() {
    QWidget* page = tabSound;
    createCatalogueControls("tabSound", page);

    auto* checks = newGrid(nullptr, 0);
    int row = 0;
    for (const char* command : {"s_initsound", "s_primary", "s_waveonly", "cl_footsteps",
                                "s_loadas8bit", "s_show", "s_testsound", "cd_nocd"})
        addSettingRow(checks, row++, 0, command);
    checks->setRowMinimumHeight(row++, 8);
    for (const char* command : {"cd_looptrack", "cd_loopcount"})
        addSettingRow(checks, row++, 0, command);
    checks->setRowStretch(row, 1);

    auto* keys = newGrid(nullptr, 0);
    row = 0;
    for (const char* command : {"snd_restart", "soundinfo", "soundlist", "cd on", "cd off",
                                "cd stop", "cd pause", "cd resume"})
        addSettingRow(keys, row++, 0, command);
    keys->setRowStretch(row, 1);

    auto* quality = newGrid(nullptr, 0);
    cboSndQuality =
        editableCombo(page, "cboSndQuality", {QStringLiteral("High"), QStringLiteral("Low")});
    cboSndQuality->setEditable(false);
    cboSndQuality->setCurrentIndex(1);
    setHintText(cboSndQuality, QStringLiteral("Low  (Sampling rate of the sound: 22 or 11 kHz)"));
    txtSndDelay = maskedEdit(page, "txtSndDelay", TwoDecimals, QStringLiteral("0.2 "));
    setHintText(txtSndDelay, QStringLiteral("0.2  (Seconds of sound mixed ahead)"));
    barVolume = trackBar(page, "barVolume", Qt::Horizontal, 0, 40, 20);
    setHintText(barVolume, QStringLiteral("0.7  (Sound effects volume)"));
    addLabelled(quality, 0, 0, newLabel(page, QStringLiteral("Quality")), cboSndQuality);
    addLabelled(quality, 1, 0, newLabel(page, QStringLiteral("Mix Ahead")), txtSndDelay);
    addLabelled(quality, 2, 0, newLabel(page, QStringLiteral("Volume")), barVolume);

    auto* right = newColumn();
    right->addLayout(quality);
    right->addSpacing(8);
    right->addWidget(pictureLabel(page, "imgSound", "tab_sound"), 0, Qt::AlignHCenter);
    right->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(10);
    layout->addLayout(checks);
    layout->addLayout(keys);
    layout->addLayout(right, 1);
}

// ---------------------------------------------------------------------------------------------
// Menus

void TfrmVexaMain::createMenusTab() {
    QWidget* page = TabMenus;
    createCatalogueControls("TabMenus", page);
    auto* grid = newGrid(nullptr, 0);
    int index = 0;
    for (const CatalogueRow& row : catalogue()) {
        if (qstrcmp(row.tab, "TabMenus") != 0)
            continue;
        addSettingRow(grid, index % 10, (index / 10) * 2, row.command);
        ++index;
    }
    grid->setRowStretch(10, 1);
    auto* right = newColumn();
    right->addWidget(pictureLabel(page, "imgMenus", "tab_menus"));
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(10);
    layout->addLayout(grid);
    layout->addLayout(right);
    layout->addStretch();
}

// ---------------------------------------------------------------------------------------------
// Client

void TfrmVexaMain::createClientTab() {
    QWidget* page = tabClient;
    createCatalogueControls("tabClient", page);

    auto* settings = newGrid(nullptr, 0);
    int row = 0;
    for (const char* command :
         {"cl_predict", "cl_showmiss", "cl_stats", "cl_shownet", "win_noalttab", "fixedtime"})
        addSettingRow(settings, row++, 0, command);
    settings->setRowMinimumHeight(row++, 8);
    for (const char* command : {"cl_timeout", "cl_maxfps", "rate"})
        addSettingRow(settings, row++, 0, command);
    settings->setRowStretch(row, 1);

    auto* downloads = newGrid(nullptr, 0);
    row = 0;
    addSettingRow(downloads, row++, 0, "allow_download");
    for (const char* command : {"allow_download_maps", "allow_download_models",
                                "allow_download_players", "allow_download_sounds"}) {
        addSettingRow(downloads, row, 1, command);
        downloads->setColumnMinimumWidth(0, 14);
        ++row;
    }
    downloads->setRowStretch(row, 1);

    auto* launch = newPlainGroup(page, "gbxClientStart", QStringLiteral("When Quake2 starts"));
    QGridLayout* grid = newGrid(launch);
    auto* choice = new QButtonGroup(launch);
    rbStartNewGame = radio(launch, "rbStartNewGame", QStringLiteral("Start New Game"), choice);
    rbLoadSavedGame = radio(launch, "rbLoadSavedGame", QStringLiteral("Load Saved Game"), choice);
    rbConnectToServer =
        radio(launch, "rbConnectToServer", QStringLiteral("Connect to Server"), choice);
    rbStartNewGame->setChecked(true);
    cboClientStartMap = editableCombo(launch, "cboClientStartMap");
    setHintText(cboClientStartMap, QStringLiteral("The map a new game starts on"));
    btnMapList = named<QPushButton>(launch, "btnMapList");
    btnMapList->setText(QStringLiteral("Edit Map List"));
    cboSaveGames = editableCombo(launch, "cboSaveGames");
    setHintText(cboSaveGames, QStringLiteral("The saved game to load"));
    cboServerList = editableCombo(launch, "cboServerList");
    setHintText(cboServerList, QStringLiteral("The server to connect to"));
    btnServerList = named<QPushButton>(launch, "btnServerList");
    btnServerList->setText(QStringLiteral("Edit Server List"));
    grid->addWidget(rbStartNewGame, 0, 0, 1, 2);
    grid->addWidget(cboClientStartMap, 1, 0);
    grid->addWidget(btnMapList, 1, 1);
    grid->addWidget(rbLoadSavedGame, 2, 0, 1, 2);
    grid->addWidget(cboSaveGames, 3, 0);
    grid->addWidget(rbConnectToServer, 4, 0, 1, 2);
    grid->addWidget(cboServerList, 5, 0);
    grid->addWidget(btnServerList, 5, 1);
    grid->setColumnStretch(0, 1);

    auto* right = newColumn();
    right->addWidget(launch);
    right->addLayout(downloads);
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(10);
    layout->addLayout(settings);
    layout->addLayout(right, 1);
}

// ---------------------------------------------------------------------------------------------
// Server

void TfrmVexaMain::createServerTab() {
    QWidget* page = tabServer;
    createCatalogueControls("tabServer", page);

    auto* server = newGrid(nullptr, 0);
    edtServerName = named<QLineEdit>(page, "edtServerName");
    edtServerName->setText(QStringLiteral("noname"));
    setHintText(edtServerName, QStringLiteral("noname  (The name players see in server lists)"));
    edtServerPassword = named<QLineEdit>(page, "edtServerPassword");
    setHintText(edtServerPassword, QStringLiteral("  (Password players need to join)"));
    edtMasterServer = named<QLineEdit>(page, "edtMasterServer");
    edtMasterServer->setText(QStringLiteral("master.quakeservers.net:27900"));
    setHintText(edtMasterServer,
                QStringLiteral("master.quakeservers.net:27900  (Master server a public server "
                               "reports to)"));
    cboServerStartMap = editableCombo(page, "cboServerStartMap");
    setHintText(cboServerStartMap, QStringLiteral("The map the server starts on"));
    int row = 0;
    addLabelled(server, row++, 0, newLabel(page, QStringLiteral("Name")), edtServerName);
    addLabelled(server, row++, 0, newLabel(page, QStringLiteral("Password")), edtServerPassword);
    addLabelled(server, row++, 0, newLabel(page, QStringLiteral("Master")), edtMasterServer);
    addLabelled(server, row++, 0, newLabel(page, QStringLiteral("Start Map")), cboServerStartMap);
    server->setRowMinimumHeight(row++, 6);

    auto* numbers = newGrid(nullptr, 0);
    int numberRow = 0;
    for (const char* command : {"maxclients", "sv_maxvelocity", "sv_gravity", "timeout"})
        addSettingRow(numbers, numberRow++, 0, command);
    numbers->setColumnStretch(2, 1);
    cbxFragLimit = named<QCheckBox>(page, "cbxFragLimit");
    cbxFragLimit->setText(QStringLiteral("Frag Limit"));
    cbxFragLimit->setChecked(true);
    cbxTimeLimit = named<QCheckBox>(page, "cbxTimeLimit");
    cbxTimeLimit->setText(QStringLiteral("Time Limit"));
    cbxTimeLimit->setChecked(true);
    auto* limits = newGrid(nullptr, 0);
    limits->addWidget(cbxFragLimit, 0, 0);
    addSettingRow(limits, 0, 1, "fraglimit");
    limits->addWidget(cbxTimeLimit, 1, 0);
    addSettingRow(limits, 1, 1, "timelimit");
    limits->setColumnStretch(3, 1);

    auto* left = newColumn();
    left->addLayout(server);
    for (const char* command : {"dedicated", "public", "cheats"})
        left->addWidget(settingControl(QString::fromLatin1(command)));
    left->addSpacing(4);
    left->addLayout(numbers);
    left->addLayout(limits);
    left->addStretch();

    auto* type = newPlainGroup(page, "gbxGameType", QStringLiteral("Game Type"));
    auto* typeLayout = new QHBoxLayout(type);
    typeLayout->setContentsMargins(6, 0, 6, 0);
    auto* typeGroup = new QButtonGroup(type);
    rbDeathMatch = radio(type, "rbDeathMatch", QStringLiteral("DeathMatch"), typeGroup);
    rbCooperative = radio(type, "rbCooperative", QStringLiteral("Cooperative"), typeGroup);
    rbDeathMatch->setChecked(true);
    typeLayout->addWidget(rbDeathMatch);
    typeLayout->addWidget(rbCooperative);
    typeLayout->addStretch();

    auto* flags = newPlainGroup(page, "gbxDeathmatchFlags", QStringLiteral("Deathmatch Rules"));
    QGridLayout* flagGrid = newGrid(flags);
    flagGrid->setVerticalSpacing(0);
    int index = 0;
    for (const DeathmatchFlag& flag : deathmatchFlags()) {
        auto* box = named<QCheckBox>(flags, flag.name);
        box->setText(QString::fromUtf8(flag.caption));
        box->setChecked(flag.initiallyChecked);
        box->setProperty("Tag", flag.tag);
        deathmatchFlagBoxes << box;
        flagGrid->addWidget(box, index % 10, index / 10);
        ++index;
    }

    auto* right = newColumn();
    right->addWidget(type);
    right->addWidget(flags);
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(8);
    layout->addLayout(left, 1);
    layout->addLayout(right);
}

// ---------------------------------------------------------------------------------------------
// Games & Aliases

void TfrmVexaMain::createGamesTab() {
    QWidget* page = tabAlias;

    lbxGames = named<QListWidget>(page, "lbxGames");
    lbxGames->setFixedHeight(78);
    btnAddGame = glyphButton(page, "btnAddGame", Glyph::Add, QStringLiteral("Add a game"));
    btnDeleteGame =
        glyphButton(page, "btnDeleteGame", Glyph::Delete, QStringLiteral("Delete the game"));
    btnUseThisGame = named<QPushButton>(page, "btnUseThisGame");
    btnUseThisGame->setText(QStringLiteral("Use this Game"));
    txtCurrentGame = named<QLineEdit>(page, "txtCurrentGame");
    txtCurrentGame->setReadOnly(true);
    setHintText(txtCurrentGame, QStringLiteral("The game Quake2 starts with"));
    cbxStartWithGame = named<QCheckBox>(page, "cbxStartWithGame");
    cbxStartWithGame->setText(QStringLiteral("Start Quake2 with this Game"));
    cbxGlobalSettings = named<QCheckBox>(page, "cbxGlobalSettings");
    cbxGlobalSettings->setText(QStringLiteral("Show Global Settings"));
    cbxGlobalSettings->setChecked(true);

    auto* games = new QGridLayout;
    games->setHorizontalSpacing(6);
    games->setVerticalSpacing(Spacing);
    games->addWidget(newLabel(page, QStringLiteral("Games"), "lblGames"), 0, 0);
    games->addWidget(lbxGames, 1, 0, 4, 1);
    auto* gameButtons = new QHBoxLayout;
    gameButtons->setSpacing(2);
    gameButtons->addWidget(btnAddGame);
    gameButtons->addWidget(btnDeleteGame);
    gameButtons->addStretch();
    games->addLayout(gameButtons, 1, 1);
    games->addWidget(btnUseThisGame, 2, 1);
    auto* current = new QHBoxLayout;
    current->addWidget(newLabel(page, QStringLiteral("Current Game")));
    current->addWidget(txtCurrentGame, 1);
    games->addLayout(current, 3, 1);
    games->addWidget(cbxStartWithGame, 4, 1);
    games->addWidget(cbxGlobalSettings, 0, 2);
    games->setColumnStretch(0, 1);
    games->setColumnStretch(1, 1);

    struct Kind {
        QListWidget** list;
        QCheckBox** selectAll;
        QToolButton** add;
        QToolButton** remove;
        QPushButton** edit;
        const char* names[5];
        const char* word; // "Alias", "Binding", "Setting"
        const char* plural;
    } const kinds[] = {
        {&clsAliases,
         &cbxSelectAllAliases,
         &btnAddAlias,
         &btnDeleteAlias,
         &btnEditAlias,
         {"clsAliases", "cbxSelectAllAliases", "btnAddAlias", "btnDeleteAlias", "btnEditAlias"},
         "Alias",
         "Aliases"},
        {&clsBindings,
         &cbxSelectAllBindings,
         &btnAddBinding,
         &btnDeleteBinding,
         &btnEditBinding,
         {"clsBindings", "cbxSelectAllBindings", "btnAddBinding", "btnDeleteBinding",
          "btnEditBinding"},
         "Binding",
         "Bindings"},
        {&clsSettings,
         &cbxSelectAllSettings,
         &btnAddSetting,
         &btnDeleteSetting,
         &btnEditSetting,
         {"clsSettings", "cbxSelectAllSettings", "btnAddSetting", "btnDeleteSetting",
          "btnEditSetting"},
         "Setting",
         "Settings"},
    };
    auto* lists = new QHBoxLayout;
    lists->setSpacing(8);
    for (const Kind& kind : kinds) {
        const QString word = QLatin1String(kind.word);
        *kind.list = named<QListWidget>(page, kind.names[0]);
        *kind.selectAll = named<QCheckBox>(page, kind.names[1]);
        (*kind.selectAll)->setText(QStringLiteral("Select all ") + QLatin1String(kind.plural));
        (*kind.selectAll)->setProperty("Tag", 0);
        *kind.add = glyphButton(page, kind.names[2], Glyph::Add, QStringLiteral("Add ") + word);
        *kind.remove =
            glyphButton(page, kind.names[3], Glyph::Delete, QStringLiteral("Delete ") + word);
        *kind.edit = named<QPushButton>(page, kind.names[4]);
        (*kind.edit)->setText(QStringLiteral("Edit ") + word);

        auto* column = newColumn();
        column->setSpacing(Spacing);
        column->addWidget(newLabel(page, QLatin1String(kind.plural)));
        column->addWidget(*kind.list, 1);
        column->addWidget(*kind.selectAll);
        auto* buttons = new QHBoxLayout;
        buttons->setSpacing(2);
        buttons->addWidget(*kind.add);
        buttons->addWidget(*kind.remove);
        buttons->addStretch();
        buttons->addWidget(*kind.edit);
        column->addLayout(buttons);
        lists->addLayout(column, 1);
    }

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(6);
    layout->addLayout(games);
    layout->addLayout(lists, 1);
}

// ---------------------------------------------------------------------------------------------
// Enabling rules

void TfrmVexaMain::sbcin_mouseClick() {
    auto* useMouse = qobject_cast<TSupCheckBox*>(settingControl(QStringLiteral("in_mouse")));
    settingControl(QStringLiteral("freelook"))->setEnabled(useMouse->isChecked());
}

void TfrmVexaMain::sbcallow_downloadClick() {
    auto* allow = qobject_cast<TSupCheckBox*>(settingControl(QStringLiteral("allow_download")));
    for (const char* command : {"allow_download_maps", "allow_download_models",
                                "allow_download_sounds", "allow_download_players"})
        settingControl(QString::fromLatin1(command))->setEnabled(allow->isChecked());
}
