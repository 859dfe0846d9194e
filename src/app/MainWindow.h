#pragma once

#include "app/pages/CatalogueLayout.h"
#include "platform/IniFile.h"
#include "platform/Prompts.h"
#include "settings/Engine.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class ControlIndex;
struct CfgFileMemory;
struct CfgGameFile;
class CfgVariables;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class ClientPage;
class CommunicationsPage;
class EnginePage;
class GamesPage;
class GeneralPage;
class MovementPage;
class ServerPage;
class VideoPage;
class SoundPage;
class WeaponsPage;
class MenusPage;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolButton;
class EditorWindow;
struct BatchFileContents;
struct CatalogueRow;
class ServerListStatus;
struct ServerBrowserPlaces;
struct CommandPiece;
struct EngineChoice;
class GameFiles;
struct LaunchChoices;

// The program's one main window. Creating it performs the whole start-up; closing it writes the
// file names back to vexa.ini. Every handler runs through the guard, so a failure shows its
// message and the program goes on.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(Prompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    Prompts& prompts() const { return prompts_; }
    // The main window's settings file object on vexa.ini (open from start-up to close).
    IniFile& settings() const { return *settings_; }
    // The Quake 2 directory found by start-up; file dialogs start there.
    const QString& openDialogDirectory() const { return openDialogDirectory_; }
    // The program's directory: the current directory when the window was made, for the life of
    // the process. The profiles, maps.lst and servers.txt live there, whatever another start
    // writes to [vexa] path meanwhile.
    const QString& programDirectory() const { return programDirectory_; }

    // Shows "Default : " followed by the hint; without a hint, a standing notice when there is
    // one (a damaged archive, a config the game does not read).
    void updateHintLine(const QString& hint);

    // The main menu; each item keeps its former name as its objectName ("OpenConfig1").
    QMenu* fileMenu() const { return fileMenu_; }
    QMenu* viewMenu() const { return viewMenu_; }
    QMenu* aboutMenu() const { return aboutMenu_; }
    QAction* newAction() const { return newAction_; }
    QAction* openConfigAction() const { return openConfigAction_; }
    QAction* openBatchAction() const { return openBatchAction_; }
    QAction* saveConfigAction() const { return saveConfigAction_; }
    QAction* saveConfigAsAction() const { return saveConfigAsAction_; }
    QAction* saveBatchAction() const { return saveBatchAction_; }
    QAction* saveBatchAsAction() const { return saveBatchAsAction_; }
    QAction* saveAllAction() const { return saveAllAction_; }
    QAction* exitAction() const { return exitAction_; }
    QAction* viewConfigAction() const { return viewConfigAction_; }
    QAction* viewBatchAction() const { return viewBatchAction_; }
    QAction* optionsAction() const { return optionsAction_; }
    QAction* aboutAction() const { return aboutAction_; }

    // The frame around the tabs. Widgets nothing outside reaches stay private.
    QTabWidget* tabs() const { return tabs_; }
    QLineEdit* hintLine() const { return hintLine_; }
    QCheckBox* startServerBox() const { return startServerBox_; }
    QPushButton* runButton() const { return runButton_; }
    QLineEdit* configFileEdit() const { return configFileEdit_; }
    QToolButton* editConfigButton() const { return editConfigButton_; }
    QLineEdit* batchFileEdit() const { return batchFileEdit_; }
    // Not statusBar(): that would hide QMainWindow's, which makes a second bar when called.
    QStatusBar* messageBar() const { return messageBar_; }
    // Null once the splash is gone.
    QFrame* splashPanel() const { return splashPanel_; }
    QLabel* splashLogo() const { return splashLogo_; }
    QTimer* splashTimer() const { return splashTimer_; }

    // The pages of tabs(), in order.
    GeneralPage* generalPage() const { return generalPage_; }
    MovementPage* movementPage() const { return movementPage_; }
    WeaponsPage* weaponsPage() const { return weaponsPage_; }
    CommunicationsPage* communicationsPage() const { return communicationsPage_; }
    VideoPage* videoPage() const { return videoPage_; }
    SoundPage* soundPage() const { return soundPage_; }
    MenusPage* menusPage() const { return menusPage_; }
    ClientPage* clientPage() const { return clientPage_; }
    ServerPage* serverPage() const { return serverPage_; }
    GamesPage* gamesPage() const { return gamesPage_; }
    // The tab of an engine's own settings; null for id 3.21, which has none.
    EnginePage* enginePage(Engine engine) const;
    // The engine page's controls that show a fixed field's variable take the field's value.
    void showFixedFieldsOnEnginePage();

    // The setting control of a catalogue command (exact spelling), or null.
    QWidget* settingControl(const QString& command) const;
    // The window's widget of that object name, as findChild finds it, or null. Each name is
    // searched for once: the config reader and writer look up dozens of fields on every call.
    template <typename T> T* namedChild(const char* name) const {
        return qobject_cast<T*>(namedObject(QLatin1String(name)));
    }

    // Config file (read and write: MainWindowLoadConfig.cpp, MainWindowSaveConfig.cpp) ---------
    // The lines of the current config script: the file last read, or the text last written
    // (also when writing it to disk failed).
    const QStringList& configLines() const { return configLines_; }
    // Reads directory/fileName into configLines(), then shows what the game would hold after
    // running it in the fixed fields, the setting controls and the message slots, remembers what
    // they read and keeps the lines none of them shows; the status bar says how many. Throws
    // VexaError "Cannot open file %s" (nothing is applied then).
    void loadCfgFile(const QString& directory, const QString& fileName);
    // Shows the game's own files (read by gameFilesBefore) and then the script's lines
    // (configLines), as the game runs them, with the script at `path`.
    void showConfigLines(const QString& path, const std::vector<CfgGameFile>& gameFiles);
    // The game's own files the engine runs before the script at `path`, without it.
    std::vector<CfgGameFile> gameFilesBefore(const QString& path) const;
    // Writes the window as a config script to directory/fileName, replacing any file there: the
    // lines kept from the file read last, then the window's lines (a setting the user did not
    // change writes the text it read), the profile entries and the closing comments. Throws
    // VexaError "Cannot create file %s" (configLines() then holds the new text), or the game
    // profile's count error before anything is written.
    void saveCfgFile(const QString& directory, const QString& fileName);
    // The fixed fields from configLines(), then every setting control back to its default; the
    // window then remembers no file.
    void resetSettingsToDefaults();
    // The plain widgets that stand for one console variable each, from configLines().
    void applyFixedSettings();
    // Start-up: the game's own files, then the config file named in configFileEdit() (Vexa's
    // script); a script still to be written is read as empty, and with no file at all the
    // settings start from their defaults, quietly.
    void loadStartupConfig();
    // A config file named config.cfg, which the game rewrites, becomes vexa.cfg beside it.
    void moveOffTheGameConfig();
    // After the first save of Vexa's script: asks, once, whether autoexec.cfg should run it.
    void offerExecFromAutoexec(const QString& script);
    // A setting Vexa's script sets that the game's config.cfg, written later, holds otherwise:
    // the player changed it in the game's menu (MainWindowGameChanges.cpp).
    struct GameChange {
        QString name;
        QString vexa; // as the window shows it now
        QString game;
        std::function<void()> takeGames;
    };
    std::vector<GameChange> changesMadeInTheGame();
    // Lists them and asks which values stay, the game's (the default) or Vexa's, for all or for
    // each; the game's become edits that the next save writes. Asks nothing when there are none.
    void offerChangesMadeInTheGame();
    // ------------------------------------------------------------------------------------------

    // --- Installed things and launch lists (MainWindowLists.cpp) ---
    // Each rebuilds a box's items from what is found now, keeping the box's text.
    void fillModelList();
    void fillSkinList(const QString& model);
    void fillGlDriverList();
    // Both start-map boxes: maps.lst, then the maps found.
    void fillStartMapLists();
    // The saved games of the base directory; the box's text is emptied.
    void fillSaveGameList();
    // The lines of servers.txt.
    void fillServerList();
    // Chooses to connect to `address` as a client, as choosing it on the Client tab does.
    void chooseServer(const QString& address);
    // Where the server browser finds servers.txt and the address book.
    ServerBrowserPlaces serverBrowserPlaces() const;

