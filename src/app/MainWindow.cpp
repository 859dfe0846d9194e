#include "MainWindow.h"

#include "app/AboutDialog.h"
#include "app/CfgFileMemory.h"
#include "app/CfgWindowRows.h"
#include "app/ConfigCheckDialog.h"
#include "app/EditorWindow.h"
#include "app/Glyphs.h"
#include "app/MultiRowTabWidget.h"
#include "app/OptionsDialog.h"
#include "app/Pictures.h"
#include "app/WidgetHelpers.h"
#include "app/pages/ClientPage.h"
#include "app/pages/CommunicationsPage.h"
#include "app/pages/GamesPage.h"
#include "app/pages/GeneralPage.h"
#include "app/pages/MenusPage.h"
#include "app/pages/MovementPage.h"
#include "app/pages/ServerPage.h"
#include "app/pages/SoundPage.h"
#include "app/pages/VideoPage.h"
#include "app/pages/WeaponsPage.h"
#include "config/SettingControls.h"
#include "controls/ControlParts.h"
#include "controls/FontScale.h"
#include "controls/SettingControl.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"
#include "settings/EngineWords.h"
#include "settings/GameHome.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
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
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString WindowCaption = QStringLiteral("VEXA                    (Beta 7.0)");
const QString HintPrefix = QStringLiteral("Default : ");
const QString BaseDirUnknown = QStringLiteral(
    "Baseq2 directory is unkown to vexa.  Please go to options and choose a directory");
constexpr int ClientWidth = 544;
constexpr int ClientHeight = 446;
constexpr int SplashMilliseconds = 1500;
constexpr qreal RunButtonPointSize = 10; // beside the compact font

QToolButton* frameGlyph(QWidget* parent, const char* name, int x, int y, Glyph glyph,
                        const QString& hint) {
    QToolButton* button = glyphButton(parent, name, glyph, hint);
    button->setFixedSize(23, 22); // its compact place: the frame scales it with the others
    button->move(x, y);
    return button;
}

// Both edges scaled, so that parts that meet still meet.
QRect scaledBy(const QRect& place, qreal scale) {
    const auto at = [scale](int compact) { return qRound(compact * scale); };
    return QRect(QPoint(at(place.left()), at(place.top())),
                 QPoint(at(place.x() + place.width()), at(place.y() + place.height())) -
                     QPoint(1, 1));
}

// How far the frame must grow from its compact places: as far as the font has grown, and
// further where the pages need more room than that (an engine's extra rows). The tab rows depend
// on the width, so the pages' need is measured again at each width tried.
qreal frameScale(QTabWidget& tabs, const QRect& compact) {
    qreal scale = fontScale();
    for (int round = 0; round < 3; ++round) {
        tabs.resize(scaledBy(compact, scale).size());
        const QSize needed = tabs.minimumSizeHint();
        const qreal wanted = std::max({scale, needed.width() / qreal(compact.width()),
                                       needed.height() / qreal(compact.height())});
        if (wanted == scale)
            break; // the pages fit
        scale = wanted;
    }
    tabs.resize(compact.size());
    return scale;
}

// Moves and sizes the part from its compact place to the scaled one.
void scalePlace(QWidget& part, const QRect& compact, qreal scale) {
    const QRect place = scaledBy(compact, scale);
    part.setFixedSize(place.size());
    part.move(place.topLeft());
}

// A label that ends just left of the box it names, however wide the font makes its text.
void alignRight(QLabel& label, int right, int top) {
    label.setFixedSize(label.sizeHint());
    label.move(right - 2 - label.width(), top);
}

} // namespace

MainWindow::MainWindow(Prompts& prompts, QWidget* parent)
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
    // The settings file object lives as long as the window; opening it touches no file.
    settings_ = std::make_unique<IniFile>(VexaIni::fileName(), VexaIni::Encoding);
    createFrame(client);
    createSplash(client);
    connectHandlers();
    installConfigChecks(*this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    formCreate();
    // After the start-up: the engine found there decides some of the pages' rows.
    fitFrameToFont();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // Hiding takes the focus away from the controls, and a box that loses it may report an edit.
    // Done here, the handlers still find a whole window; QWidget's destructor would hide it only
    // after this object is gone.
    hide();
}

