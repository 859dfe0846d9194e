#pragma once

#include "platform/IniFile.h"
#include "platform/VexaIni.h"
#include "settings/Engine.h"

#include <QDialog>
#include <functional>
#include <vector>

class Prompts;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class UpDown;

// Shows or hides the nine hideable pages of the main page control (1..9; page 0, General, is
// always shown) from [Tabs]. A hidden page keeps its widgets, so its settings are still read and
// written.
void applyTabVisibility(QTabWidget& pages, const IniFile& settings);

// The Options dialog: edits the program's preferences in vexa.ini. Built anew from the file at
// every opening; only OK writes.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    // `mainWindow` owns the dialog and is the corner it is placed against; `applied` runs after
    // OK has written everything (the tabs, the lists and the engine follow).
    OptionsDialog(Prompts& prompts, QWidget* mainWindow, std::function<void()> applied);

    QLabel* quake2DirLabel_ = nullptr;
    QLineEdit* txtQ2Dir = nullptr;
    QToolButton* btnQ2Dir = nullptr;
    QLabel* baseDirLabel_ = nullptr;
    QLineEdit* txtBaseq2dir = nullptr;
    QToolButton* btnBaseq2dir = nullptr;
    QLabel* cdDirLabel_ = nullptr;
    QLineEdit* txtCddir = nullptr;
    QToolButton* btnCddir = nullptr;

    QGroupBox* tabsGroup_ = nullptr;
    QCheckBox* cbxMovement = nullptr;
    QCheckBox* cbxWeapons = nullptr;
    QCheckBox* cbxCommunications = nullptr;
    QCheckBox* cbxVideo = nullptr;
    QCheckBox* cbxSound = nullptr;
    QCheckBox* cbxMenus = nullptr;
    QCheckBox* cbxClient = nullptr;
    QCheckBox* cbxServer = nullptr;
    QCheckBox* cbxAlias = nullptr;

    QGroupBox* runGroup_ = nullptr;
    QCheckBox* cbxSaveFilesonRun = nullptr;
    QCheckBox* cbxSaveFilesOnExit = nullptr;
    QCheckBox* cbxSaveBoxOnExit = nullptr;
    QCheckBox* cbxCloseOnRun = nullptr;
    QCheckBox* cbxMinimize = nullptr;
    QCheckBox* cbxStatusBox = nullptr;
    QLineEdit* txtStatusTime = nullptr;
    UpDown* statusTimeUpDown_ = nullptr;
    QLabel* statusTimeLabel_ = nullptr;

    QGroupBox* configGroup_ = nullptr;
    QCheckBox* cbxOptimized = nullptr;
    QCheckBox* cbxIncludeAliases = nullptr;

    // The engine the game runs on and its own directory.
    QGroupBox* engineGroup_ = nullptr;
    QLabel* lblEngine = nullptr;
    QComboBox* cboEngine = nullptr;
    QLabel* lblHomeDir = nullptr;
    QLineEdit* txtHomeDir = nullptr;
    QToolButton* btnHomeDir = nullptr;

    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    // A check box stored under one key, with the default of this dialog's reads.
    struct CheckBinding {
        QCheckBox* box;
        IniKey key;
        bool defaultValue;
    };
    struct DirectoryBinding {
        QLineEdit* edit;
        IniKey key;
    };

    void createDirectoryRows();
    void createTabGroup();
    void createRunGroup();
    void createConfigGroup();
    void createEngineGroup();
    void createButtons();
    void widenForCaptions();
    void connectHandlers();

    void formCreate();
    void pickQuake2Directory();
    void pickBaseDirectory();
    void pickCdDirectory();
    void pickHomeDirectory();
    void engineChosen();
    void enableHome();
    Engine chosenEngine() const;
    void layOutHomeRow();
    void closeOnRunToggled();
    void saveFilesOnExitToggled();
    void applyOptions();
    void cancel();

    void loadChecks(const std::vector<CheckBinding>& checks);
    void saveChecks(const std::vector<CheckBinding>& checks);
    void pickFolderInto(QLineEdit* edit);
    void placeBesideMainWindow();

    Prompts& prompts_;
    QWidget* mainWindow_;
    std::function<void()> applied_;
    IniFile settings_;

    std::vector<DirectoryBinding> directories_;
    std::vector<CheckBinding> tabChecks_;
    std::vector<CheckBinding> runChecks_;
    std::vector<CheckBinding> configChecks_;
};
