#include "VexaMain.h"

#include "app/About.h"
#include "app/CfgFileMemory.h"
#include "app/ConfigCheckDialog.h"
#include "app/Glyphs.h"
#include "app/MultiRowTabWidget.h"
#include "app/Options.h"
#include "app/Pictures.h"
#include "app/VexaEdit.h"
#include "app/WidgetHelpers.h"
#include "config/SettingControls.h"
#include "controls/SupCheckBox.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"
#include "profiles/GamesAliasesController.h"
#include "settings/GameHome.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString WindowCaption = QStringLiteral("VEXA                    (Beta 7.0)");
const QString HintPrefix = QStringLiteral("Default : ");
const QString BaseDirUnknown = QStringLiteral(
    "Baseq2 directory is unkown to vexa.  Please go to options and choose a directory");
constexpr int ClientWidth = 544;
constexpr int ClientHeight = 446;
constexpr int SplashMilliseconds = 1500;

QToolButton* frameGlyph(QWidget* parent, const char* name, int x, int y, Glyph glyph,
                        const QString& hint) {
    QToolButton* button = glyphButton(parent, name, glyph, hint);
    button->move(x, y);
    return button;
}

// A label that ends just left of the box it names, however wide the font makes its text.
QLabel* rightAlignedLabel(QWidget* parent, const char* name, const QString& text, int right,
                          int top) {
    auto* label = named<QLabel>(parent, name);
    label->setText(text);
    label->adjustSize();
    label->move(right - 2 - label->width(), top);
    return label;
}

} // namespace

TfrmVexaMain::TfrmVexaMain(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), programDirectory_(QDir::currentPath()) {
    setObjectName(QStringLiteral("frmVexaMain"));
    setWindowTitle(WindowCaption);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    createMenu();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);
    createFrame(client);
    createSplash(client);
    // The settings file object lives as long as the window; opening it touches no file.
    settings_ = std::make_unique<IniFile>(VexaIni::fileName(), VexaIni::Encoding);
    connectHandlers();
    installConfigChecks(*this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    FormCreate();
}

TfrmVexaMain::~TfrmVexaMain() {
    qApp->removeEventFilter(this);
    // Hiding takes the focus away from the controls, and a box that loses it may report an edit.
    // Done here, the handlers still find a whole window; QWidget's destructor would hide it only
    // after this object is gone.
    hide();
}

// ---------------------------------------------------------------------------------------------
// Building the window

QAction* TfrmVexaMain::addMenuItem(QMenu* menu, const char* name, const QString& caption) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

void TfrmVexaMain::addMenuSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

void TfrmVexaMain::createMenu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    file1 = MainMenu1->addMenu(QStringLiteral("&File"));
    file1->setObjectName(QStringLiteral("file1"));
    New1 = addMenuItem(file1, "New1", QStringLiteral("New"));
    addMenuSeparator(file1, "N2");
    OpenConfig1 = addMenuItem(file1, "OpenConfig1", QStringLiteral("Load Config"));
    OpenBatch1 = addMenuItem(file1, "OpenBatch1", QStringLiteral("Load Batch"));
    addMenuSeparator(file1, "N1");
    SaveConfig1 = addMenuItem(file1, "SaveConfig1", QStringLiteral("Save Config"));
    SaveConfigAs1 = addMenuItem(file1, "SaveConfigAs1", QStringLiteral("Save Config As.."));
    addMenuSeparator(file1, "N4");
    SaveBatch1 = addMenuItem(file1, "SaveBatch1", QStringLiteral("Save Batch"));
    SaveBatchAs1 = addMenuItem(file1, "SaveBatchAs1", QStringLiteral("Save Batch As.."));
    addMenuSeparator(file1, "N5");
    SaveAll1 = addMenuItem(file1, "SaveAll1", QStringLiteral("Save All"));
    addMenuSeparator(file1, "N3");
    Exit1 = addMenuItem(file1, "Exit1", QStringLiteral("Exit"));

    View1 = MainMenu1->addMenu(QStringLiteral("Vie&w"));
    View1->setObjectName(QStringLiteral("View1"));
    ConfigFile1 = addMenuItem(View1, "ConfigFile1", QStringLiteral("Config File"));
    BatchFile1 = addMenuItem(View1, "BatchFile1", QStringLiteral("Batch File"));
    addMenuSeparator(View1, "N6");
    Options1 = addMenuItem(View1, "Options1", QStringLiteral("Options"));

    About1 = MainMenu1->addMenu(QStringLiteral("&About"));
    About1->setObjectName(QStringLiteral("About1"));
    VEXA1 = addMenuItem(About1, "VEXA1", QStringLiteral("VEXA"));
}