// ---------------------------------------------------------------------------------------------
// Building the window

QAction* MainWindow::addMenuItem(QMenu* menu, const char* name, const QString& caption) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

void MainWindow::addMenuSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

void MainWindow::createMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    fileMenu_ = bar->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("file1"));
    newAction_ = addMenuItem(fileMenu_, "New1", QStringLiteral("New"));
    addMenuSeparator(fileMenu_, "N2");
    openConfigAction_ = addMenuItem(fileMenu_, "OpenConfig1", QStringLiteral("Load Config"));
    openBatchAction_ = addMenuItem(fileMenu_, "OpenBatch1", QStringLiteral("Load Batch"));
    addMenuSeparator(fileMenu_, "N1");
    saveConfigAction_ = addMenuItem(fileMenu_, "SaveConfig1", QStringLiteral("Save Config"));
    saveConfigAsAction_ =
        addMenuItem(fileMenu_, "SaveConfigAs1", QStringLiteral("Save Config As.."));
    addMenuSeparator(fileMenu_, "N4");
    saveBatchAction_ = addMenuItem(fileMenu_, "SaveBatch1", QStringLiteral("Save Batch"));
    saveBatchAsAction_ = addMenuItem(fileMenu_, "SaveBatchAs1", QStringLiteral("Save Batch As.."));
    addMenuSeparator(fileMenu_, "N5");
    saveAllAction_ = addMenuItem(fileMenu_, "SaveAll1", QStringLiteral("Save All"));
    addMenuSeparator(fileMenu_, "N3");
    exitAction_ = addMenuItem(fileMenu_, "Exit1", QStringLiteral("Exit"));

    viewMenu_ = bar->addMenu(QStringLiteral("Vie&w"));
    viewMenu_->setObjectName(QStringLiteral("View1"));
    viewConfigAction_ = addMenuItem(viewMenu_, "ConfigFile1", QStringLiteral("Config File"));
    viewBatchAction_ = addMenuItem(viewMenu_, "BatchFile1", QStringLiteral("Batch File"));
    addMenuSeparator(viewMenu_, "N6");
    optionsAction_ = addMenuItem(viewMenu_, "Options1", QStringLiteral("Options"));

    aboutMenu_ = bar->addMenu(QStringLiteral("&About"));
    aboutMenu_->setObjectName(QStringLiteral("About1"));
    aboutAction_ = addMenuItem(aboutMenu_, "VEXA1", QStringLiteral("VEXA"));
    openConfigAction_->setShortcut(QKeySequence::Open);
    saveConfigAction_->setShortcut(QKeySequence::Save);
    exitAction_->setShortcut(QKeySequence::Quit);
    // F1 tells about the setting that has the focus, or else the one under the pointer.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, [] {
        SettingControl* control = settingControlOf(QApplication::focusWidget());
        if (!control)
            control = settingControlOf(QApplication::widgetAt(QCursor::pos()));
        if (control)
            control->showInfo();
    });
    // F10 opens the menus, as elsewhere on the desktop.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [bar, this] { bar->setActiveAction(fileMenu_->menuAction()); });
}