private:
    void connectListHandlers();
    void modelEntered();
    void modelChanged(const QString& model);
    void skinEntered();
    void editMapList();
    void editServerList();
    // Opens the server browser; a server chosen there is joined at once.
    void findServers();
    ServerListStatus* serverListStatus_ = nullptr;
    // --- end of the list block ---

public:
    // --- The game's engine and its own directory (MainWindowGameHome.cpp) ---
    // [quake2] engine and home (id 3.21 without a home until start-up has stored a choice).
    EngineChoice engineChoice() const;
    // The file name of the engine's program in the Quake 2 directory.
    QString gameProgram() const;
    // The folders the game searches for its config, the current game's first when it is chosen.
    QStringList configSearchFolders() const;
    // "The game reads <path> instead" when another file of the config's name is what the game
    // runs, else why the game runs none of the config (too long for it); empty otherwise.
    QString configWarning() const;
    // When the config named in its box is not there yet (a first start): the settings show
    // what the game's own files give, or the defaults, until it is saved. Empty otherwise.
    QString missingConfigNotice() const;
    // After Options: the engine for key names and written lines, every list rebuilt.
    void installationChanged();

private:
    // Start-up: the engine and home from vexa.ini, found and stored when it holds none.
    void locateGameHome();
    GameFiles dataFiles(const QString& baseDir) const;
    // Damaged archives and a config the game does not read, on the hint line; told anew after
    // start-up, each save or load of the config, and Options.
    void showInstallationNotices();
    // "<path> is N bytes: <engine> runs no config of ..." when the engine skips the whole file
    // for its size; empty otherwise (also for a file it cannot read).
    QString tooLongToRun(const QString& path) const;
    // After a save: a notice when the engine would skip the written config for its size.
    void warnWhenTooLongToRun(const QString& path);
    // --- end of the engine block ---