void TfrmVexaMain::createFrame(QWidget* client) {
    Bevel3 = place<QFrame>(client, "Bevel3", 0, 0, ClientWidth, 3);
    Bevel3->setFrameShape(QFrame::HLine);
    Bevel3->setFrameShadow(QFrame::Sunken);

    PageMain = place<MultiRowTabWidget>(client, "PageMain", 2, 4, 541, 341);
    createTabs();

    txtHint = place<QLineEdit>(client, "txtHint", 2, 346, 539, 17);
    txtHint->setReadOnly(true);
    txtHint->setFocusPolicy(Qt::NoFocus);
    txtHint->setText(HintPrefix);
    QPalette hintPalette = txtHint->palette();
    hintPalette.setColor(QPalette::Base, hintPalette.color(QPalette::Button));
    hintPalette.setColor(QPalette::Text, QColor(0, 0, 128));
    txtHint->setPalette(hintPalette);
    txtHint->setTextMargins(0, 0, 0, 0);
    txtHint->setStyleSheet(QStringLiteral("QLineEdit#txtHint { padding: 0px 2px; }"));

    cbxStartServer = place<QCheckBox>(client, "cbxStartServer", 5, 368, 110, 17);
    cbxStartServer->setText(QStringLiteral("Start a Server"));

    btnRun = place<QPushButton>(client, "btnRun", 5, 386, 106, 35);
    btnRun->setText(QStringLiteral("Run Quake2"));
    QFont runFont = btnRun->font();
    runFont.setPointSize(10);
    runFont.setBold(true);
    btnRun->setFont(runFont);

    Label5 = rightAlignedLabel(client, "Label5", QStringLiteral("Config File"), 183, 374);
    txtConfigFile = place<QLineEdit>(client, "txtConfigFile", 184, 370, 281, 21);
    btnEditConfig = frameGlyph(client, "btnEditConfig", 467, 372, Glyph::Edit,
                               QStringLiteral("Edit the config file"));
    SpeedButton1 = frameGlyph(client, "SpeedButton1", 494, 372, Glyph::Save,
                              QStringLiteral("Save the config file"));
    btnLoadConfigFile = frameGlyph(client, "btnLoadConfigFile", 521, 373, Glyph::Open,
                                   QStringLiteral("Load a config file"));

    Label4 = rightAlignedLabel(client, "Label4", QStringLiteral("Batch File"), 183, 404);
    txtBatchFile = place<QLineEdit>(client, "txtBatchFile", 184, 400, 281, 21);
    btnEditBatch = frameGlyph(client, "btnEditBatch", 467, 402, Glyph::Edit,
                              QStringLiteral("Edit the batch file"));
    SpeedButton3 = frameGlyph(client, "SpeedButton3", 494, 400, Glyph::Save,
                              QStringLiteral("Save the batch file"));
    btnLoadBatchFile = frameGlyph(client, "btnLoadBatchFile", 521, 401, Glyph::Open,
                                  QStringLiteral("Load a batch file"));

    sbrCommon = place<QStatusBar>(client, "sbrCommon", 0, ClientHeight - 20, ClientWidth, 20);
    sbrCommon->setSizeGripEnabled(false);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(SplashMilliseconds);
    Timer1->setSingleShot(true);
}

void TfrmVexaMain::createTabs() {
    tabGeneral = addTabSheet(PageMain, "tabGeneral", QStringLiteral("General"));
    tabMovement = addTabSheet(PageMain, "tabMovement", QStringLiteral("Movement"));
    tabWeaponsInv = addTabSheet(PageMain, "tabWeaponsInv", QStringLiteral("Weapons && Inv"));
    tabCommunications =
        addTabSheet(PageMain, "tabCommunications", QStringLiteral("Communications"));
    tabVideo = addTabSheet(PageMain, "tabVideo", QStringLiteral("Video"));
    tabSound = addTabSheet(PageMain, "tabSound", QStringLiteral("Sound"));
    TabMenus = addTabSheet(PageMain, "TabMenus", QStringLiteral("Menus"));
    tabClient = addTabSheet(PageMain, "tabClient", QStringLiteral("Client"));
    tabServer = addTabSheet(PageMain, "tabServer", QStringLiteral("Server"));
    tabAlias = addTabSheet(PageMain, "tabAlias", QStringLiteral("Games && Aliases"));
    // Built in tab order: the depth-first order of the setting controls is the catalogue's.
    createGeneralTab();
    createMovementTab();
    createWeaponsTab();
    createCommunicationsTab();
    createVideoTab();
    createSoundTab();
    createMenusTab();
    createClientTab();
    createServerTab();
    createGamesTab();
}