void MainWindow::createFrame(QWidget* client) {
    topBevel_ = place<QFrame>(client, "Bevel3", 0, 0, ClientWidth, 3);
    topBevel_->setFrameShape(QFrame::HLine);
    topBevel_->setFrameShadow(QFrame::Sunken);

    tabs_ = place<MultiRowTabWidget>(client, "PageMain", 2, 4, 541, 341);
    createTabs();

    hintLine_ = place<QLineEdit>(client, "txtHint", 2, 346, 539, 17);
    hintLine_->setReadOnly(true);
    hintLine_->setFocusPolicy(Qt::NoFocus);
    hintLine_->setText(HintPrefix);
    QPalette hintPalette = hintLine_->palette();
    hintPalette.setColor(QPalette::Base, hintPalette.color(QPalette::Button));
    hintPalette.setColor(QPalette::Text, noteColour(hintPalette, QPalette::Button));
    hintLine_->setPalette(hintPalette);
    hintLine_->setTextMargins(0, 0, 0, 0);
    hintLine_->setStyleSheet(QStringLiteral("QLineEdit#txtHint { padding: 0px 2px; }"));

    startServerBox_ = place<QCheckBox>(client, "cbxStartServer", 5, 368, 110, 17);
    startServerBox_->setText(QStringLiteral("Start a Server"));

    runButton_ = place<QPushButton>(client, "btnRun", 5, 386, 106, 35);
    runButton_->setText(QStringLiteral("Run Quake2"));
    QFont runFont = runButton_->font();
    runFont.setPointSizeF(RunButtonPointSize * fontScale());
    runFont.setBold(true);
    runButton_->setFont(runFont);

    configFileLabel_ = named<QLabel>(client, "Label5");
    configFileLabel_->setText(QStringLiteral("Config File"));
    configFileEdit_ = place<QLineEdit>(client, "txtConfigFile", 184, 370, 281, 21);
    editConfigButton_ = frameGlyph(client, "btnEditConfig", 467, 372, Glyph::Edit,
                                   QStringLiteral("Edit the config file"));
    saveConfigButton_ = frameGlyph(client, "SpeedButton1", 494, 372, Glyph::Save,
                                   QStringLiteral("Save the config file"));
    loadConfigButton_ = frameGlyph(client, "btnLoadConfigFile", 521, 373, Glyph::Open,
                                   QStringLiteral("Load a config file"));

    batchFileLabel_ = named<QLabel>(client, "Label4");
    batchFileLabel_->setText(QStringLiteral("Batch File"));
    batchFileEdit_ = place<QLineEdit>(client, "txtBatchFile", 184, 400, 281, 21);
    editBatchButton_ = frameGlyph(client, "btnEditBatch", 467, 402, Glyph::Edit,
                                  QStringLiteral("Edit the batch file"));
    saveBatchButton_ = frameGlyph(client, "SpeedButton3", 494, 400, Glyph::Save,
                                  QStringLiteral("Save the batch file"));
    loadBatchButton_ = frameGlyph(client, "btnLoadBatchFile", 521, 401, Glyph::Open,
                                  QStringLiteral("Load a batch file"));

    messageBar_ = place<QStatusBar>(client, "sbrCommon", 0, ClientHeight - 20, ClientWidth, 20);
    messageBar_->setSizeGripEnabled(false);

    splashTimer_ = new QTimer(this);
    splashTimer_->setObjectName(QStringLiteral("Timer1"));
    splashTimer_->setInterval(SplashMilliseconds);
    splashTimer_->setSingleShot(true);
}

void MainWindow::createTabs() {
    generalPage_ = new GeneralPage(catalogueLayout_, tabs_);
    tabs_->addTab(generalPage_, QStringLiteral("General"));
    movementPage_ = new MovementPage(catalogueLayout_, tabs_);
    tabs_->addTab(movementPage_, QStringLiteral("Movement"));
    weaponsPage_ = new WeaponsPage(catalogueLayout_, tabs_);
    tabs_->addTab(weaponsPage_, QStringLiteral("Weapons && Inv"));
    communicationsPage_ = new CommunicationsPage(catalogueLayout_, tabs_);
    tabs_->addTab(communicationsPage_, QStringLiteral("Communications"));
    videoPage_ = new VideoPage(catalogueLayout_, tabs_);
    tabs_->addTab(videoPage_, QStringLiteral("Video"));
    soundPage_ = new SoundPage(catalogueLayout_, tabs_);
    tabs_->addTab(soundPage_, QStringLiteral("Sound"));
    menusPage_ = new MenusPage(catalogueLayout_, tabs_);
    tabs_->addTab(menusPage_, QStringLiteral("Menus"));
    clientPage_ = new ClientPage(catalogueLayout_, tabs_);
    tabs_->addTab(clientPage_, QStringLiteral("Client"));
    serverPage_ = new ServerPage(catalogueLayout_, tabs_);
    tabs_->addTab(serverPage_, QStringLiteral("Server"));
    gamesPage_ = new GamesPage(prompts_, *settings_, programDirectory_, tabs_);
    tabs_->addTab(gamesPage_, QStringLiteral("Games && Aliases"));
    createEnginePages();
    // The page classes fill themselves as they are made, the other tabs below. The depth-first
    // order of the setting controls follows the tabs, so it stays the catalogue's.
}

