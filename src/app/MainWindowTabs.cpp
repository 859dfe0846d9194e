// The contents of the main window's tabs. Setting controls are made from the catalogue, tab by
// tab in catalogue order, so the depth-first widget order is the catalogue's; layouts then put
// every widget in its place without changing that order (a layout never reparents a widget that
// already belongs to the page).

#include "app/MainWindow.h"

#include "app/MultiRowTabWidget.h"
#include "app/Pictures.h"
#include "app/WidgetHelpers.h"
#include "app/pages/CatalogueLayout.h"
#include "app/pages/PageLayout.h"
#include "config/DeathmatchFlags.h"
#include "controls/Catalogue.h"
#include "controls/CatalogueControls.h"
#include "controls/ChoiceBox.h"
#include "controls/KeyNames.h"
#include "controls/MaskedNumberEdit.h"
#include "controls/SettingCheckBox.h"

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

#include <algorithm>

using namespace PageLayout;

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

// The radio group keeps its title but puts it on the left of its one row of buttons, so the
// Video tab's header takes a single row and the sub-pages get the height.
void makeInlineRadioGroup(QGroupBox& box) {
    const int titleWidth = box.fontMetrics().horizontalAdvance(box.title());
    box.setStyleSheet(QStringLiteral("QGroupBox#%1 { border: 1px solid palette(mid); "
                                     "border-radius: 2px; margin-top: 0px; "
                                     "padding: 0px 4px 0px %2px; }"
                                     "QGroupBox#%1::title { subcontrol-origin: border; "
                                     "subcontrol-position: left center; left: 6px; }")
                          .arg(box.objectName())
                          .arg(titleWidth + 14));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Catalogue controls

QWidget* MainWindow::settingControl(const QString& command) const {
    return catalogueLayout_.control(command);
}

QObject* MainWindow::namedObject(const QString& name) const {
    QPointer<QObject>& found = namedObjects_[name];
    if (!found)
        found = findChild<QObject*>(name);
    return found;
}

// ---------------------------------------------------------------------------------------------
// Video

void MainWindow::createVideoTab() {
    QWidget* page = tabVideo;
    gbxVideo = named<QGroupBox>(page, "gbxVideo");
    gbxVideo->setTitle(QStringLiteral("Video"));
    makeInlineRadioGroup(*gbxVideo);
    auto* items = new QHBoxLayout(gbxVideo);
    items->setContentsMargins(0, 1, 0, 1);
    items->setSpacing(BlockSpacing);
    gbxVideoItems = new QButtonGroup(gbxVideo);
    const QString captions[] = {QStringLiteral("Software"), QStringLiteral("GL")};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(captions[i], gbxVideo);
        gbxVideoItems->addButton(item, i);
        items->addWidget(item);
    }
    gbxVideoItems->button(1)->setChecked(true);

    catalogueLayout_.createControls("tabVideo", page);

    pageVideo = named<MultiRowTabWidget>(page, "pageVideo");
    pageVideo->setDocumentMode(true);
    tabBoth = addTabSheet(pageVideo, "tabBoth", QStringLiteral("Both"));
    softwarePage_ = addTabSheet(pageVideo, "TabSheet1", QStringLiteral("Software"));
    TabSheet2 = addTabSheet(pageVideo, "TabSheet2", QStringLiteral("GL"));
    createVideoBothPage();
    createVideoSoftwarePage();
    createVideoGlPage();
    pageVideo->setCurrentWidget(TabSheet2);

    auto* header = newRow(BlockSpacing * 2);
    header->addWidget(gbxVideo);
    header->addWidget(settingControl(QStringLiteral("vid_fullscreen")));
    header->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(PageMargin, RowSpacing, PageMargin, 0);
    layout->setSpacing(RowSpacing);
    layout->addLayout(header);
    layout->addWidget(pageVideo, 1);
    compactRows(page);
}

