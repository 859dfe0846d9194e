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

    QLineEdit* quake2DirBox() const { return quake2DirBox_; }
    QLineEdit* baseDirBox() const { return baseDirBox_; }
    QLineEdit* cdDirBox() const { return cdDirBox_; }
    QGroupBox* tabsGroup() const { return tabsGroup_; }
    QGroupBox* runGroup() const { return runGroup_; }
    QCheckBox* saveBoxOnExitBox() const { return saveBoxOnExitBox_; }
    QCheckBox* minimizeBox() const { return minimizeBox_; }
    QLineEdit* statusTimeBox() const { return statusTimeBox_; }
    UpDown* statusTimeUpDown() const { return statusTimeUpDown_; }
    QGroupBox* configGroup() const { return configGroup_; }
    QGroupBox* engineGroup() const { return engineGroup_; }
    QComboBox* engineBox() const { return engineBox_; }
    QLineEdit* homeDirBox() const { return homeDirBox_; }
    QToolButton* homeDirButton() const { return homeDirButton_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

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
    void showFoundEngine();
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

    QLabel* quake2DirLabel_ = nullptr;
    QLineEdit* quake2DirBox_ = nullptr;
    QToolButton* quake2DirButton_ = nullptr;
    QLabel* baseDirLabel_ = nullptr;
    QLineEdit* baseDirBox_ = nullptr;
    QToolButton* baseDirButton_ = nullptr;
    QLabel* cdDirLabel_ = nullptr;
    QLineEdit* cdDirBox_ = nullptr;
    QToolButton* cdDirButton_ = nullptr;

    QGroupBox* tabsGroup_ = nullptr;
    QCheckBox* movementBox_ = nullptr;
    QCheckBox* weaponsBox_ = nullptr;
    QCheckBox* communicationsBox_ = nullptr;
    QCheckBox* videoBox_ = nullptr;
    QCheckBox* soundBox_ = nullptr;
    QCheckBox* menusBox_ = nullptr;
    QCheckBox* clientBox_ = nullptr;
    QCheckBox* serverBox_ = nullptr;
    QCheckBox* aliasBox_ = nullptr;

    QGroupBox* runGroup_ = nullptr;
    QCheckBox* saveFilesOnRunBox_ = nullptr;
    QCheckBox* saveFilesOnExitBox_ = nullptr;
    QCheckBox* saveBoxOnExitBox_ = nullptr;
    QCheckBox* closeOnRunBox_ = nullptr;
    QCheckBox* minimizeBox_ = nullptr;
    QCheckBox* useStatusBox_ = nullptr;
    QLineEdit* statusTimeBox_ = nullptr;
    UpDown* statusTimeUpDown_ = nullptr;
    QLabel* statusTimeLabel_ = nullptr;

    QGroupBox* configGroup_ = nullptr;
    QCheckBox* optimizedBox_ = nullptr;
    QCheckBox* includeAliasesBox_ = nullptr;

    // The engine the game runs on and its own directory.
    QGroupBox* engineGroup_ = nullptr;
    QLabel* engineLabel_ = nullptr;
    QComboBox* engineBox_ = nullptr;
    QLabel* homeDirLabel_ = nullptr;
    QLineEdit* homeDirBox_ = nullptr;
    QToolButton* homeDirButton_ = nullptr;
    QLabel* foundEngineLabel_ = nullptr;

    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;

    Prompts& prompts_;
    QWidget* mainWindow_;
    std::function<void()> applied_;
    IniFile settings_;

    std::vector<DirectoryBinding> directories_;
    std::vector<CheckBinding> tabChecks_;
    std::vector<CheckBinding> runChecks_;
    std::vector<CheckBinding> configChecks_;
};