void TfrmVexaMain::createSplash(QWidget* client) {
    pnlSplash = place<QFrame>(client, "pnlSplash", 0, 0, ClientWidth, ClientHeight);
    pnlSplash->setAutoFillBackground(true);
    QPalette black = pnlSplash->palette();
    black.setColor(QPalette::Window, Qt::black);
    pnlSplash->setPalette(black);
    splashLogo = place<QLabel>(pnlSplash, "splashLogo", 75, 17, 371, 428);
    splashLogo->setScaledContents(true);
    pnlSplash->raise();
}

void TfrmVexaMain::connectHandlers() {
    connect(Timer1, &QTimer::timeout, this, guarded(prompts_, [this] { Timer1Timer(); }));
    connect(gbxVideoItems, &QButtonGroup::idClicked, this,
            guarded(prompts_, [this] { gbxVideoClick(); }));
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    connectFileCommands();
    connect(btnRun, &QPushButton::clicked, this, guarded(prompts_, [this] { btnRunClick(); }));
    // The enabling rules follow every change of their box, by the user or by the program.
    connect(qobject_cast<TSupCheckBox*>(settingControl(QStringLiteral("in_mouse"))),
            &TSupCheckBox::supClick, this, guarded(prompts_, [this] { sbcin_mouseClick(); }));
    connect(qobject_cast<TSupCheckBox*>(settingControl(QStringLiteral("allow_download"))),
            &TSupCheckBox::supClick, this, guarded(prompts_, [this] { sbcallow_downloadClick(); }));
    connect(VEXA1, &QAction::triggered, this, guarded(prompts_, [this] { VEXA1Click(); }));
    connect(Options1, &QAction::triggered, this, guarded(prompts_, [this] { Options1Click(); }));
    connectListHandlers();
    createGamesAliasesController();
}