void MainWindow::createVideoBothPage() {
    QWidget* page = tabBoth;
    catalogueLayout_.createControls("tabBoth", page);
    catalogueLayout_.fillGroup("Game Screen Position", 1);

    auto* keys = newGrid();
    int row = 0;
    for (const char* command : {"vid_restart", "sizedown", "sizeup"})
        catalogueLayout_.addSettingRow(keys, row++, 0, command);
    keys->setRowStretch(row, 1);

    barGamma = trackBar(page, "barGamma", Qt::Vertical, 1, 39, 20);
    barGamma->setInvertedAppearance(true);
    barGamma->setFixedHeight(150);
    setHintText(barGamma, QStringLiteral("1  (Brightness of the picture; up is darker)"));
    auto* gamma = newColumn(RowSpacing);
    gamma->addWidget(newLabel(page, QStringLiteral("Gamma")), 0, Qt::AlignHCenter);
    gamma->addWidget(barGamma, 0, Qt::AlignHCenter);
    gamma->addStretch();

    auto* screen = newColumn();
    screen->addWidget(catalogueLayout_.group("Game Screen Position"));
    screen->addStretch();

    auto* layout = pageColumns(page, SubPageMargin);
    layout->setContentsMargins(SubPageMargin, BlockSpacing, SubPageMargin, SubPageMargin);
    layout->setSpacing(BlockSpacing * 3);
    layout->addLayout(keys);
    layout->addLayout(screen);
    layout->addLayout(gamma);
    layout->addStretch();
}

void MainWindow::createVideoSoftwarePage() {
    QWidget* page = softwarePage_;
    catalogueLayout_.createControls("TabSheet1", page);
    auto* grid = newGrid(page, QMargins(SubPageMargin, BlockSpacing, SubPageMargin, SubPageMargin));
    grid->setHorizontalSpacing(BlockSpacing);
    const char* const checks[] = {"sw_stipplealpha",  "sw_drawflat",      "sw_polymodelstats",
                                  "sw_reportedgeout", "sw_reportsurfout", "sw_surfcacheoverride",
                                  "sw_waterwarp",     "sw_allow_modex",   "sw_draworder"};
    for (int i = 0; i < 9; ++i)
        catalogueLayout_.addSettingRow(grid, i % 5, (i / 5) * 2, checks[i]);
    cboSwVidMode = editableCombo(page, "cboSwVidMode", VideoModes);
    cboSwVidMode->setEditable(false);
    setHintText(cboSwVidMode, QStringLiteral("0  (Screen resolution of the software renderer)"));
    addLabelled(grid, 0, 4, newLabel(page, QStringLiteral("Video Mode")), cboSwVidMode);
    int row = 1;
    for (const char* command : {"sw_mipcap", "sw_mipscale", "sw_clearcolor"})
        catalogueLayout_.addSettingRow(grid, row++, 4, command);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(6, 1);
}