void MainWindow::createSplash(QWidget* client) {
    splashPanel_ = place<QFrame>(client, "pnlSplash", 0, 0, ClientWidth, ClientHeight);
    splashPanel_->setAutoFillBackground(true);
    QPalette black = splashPanel_->palette();
    black.setColor(QPalette::Window, Qt::black);
    splashPanel_->setPalette(black);
    splashLogo_ = place<QLabel>(splashPanel_, "splashLogo", 75, 17, 371, 428);
    splashLogo_->setScaledContents(true);
    splashPanel_->raise();
}

// The frame's parts were placed for the compact font; with a larger one, or pages that need more
// room, every place grows in proportion. The labels then end where their boxes begin.
void MainWindow::fitFrameToFont() {
    QWidget* client = centralWidget();
    if (compactPlaces_.empty()) {
        for (QWidget* part : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (part != configFileLabel_ && part != batchFileLabel_)
                compactPlaces_.emplace_back(part, part->geometry());
        if (splashLogo_)
            compactPlaces_.emplace_back(splashLogo_, splashLogo_->geometry());
    }
    const auto tabs = std::find_if(compactPlaces_.begin(), compactPlaces_.end(),
                                   [this](const auto& place) { return place.first == tabs_; });
    const qreal scale = frameScale(*tabs_, tabs->second);
    for (const auto& [part, compact] : compactPlaces_) {
        if (part)
            scalePlace(*part, compact, scale);
    }
    client->setFixedSize(scaledBy(QRect(0, 0, ClientWidth, ClientHeight), scale).size());
    const int right = configFileEdit_->x() - 1;
    alignRight(*configFileLabel_, right, qRound(374 * scale));
    alignRight(*batchFileLabel_, right, qRound(404 * scale));
}

void MainWindow::connectHandlers() {
    connect(splashTimer_, &QTimer::timeout, this, guarded(prompts_, [this] { splashTimeout(); }));
    connect(videoPage_->renderers(), &QButtonGroup::idClicked, this,
            guarded(prompts_, [this] { rendererChosen(); }));
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);
    connectFileCommands();
    connect(runButton_, &QPushButton::clicked, this, guarded(prompts_, [this] { runGame(); }));
    // The enabling rules follow every change of their box, by the user or by the program. The
    // box's values() follow only after the handler: the rules read its mark.
    settingControlOf(settingControl(QStringLiteral("in_mouse")))
        ->connectChange(this, guarded(prompts_, [this] { mouseEnabledChanged(); }));
    settingControlOf(settingControl(QStringLiteral("allow_download")))
        ->connectChange(this, guarded(prompts_, [this] { downloadsAllowedChanged(); }));
    connect(aboutAction_, &QAction::triggered, this, guarded(prompts_, [this] { showAbout(); }));
    connect(optionsAction_, &QAction::triggered, this,
            guarded(prompts_, [this] { showOptions(); }));
    connectListHandlers();
    linkEngineFixedFields();
}

// ---------------------------------------------------------------------------------------------
// Start-up