void TfrmVexaMain::createGamesAliasesController() {
    GamesAliasesTab tab;
    tab.lbxGames = lbxGames;
    tab.btnAddGame = btnAddGame;
    tab.btnDeleteGame = btnDeleteGame;
    tab.btnUseThisGame = btnUseThisGame;
    tab.txtCurrentGame = txtCurrentGame;
    tab.cbxStartWithGame = cbxStartWithGame;
    tab.cbxGlobalSettings = cbxGlobalSettings;
    tab.clsAliases = clsAliases;
    tab.cbxSelectAllAliases = cbxSelectAllAliases;
    tab.btnAddAlias = btnAddAlias;
    tab.btnEditAlias = btnEditAlias;
    tab.btnDeleteAlias = btnDeleteAlias;
    tab.clsBindings = clsBindings;
    tab.cbxSelectAllBindings = cbxSelectAllBindings;
    tab.btnAddBinding = btnAddBinding;
    tab.btnEditBinding = btnEditBinding;
    tab.btnDeleteBinding = btnDeleteBinding;
    tab.clsSettings = clsSettings;
    tab.cbxSelectAllSettings = cbxSelectAllSettings;
    tab.btnAddSetting = btnAddSetting;
    tab.btnEditSetting = btnEditSetting;
    tab.btnDeleteSetting = btnDeleteSetting;
    gamesAliases_ =
        new GamesAliasesController(tab, prompts_, *settings_, programDirectory_, this, this);
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TfrmVexaMain::FormCreate() {
    runGuarded(prompts_, [this] { runStartupSteps(); });
    // Whatever happened above, the splash goes after its time and the cursor comes back.
    Timer1->start();
    unsetCursor();
}

void TfrmVexaMain::runStartupSteps() {
    setCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();

    // The splash covers the client area below the menu until the timer removes it.
    splashLogo->setPixmap(decorationPicture("logo"));
    pnlSplash->show();

    qApp->installEventFilter(this);

    const auto& platform = PlatformConventions::native();
    // Recorded for other programs; this one keeps its own (a later start elsewhere rewrites it).
    VexaIni::write(*settings_, VexaIni::ProgramPath, programDirectory_);

    openDialogDirectory_ = LocateQuake2Dirs();
    LocateGameHome();
    markSettingsOfEngine(settingIndex(), engineChoice().engine);
    baseDirectory_ = VexaIni::readString(*settings_, VexaIni::BaseDir, platform.defaultBaseDir());

    // The script goes beside the game chosen above unless vexa.ini names one; with a home the
    // game keeps its own config there, else in the base directory chosen above.
    txtBatchFile->setText(VexaIni::readString(*settings_, VexaIni::BatchFile,
                                              platform.batchFileIn(openDialogDirectory_)));
    txtConfigFile->setText(VexaIni::readString(
        *settings_, VexaIni::ConfigFile,
        defaultConfigFile(engineChoice(),
                          platform.join(baseDirectory_, QStringLiteral("config.cfg")))));
    settleFileBoxes();
    VexaIni::write(*settings_, VexaIni::BatchFile, txtBatchFile->text());
    cbxStartServer->setChecked(VexaIni::readBool(*settings_, VexaIni::RunServer, false));

    FillModelList();
    FillSkinList(cboModel->currentText());
    FillGlDriverList();
    // Both mode lists show a mode even when the config names none.
    cboSwVidMode->setCurrentIndex(0);
    cboGlVidMode->setCurrentIndex(0);

    // The config file into the controls; vexa.ini names the file actually read, before and
    // after the batch file is read back.
    LoadStartupConfig();
    VexaIni::write(*settings_, VexaIni::ConfigFile, txtConfigFile->text());
    readBatchFileAtStartup();
    VexaIni::write(*settings_, VexaIni::ConfigFile, txtConfigFile->text());

    PageMain->setCurrentWidget(tabGeneral);

    // The custom lists start on the global profile, as "Show Global Settings" does.
    gamesAliases_->loadGlobalProfile();
    gamesAliases_->fillGamesList();

    FillStartMapLists();
    // Filling the saved games empties the box: the script's choice is put back afterwards.
    const QString scriptSaveGame = cboSaveGames->currentText();
    FillSaveGameList();
    cboSaveGames->setEditText(scriptSaveGame);
    FillServerList();

    selectListedLaunchEntries(); // the lists are filled by now
    ApplyTabVisibility(*PageMain, *settings_);
    showInstallationNotices();
}

QString TfrmVexaMain::LocateQuake2Dirs() {
    const auto& platform = PlatformConventions::native();
    if (!VexaIni::exists(*settings_, VexaIni::Quake2Path)) {
        const auto picked =
            prompts_.openFile({QStringLiteral("Quake2 Location"), platform.browseRoot(),
                               platform.gameExecutableFilter(), QString()});
        VexaIni::write(*settings_, VexaIni::Quake2Path,
                       picked ? platform.directoryOf(*picked) : platform.browseRoot());
    }
    const QString quake2Dir = VexaIni::readString(*settings_, VexaIni::Quake2Path, QString());

    const QString baseDir = VexaIni::readString(*settings_, VexaIni::BaseDir, QString());
    if (baseDir.isEmpty() || !QDir(baseDir).exists()) {
        const auto folder =
            prompts_.browseFolder(QStringLiteral("Baseq2 Directory"), platform.browseRoot());
        if (folder)
            VexaIni::write(*settings_, VexaIni::BaseDir, *folder);
        else
            prompts_.notice(BaseDirUnknown);
    }
    return quake2Dir;
}

void TfrmVexaMain::Timer1Timer() {
    Timer1->stop();
    if (!pnlSplash)
        return;
    pnlSplash->hide();
    pnlSplash->deleteLater();
    pnlSplash = nullptr;
    splashLogo = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Hint line

void TfrmVexaMain::UpdateHintLine(const QString& hint) {
    // A notice about the installation stands whenever the pointer rests on nothing with a hint.
    if (hint.isEmpty() && !hintNotice_.isEmpty()) {
        txtHint->setText(hintNotice_);
        txtHint->setCursorPosition(0);
        return;
    }
    txtHint->setText(HintPrefix + hint);
}

bool TfrmVexaMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip && watched->isWidgetType())
        UpdateHintLine(static_cast<QStatusTipEvent*>(event)->tip());
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TfrmVexaMain::gbxVideoClick() {
    const QString chosen = gbxVideoItems->checkedButton()->text();
    for (int i = 0; i < pageVideo->count(); ++i)
        if (pageVideo->tabText(i) == chosen)
            pageVideo->setCurrentIndex(i);
}

void TfrmVexaMain::VEXA1Click() {
    TfrmAbout about(this);
    about.exec();
}

void TfrmVexaMain::Options1Click() {
    TfrmOptions options(prompts_, this, [this] {
        ApplyTabVisibility(*PageMain, *settings_);
        installationChanged();
    });
    options.exec();
}

// ---------------------------------------------------------------------------------------------
// Shutdown

void TfrmVexaMain::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        // An editor whose changes could not be saved stays open, and so does the window: closing
        // it would throw those changes away.
        if (!TfrmEdit::closeAll(this)) {
            event->ignore();
            return;
        }
        closed_ = true;
        runGuarded(prompts_, [this] { FormClose(); });
    }
    event->accept(); // nothing else stops the closing
}

void TfrmVexaMain::FormClose() {
    settleFileBoxes();
    VexaIni::write(*settings_, VexaIni::ConfigFile, txtConfigFile->text());
    VexaIni::write(*settings_, VexaIni::BatchFile, txtBatchFile->text());
    VexaIni::writeBool(*settings_, VexaIni::RunServer, cbxStartServer->isChecked());
    saveFilesOnExit();
}