public:
    // ---- Launch controls, file commands and Run (MainWindowLaunch.cpp,
    // MainWindowFileCommands.cpp, MainWindowRun.cpp) ----
    // Opens the text editor on the config file (View > Config File). Throws VexaError "Cannot
    // open file %s".
    EditorWindow* openConfigEditor();
    // The launch choices as the widgets hold them; a combo box counts only with an entry chosen.
    LaunchChoices launchChoices() const;
    // The game's command line from the launch choices and vexa.ini.
    QString buildCommandLine() const;
    // Reads the launch script `fileName` in `directory` back into the launch controls; a missing
    // script is created with the bare game program.
    void readBatchFile(const QString& directory, const QString& fileName);

private:
    void applyBatchFile(const BatchFileContents& contents);
    void selectListedLaunchEntries();
    void readBatchFileAtStartup();
    void connectFileCommands();
    void newConfig();
    // What the window would write as the config: its settings, message slots and fixed fields.
    QStringList shownSettings();
    // The settings as the config was last loaded, saved or made new: File > New compares.
    void rememberShownSettings();
    void openConfig();
    void openBatch();
    // Stopped: the config changed on disk and the player chose to reload it or to cancel; what
    // the save was for (Run, closing the window) stops too.
    enum class SaveOutcome { Saved, Declined, Stopped };
    // False when stopped.
    bool saveConfig();
    bool saveConfigAs();
    SaveOutcome saveConfigUnlessDeclined(const QString& fileName);
    void saveBatch();
    void saveBatchAs();
    bool saveAll();
    void viewConfigFile();
    void viewBatchFile();
    // False when a save failed or was stopped: the window then stays open.
    bool saveFilesOnExit();
    // A file box's name typed without a directory means a file in the program's directory: both
    // boxes are made to say so before a name is saved, stored or started.
    void settleFileBoxes();
    QString configSaveDirectory() const;
    QString quake2Directory() const;
    void runGame();
    bool showStatusBox(const QList<CommandPiece>& pieces);
    // ---- end of launch, file commands and Run ----

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The main menu (the bar is QMainWindow's own).
    QMenu* fileMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* aboutMenu_ = nullptr;
    QAction* newAction_ = nullptr;
    QAction* openConfigAction_ = nullptr;
    QAction* openBatchAction_ = nullptr;
    QAction* saveConfigAction_ = nullptr;
    QAction* saveConfigAsAction_ = nullptr;
    QAction* saveBatchAction_ = nullptr;
    QAction* saveBatchAsAction_ = nullptr;
    QAction* saveAllAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* viewConfigAction_ = nullptr;
    QAction* viewBatchAction_ = nullptr;
    QAction* optionsAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    // Building the window.
    void createMenu();
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption);
    void addMenuSeparator(QMenu* menu, const char* name);
    void createFrame(QWidget* client);
    void createTabs();
    void mouseEnabledChanged();
    void showEngineWords();
    void createEnginePages();
    void linkEngineFixedFields();
    void showEnginePage(Engine engine);
    void engineRendererChanged();
    void downloadsAllowedChanged();
    void createSplash(QWidget* client);
    void fitFrameToFont();
    void connectHandlers();

    // Start-up and shutdown.
    void formCreate();
    void runStartupSteps();
    QString locateQuake2Dirs();
    bool formClose();
    void storeFileBoxes();
    void splashTimeout();

    // Handlers.
    void rendererChosen();
    void showAbout();
    void showOptions();

    QObject* namedObject(const QString& name) const;
    // The setting controls filed once: the window's controls stay the same from creation on.
    ControlIndex& settingIndex();
    CfgFileMemory& cfgMemory();
    // The names of the window's variables for the engine in vexa.ini.
    const CfgVariables& cfgVariables();

    Prompts& prompts_;
    const QString programDirectory_;
    std::unique_ptr<IniFile> settings_;
    CatalogueLayout catalogueLayout_;
    std::unique_ptr<ControlIndex> settingIndex_;
    std::unique_ptr<CfgFileMemory> cfgMemory_;
    mutable QHash<QString, QPointer<QObject>> namedObjects_;
    QString openDialogDirectory_;
    QString baseDirectory_;
    QString hintNotice_;
    QStringList savedSettings_;
    // The frame's parts at their places for the compact font; the frame scales from them.
    std::vector<std::pair<QPointer<QWidget>, QRect>> compactPlaces_;
    bool closed_ = false;

    // The frame around the tabs; each keeps its former name as its objectName ("txtConfigFile").
    QFrame* topBevel_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* hintLine_ = nullptr;
    QCheckBox* startServerBox_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QLabel* configFileLabel_ = nullptr;
    QLineEdit* configFileEdit_ = nullptr;
    QToolButton* editConfigButton_ = nullptr;
    QToolButton* saveConfigButton_ = nullptr;
    QToolButton* loadConfigButton_ = nullptr;
    QLabel* batchFileLabel_ = nullptr;
    QLineEdit* batchFileEdit_ = nullptr;
    QToolButton* editBatchButton_ = nullptr;
    QToolButton* saveBatchButton_ = nullptr;
    QToolButton* loadBatchButton_ = nullptr;
    QStatusBar* messageBar_ = nullptr;
    QFrame* splashPanel_ = nullptr;
    QLabel* splashLogo_ = nullptr;
    QTimer* splashTimer_ = nullptr;

    // The pages of tabs_, in order.
    GeneralPage* generalPage_ = nullptr;
    MovementPage* movementPage_ = nullptr;
    WeaponsPage* weaponsPage_ = nullptr;
    CommunicationsPage* communicationsPage_ = nullptr;
    VideoPage* videoPage_ = nullptr;
    SoundPage* soundPage_ = nullptr;
    MenusPage* menusPage_ = nullptr;
    ClientPage* clientPage_ = nullptr;
    ServerPage* serverPage_ = nullptr;
    GamesPage* gamesPage_ = nullptr;
    EnginePage* yamagiPage_ = nullptr;
    EnginePage* q2proPage_ = nullptr;
    bool showingFixedFields_ = false;

    // What configLines() returns.
    QStringList configLines_;
    bool savedForRun_ = false; // Run saved every file and started the game
};