// The densest page, in two columns: the picture's enhancements, the debugging switches and the
// mode and texture boxes on the left; the card's switches, the driver with the log switch and
// the number fields on the right.
void MainWindow::createVideoGlPage() {
    QWidget* page = TabSheet2;
    catalogueLayout_.createControls("TabSheet2", page);
    for (const char* caption : {"Enhancements", "Video Card Specific", "Debugging"})
        catalogueLayout_.fillGroup(caption, 2)->setHorizontalSpacing(TightSpacing);

    cboGlVidMode = editableCombo(page, "cboGlVidMode", VideoModes);
    cboGlVidMode->setEditable(false);
    cboGlVidMode->setCurrentIndex(0);
    setHintText(cboGlVidMode, QStringLiteral("3  (Screen resolution of the OpenGL renderer)"));
    cboTextureMode = editableCombo(page, "cboTextureMode", TextureModes);
    cboTextureMode->setCurrentIndex(
        static_cast<int>(TextureModes.indexOf("GL_NEAREST_MIPMAP_NEAREST")));
    setHintText(cboTextureMode, QStringLiteral("GL_LINEAR_MIPMAP_NEAREST  (How textures are "
                                               "filtered)"));
    cboGlDriver = foundCombo(page, "cboGlDriver");
    setHintText(cboGlDriver, QStringLiteral("The filename of the OpenGL .dll driver"));

    auto* picture = newGrid();
    addLabelled(picture, 0, 0, newLabel(page, QStringLiteral("Mode")), cboGlVidMode);
    addLabelled(picture, 1, 0, newLabel(page, QStringLiteral("Textures")), cboTextureMode);
    picture->setColumnStretch(2, 1);
    picture->setAlignment(cboGlVidMode, Qt::AlignLeft);

    auto* driver = newRow(FieldSpacing);
    driver->addWidget(newLabel(page, QStringLiteral("Driver")));
    driver->addWidget(cboGlDriver, 1);
    driver->addSpacing(BlockSpacing);
    driver->addWidget(settingControl(QStringLiteral("gl_log")));

    // The particle sizes and mip levels down the first column, the particle fading, modulation
    // and swap interval down the second.
    auto* fields = newGrid();
    struct Field {
        QLineEdit** edit;
        const char* name;
        const char* caption;
        int decimals;
        int row, column;
    } const masked[] = {
        {&txtGlParticleSize, "txtGlParticleSize", "Particle Size", ThreeDecimals, 0, 0},
        {&txtPartSizeMin, "txtPartSizeMin", "Min Size", ThreeDecimals, 1, 0},
        {&txtPartSizeMax, "txtPartSizeMax", "Max Size", ThreeDecimals, 2, 0},
        {&txtPartIntensityA, "txtPartIntensityA", "Fade A", ThreeDecimals, 0, 3},
        {&txtPartIntensityB, "txtPartIntensityB", "Fade B", ThreeDecimals, 1, 3},
        {&txtPartIntensityC, "txtPartIntensityC", "Fade C", ThreeDecimals, 2, 3},
        {&txtGlPicMip, "txtGlPicMip", "Pic Mip", TwoDecimals, 3, 0},
        {&txtGlPlayerMip, "txtGlPlayerMip", "Player Mip", TwoDecimals, 4, 0},
        {&txtGlModulate, "txtGlModulate", "Modulate", TwoDecimals, 3, 3},
        {&txtGlSwapInterval, "txtGlSwapInterval", "Swap Interval", TwoDecimals, 4, 3},
    };
    for (const Field& f : masked) {
        *f.edit = maskedEdit(page, f.name, f.decimals, QString());
        addLabelled(fields, f.row, f.column, newLabel(page, QLatin1String(f.caption)), *f.edit);
    }
    fields->setColumnMinimumWidth(2, BlockSpacing);
    fields->setColumnStretch(2, 1);

    auto* left = newColumn(TightSpacing);
    left->addWidget(catalogueLayout_.group("Enhancements"));
    left->addWidget(catalogueLayout_.group("Debugging"));
    left->addLayout(picture);
    left->addStretch();
    auto* right = newColumn(TightSpacing);
    right->addWidget(catalogueLayout_.group("Video Card Specific"));
    right->addLayout(driver);
    right->addLayout(fields);
    right->addStretch();
    auto* layout = pageColumns(page, SubPageMargin);
    layout->setSpacing(TightSpacing);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
}

// ---------------------------------------------------------------------------------------------
// Games & Aliases

void MainWindow::createGamesTab() {
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
    games->setHorizontalSpacing(BlockSpacing);
    games->setVerticalSpacing(RowSpacing);
    games->addWidget(newLabel(page, QStringLiteral("Games"), "lblGames"), 0, 0);
    games->addWidget(lbxGames, 1, 0, 4, 1);
    auto* gameButtons = new QHBoxLayout;
    gameButtons->setSpacing(2);
    gameButtons->addWidget(btnAddGame);
    gameButtons->addWidget(btnDeleteGame);
    gameButtons->addStretch();
    games->addLayout(gameButtons, 1, 1);
    games->addWidget(btnUseThisGame, 2, 1);
    auto* current = newRow(FieldSpacing);
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
        column->setSpacing(RowSpacing);
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
    layout->setContentsMargins(PageMargin, PageMargin, PageMargin, PageMargin);
    layout->setSpacing(BlockSpacing);
    layout->addLayout(games);
    layout->addLayout(lists, 1);
    compactRows(page);
}

// ---------------------------------------------------------------------------------------------
// Enabling rules

void MainWindow::sbcin_mouseClick() {
    auto* useMouse = qobject_cast<SettingCheckBox*>(settingControl(QStringLiteral("in_mouse")));
    settingControl(QStringLiteral("freelook"))->setEnabled(useMouse->isChecked());
}

void MainWindow::sbcallow_downloadClick() {
    auto* allow = qobject_cast<SettingCheckBox*>(settingControl(QStringLiteral("allow_download")));
    for (const char* command : {"allow_download_maps", "allow_download_models",
                                "allow_download_sounds", "allow_download_players"})
        settingControl(QString::fromLatin1(command))->setEnabled(allow->isChecked());
}