void MainWindow::formCreate() {
    runStartupSteps();
    // Whatever happened above, the splash goes after its time and the cursor comes back.
    splashTimer_->start();
    unsetCursor();
}

// Each step in a guard of its own: one that fails (vexa.ini or a profile that cannot be read, a
// full disk) leaves the later ones to run from what the window holds.
void MainWindow::runStartupSteps() {
    setCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();

    // The splash covers the client area below the menu until the timer removes it.
    splashLogo_->setPixmap(decorationPicture("logo"));
    splashPanel_->show();

    qApp->installEventFilter(this);

    const auto& platform = PlatformConventions::native();
    runEachGuarded(
        prompts_,
        {
            // Recorded for other programs; this one keeps its own (a later start elsewhere
            // rewrites it).
            [&] { VexaIni::write(*settings_, VexaIni::ProgramPath, programDirectory_); },
            [&] { openDialogDirectory_ = locateQuake2Dirs(); },
            [&] { locateGameHome(); },
            [&] { showEngineWords(); },
            [&] {
                baseDirectory_ =
                    VexaIni::readString(*settings_, VexaIni::BaseDir, platform.defaultBaseDir());
            },
            // The script goes beside the game chosen above unless vexa.ini names one; with a
            // home the game keeps its own config there, else in the base directory chosen above.
            [&] {
                batchFileEdit_->setText(VexaIni::readString(
                    *settings_, VexaIni::BatchFile, platform.batchFileIn(openDialogDirectory_)));
            },
            [&] {
                configFileEdit_->setText(
                    VexaIni::readString(*settings_, VexaIni::ConfigFile,
                                        defaultConfigFile(engineChoice(), baseDirectory_)));
            },
            [&] { moveOffTheGameConfig(); },
            [&] { settleFileBoxes(); },
            [&] { VexaIni::write(*settings_, VexaIni::BatchFile, batchFileEdit_->text()); },
            [&] {
                startServerBox_->setChecked(
                    VexaIni::readBool(*settings_, VexaIni::RunServer, false));
            },
            [&] { fillModelList(); },
            [&] { fillSkinList(generalPage_->model()->currentText()); },
            [&] { CfgWindowRows::showInstalledPlayer(*this); },
            [&] { fillGlDriverList(); },
            // Both mode lists show a mode even when the config names none: id's first, the
            // other engines' own default.
            [&] {
                videoPage_->softwareMode()->setCurrentIndex(0);
                videoPage_->glMode()->setCurrentIndex(
                    videoPage_->glMode()->findData(engineDefaultMode(engineChoice().engine)));
            },
            // The config file into the controls; vexa.ini names the file actually read, before
            // and after the batch file is read back.
            [&] { loadStartupConfig(); },
            [&] { VexaIni::write(*settings_, VexaIni::ConfigFile, configFileEdit_->text()); },
            [&] { readBatchFileAtStartup(); },
            [&] { VexaIni::write(*settings_, VexaIni::ConfigFile, configFileEdit_->text()); },
            [&] { tabs_->setCurrentWidget(generalPage_); },
            // The custom lists start on the global profile, as "Show Global Settings" does.
            [&] { gamesPage_->loadGlobalProfile(); },
            [&] { gamesPage_->fillGamesList(); },
            [&] { fillStartMapLists(); },
            // Filling the saved games empties the box: the script's choice is put back
            // afterwards.
            [&] {
                const QString scriptSaveGame = clientPage_->savedGames()->currentText();
                fillSaveGameList();
                clientPage_->savedGames()->setEditText(scriptSaveGame);
            },
            [&] { fillServerList(); },
            [&] { selectListedLaunchEntries(); }, // the lists are filled by now
            [&] { applyTabVisibility(*tabs_, *settings_); },
            [&] { showInstallationNotices(); },
            // What start-up shows counts as saved: File > New asks only after a change.
            [&] { rememberShownSettings(); },
        });
}

QString MainWindow::locateQuake2Dirs() {
    const auto& platform = PlatformConventions::native();
    if (!VexaIni::exists(*settings_, VexaIni::Quake2Path)) {
        const auto picked = prompts_.openFile({QStringLiteral("Quake2 Location"), QDir::homePath(),
                                               platform.gameExecutableFilter(), QString()});
        VexaIni::write(*settings_, VexaIni::Quake2Path,
                       picked ? platform.directoryOf(*picked) : platform.browseRoot());
    }
    const QString quake2Dir = VexaIni::readString(*settings_, VexaIni::Quake2Path, QString());

    const QString baseDir = VexaIni::readString(*settings_, VexaIni::BaseDir, QString());
    if (baseDir.isEmpty() || !QDir(baseDir).exists()) {
        // baseq2 usually lies beside the game program.
        const auto folder = prompts_.browseFolder(
            QStringLiteral("Baseq2 Directory"),
            QDir(quake2Dir).exists() && quake2Dir != platform.browseRoot() ? quake2Dir
                                                                           : QDir::homePath());
        if (folder)
            VexaIni::write(*settings_, VexaIni::BaseDir, *folder);
        else
            prompts_.notice(BaseDirUnknown);
    }
    return quake2Dir;
}

void MainWindow::splashTimeout() {
    splashTimer_->stop();
    if (!splashPanel_)
        return;
    splashPanel_->hide();
    splashPanel_->deleteLater();
    splashPanel_ = nullptr;
    splashLogo_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Hint line

void MainWindow::updateHintLine(const QString& hint) {
    // A notice about the installation stands whenever the pointer rests on nothing with a hint.
    if (hint.isEmpty() && !hintNotice_.isEmpty()) {
        hintLine_->setText(hintNotice_);
        hintLine_->setCursorPosition(0);
        return;
    }
    hintLine_->setText(HintPrefix + hint);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip && watched->isWidgetType())
        updateHintLine(static_cast<QStatusTipEvent*>(event)->tip());
    // Every window and dialog opens wholly on the screen, whatever place it was given or kept
    // from a larger screen; popups place themselves.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        const Qt::WindowType type = window->windowType();
        if (window->isWindow() && (type == Qt::Window || type == Qt::Dialog))
            keepOnScreen(*window);
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Handlers

void MainWindow::rendererChosen() {
    const QString chosen = videoPage_->renderers()->checkedButton()->text();
    for (int i = 0; i < videoPage_->subPages()->count(); ++i)
        if (videoPage_->subPages()->tabText(i) == chosen)
            videoPage_->subPages()->setCurrentIndex(i);
}

void MainWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::showOptions() {
    OptionsDialog options(prompts_, this, [this] {
        applyTabVisibility(*tabs_, *settings_);
        installationChanged();
    });
    options.exec();
}

// ---------------------------------------------------------------------------------------------
// Shutdown

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        // An editor whose changes could not be saved stays open, and so does the window: closing
        // it would throw those changes away.
        if (!EditorWindow::closeAll(this)) {
            event->ignore();
            return;
        }
        closed_ = true;
        // The same for a save on exit that fails or that the player stops.
        if (!formClose()) {
            closed_ = false;
            event->ignore();
            return;
        }
    }
    event->accept();
}

// False when the files were not saved: the window stays open. What vexa.ini cannot store does
// not keep it open (the error says so), nor keep the files from being saved.
bool MainWindow::formClose() {
    runGuarded(prompts_, [this] { storeFileBoxes(); });
    bool saved = false;
    runGuarded(prompts_, [&] { saved = saveFilesOnExit(); });
    return saved;
}

void MainWindow::storeFileBoxes() {
    settleFileBoxes();
    VexaIni::write(*settings_, VexaIni::ConfigFile, configFileEdit_->text());
    VexaIni::write(*settings_, VexaIni::BatchFile, batchFileEdit_->text());
    VexaIni::writeBool(*settings_, VexaIni::RunServer, startServerBox_->isChecked());
}
