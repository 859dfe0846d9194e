// The File and View commands on the config file and the launch script, and the saving offered
// when the window closes.

#include "MainWindow.h"

#include "app/CfgFileMemory.h"
#include "app/CfgWindowRows.h"
#include "app/EditorWindow.h"
#include "app/WaitCursor.h"
#include "app/pages/CommunicationsPage.h"
#include "config/SettingControls.h"
#include "launch/BatchFile.h"
#include "launch/CommandLine.h"
#include "platform/FileAccess.h"
#include "platform/FileVersion.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaError.h"
#include "platform/VexaIni.h"
#include "settings/GameHome.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

#include <functional>

namespace {

const QString ConfigFilter = QStringLiteral("Config Files (*.cfg)");
const QString OriginalConfigQuestion =
    QStringLiteral("You are about to save over your original config file. Are you sure you want "
                   "to do this? ");
const QString SavingCanceled = QStringLiteral("Saving Canceled");
const QString ConfigSaved = QStringLiteral("Config file Saved");
const QString BatchSaved = QStringLiteral("Batch file Saved");
const QString AllSaved = QStringLiteral("Config and Batch files Saved");
const QString ApplyWithoutVexa =
    QStringLiteral("Apply these settings also when the game is started without Vexa? (A line "
                   "\"exec vexa.cfg\" goes at the end of autoexec.cfg.)");
const QString AutoexecName = QStringLiteral("autoexec.cfg");
const QString SaveBeforeExit = QStringLiteral("Do you want to save files before you exit?");
const QString NewWithChanges =
    QStringLiteral("The settings have changes that are not saved. Save them to the config first?");
const QString EditingConfig = QStringLiteral("Editing Config File");
const QString EditingBatch = QStringLiteral("Editing Batch File");
// Config scripts end their lines the game's way on every system.
const QString ConfigLineEnding = QStringLiteral("\r\n");

const PlatformConventions& platform() {
    return PlatformConventions::native();
}

bool isOriginalConfig(const QString& fileName) {
    return platform().fileNameOf(fileName).compare(QLatin1String("config.cfg"),
                                                   Qt::CaseInsensitive) == 0;
}

// Vexa's own script is written where the box names it, also the first time.
bool isVexaScript(const QString& fileName) {
    return platform().fileNameOf(fileName) == VexaScriptName &&
           QFileInfo(platform().directoryOf(fileName)).isDir();
}

// A setting that decides how the window closes. vexa.ini that cannot be read (which closing has
// reported already) gives the default, which asks: the player can still close the window.
bool closingSetting(const IniFile& settings, IniKey key, bool def) {
    try {
        return VexaIni::readBool(settings, key, def);
    } catch (const VexaError&) {
        return def;
    }
}

} // namespace

void MainWindow::connectFileCommands() {
    const struct {
        QAction* action;
        std::function<void()> handler;
    } commands[] = {
        {newAction_, [this] { newConfig(); }},
        {openConfigAction_, [this] { openConfig(); }},
        {openBatchAction_, [this] { openBatch(); }},
        {saveConfigAction_, [this] { saveConfig(); }},
        {saveConfigAsAction_, [this] { saveConfigAs(); }},
        {saveBatchAction_, [this] { saveBatch(); }},
        {saveBatchAsAction_, [this] { saveBatchAs(); }},
        {saveAllAction_, [this] { saveAll(); }},
        {viewConfigAction_, [this] { viewConfigFile(); }},
        {viewBatchAction_, [this] { viewBatchFile(); }},
    };
    for (const auto& command : commands) {
        command.action->setEnabled(true);
        connect(command.action, &QAction::triggered, this, guarded(prompts_, command.handler));
    }
    // Each glyph button does what its menu item does.
    const struct {
        QToolButton* button;
        QAction* action;
    } buttons[] = {
        {editConfigButton_, viewConfigAction_}, {saveConfigButton_, saveConfigAction_},
        {loadConfigButton_, openConfigAction_}, {editBatchButton_, viewBatchAction_},
        {saveBatchButton_, saveBatchAction_},   {loadBatchButton_, openBatchAction_},
    };
    for (const auto& glyph : buttons) {
        glyph.button->setEnabled(true);
        connect(glyph.button, &QToolButton::clicked, glyph.action, &QAction::trigger);
    }
}

void MainWindow::settleFileBoxes() {
    for (QLineEdit* box : {configFileEdit_, batchFileEdit_}) {
        const QString absolute = platform().absolutePath(programDirectory_, box->text());
        if (absolute != box->text())
            box->setText(absolute);
    }
}

// ---------------------------------------------------------------------------------------------
// File menu

QStringList MainWindow::shownSettings() {
    QStringList shown;
    for (const CfgWindowRows::Row& row : CfgWindowRows::allRows())
        shown << row.current(*this);
    for (const ControlEntry& entry : settingIndex().entries())
        for (int slot = 0; slot < entry.control->valueCount(); ++slot)
            shown << entry.control->valueText(slot);
    communicationsPage_->writeMessages(shown);
    return shown;
}

void MainWindow::rememberShownSettings() {
    savedSettings_ = shownSettings();
}

// Changes not yet saved are offered to be saved first; Cancel keeps everything as it is.
void MainWindow::newConfig() {
    if (shownSettings() != savedSettings_) {
        switch (prompts_.choose(NewWithChanges, {QStringLiteral("Save"), QStringLiteral("Discard"),
                                                 QStringLiteral("Cancel")})) {
        case 0:
            // A save declined or stopped keeps the changes on screen.
            if (!saveConfig() || shownSettings() != savedSettings_)
                return;
            break;
        case 1:
            break;
        default:
            return;
        }
    }
    resetSettingsToDefaults();
    configLines_.clear();
    configFileEdit_->clear(); // the next Save Config asks for a name
}

void MainWindow::openConfig() {
    const auto chosen = prompts_.openFile(
        {QStringLiteral("Load Config"),
         VexaIni::readString(settings(), VexaIni::BaseDir, platform().defaultBaseDir()),
         ConfigFilter, QString()});
    if (!chosen)
        return;
    configFileEdit_->setText(*chosen);
    {
        // Shown before the read starts, not only once it is over.
        const WaitCursor wait(*this);
        QCoreApplication::processEvents();
        loadCfgFile(platform().directoryOf(*chosen), platform().fileNameOf(*chosen));
    }
    VexaIni::write(settings(), VexaIni::ConfigFile, *chosen);
    showInstallationNotices();
}

void MainWindow::openBatch() {
    const auto chosen = prompts_.openFile(
        {QStringLiteral("Load Batch"), quake2Directory(), platform().batchFileFilter(), QString()});
    if (!chosen)
        return;
    batchFileEdit_->setText(*chosen);
    readBatchFile(platform().directoryOf(*chosen), platform().fileNameOf(*chosen));
    VexaIni::write(settings(), VexaIni::BatchFile, *chosen);
}

bool MainWindow::saveConfig() {
    settleFileBoxes();
    const QString current = configFileEdit_->text();
    bool goOn = true;
    if (!current.isEmpty() && (QFileInfo(current).isFile() || isVexaScript(current))) {
        const bool firstScript = isVexaScript(current) && !QFileInfo::exists(current);
        const SaveOutcome outcome = saveConfigUnlessDeclined(current);
        if (outcome == SaveOutcome::Saved)
            messageBar_->showMessage(ConfigSaved);
        if (outcome == SaveOutcome::Saved && firstScript)
            offerExecFromAutoexec(current);
        goOn = outcome != SaveOutcome::Stopped;
    } else {
        goOn = saveConfigAs();
    }
    VexaIni::write(settings(), VexaIni::ConfigFile, configFileEdit_->text());
    return goOn;
}

// Vexa's script runs only when Run names it; a line at the end of autoexec.cfg, which the game
// runs at every start, applies it also when the game is started otherwise. Asked once.
void MainWindow::offerExecFromAutoexec(const QString& script) {
    if (VexaIni::exists(settings(), VexaIni::AutoexecAsked))
        return;
    VexaIni::writeBool(settings(), VexaIni::AutoexecAsked, true);
    if (!prompts_.confirm(ApplyWithoutVexa))
        return;
    const QString autoexec = platform().join(platform().directoryOf(script), AutoexecName);
    const QByteArray line = "exec " + platform().fileNameOf(script).toLatin1() + "\r\n";
    const QByteArray held = readWholeFile(autoexec).value_or(QByteArray());
    if (held.contains(line.trimmed()))
        return; // there already
    const QByteArray before = held.isEmpty() || held.endsWith('\n') ? held : held + "\r\n";
    saveFile(autoexec, before + line, ErrorText::cannotCreate(displayName(autoexec)));
}

// Writes the config file, asking first when it is the game's own config.cfg, and when another
// program changed it since it was read.
MainWindow::SaveOutcome MainWindow::saveConfigUnlessDeclined(const QString& fileName) {
    if (isOriginalConfig(fileName) && !prompts_.confirm(OriginalConfigQuestion)) {
        prompts_.notice(SavingCanceled);
        return SaveOutcome::Declined;
    }
    const QString directory = platform().directoryOf(fileName);
    const QString name = platform().fileNameOf(fileName);
    switch (askBeforeSavingOver(prompts_, cfgMemory().file, fileName)) {
    case SaveOverChange::Reload:
        loadCfgFile(directory, name);
        return SaveOutcome::Stopped;
    case SaveOverChange::Cancel:
        return SaveOutcome::Stopped;
    case SaveOverChange::Overwrite:
        break;
    }
    saveCfgFile(directory, name);
    showInstallationNotices(); // saved where the game does not look: say so
    return SaveOutcome::Saved;
}

// Where Save Config As starts: the game's own baseq2 where the engine keeps one (where the game
// looks for configs first), else the base directory when vexa.ini names one, else the Quake 2
// directory, but always a folder that exists (a dialog started in a missing one opens elsewhere).
QString MainWindow::configSaveDirectory() const {
    QStringList candidates{homeGameFolder(engineChoice())};
    if (VexaIni::exists(settings(), VexaIni::BaseDir))
        candidates << VexaIni::readString(settings(), VexaIni::BaseDir, QString());
    candidates << quake2Directory() << QDir::homePath();
    for (const QString& directory : candidates)
        if (!directory.isEmpty() && QFileInfo(directory).isDir())
            return directory;
    return QDir::homePath();
}

bool MainWindow::saveConfigAs() {
    const auto chosen = prompts_.saveFile(
        {QStringLiteral("Save Config As"), configSaveDirectory(), ConfigFilter, VexaScriptName});
    if (!chosen)
        return true;
    // Declined or stopped, it leaves everything as it was: no file made, the box and vexa.ini
    // unchanged.
    const SaveOutcome outcome = saveConfigUnlessDeclined(*chosen); // no status text here
    if (outcome != SaveOutcome::Saved)
        return outcome != SaveOutcome::Stopped;
    configFileEdit_->setText(*chosen);
    VexaIni::write(settings(), VexaIni::ConfigFile, *chosen);
    return true;
}

void MainWindow::saveBatch() {
    settleFileBoxes();
    // The script names the game in the Quake 2 directory, wherever the script itself lies.
    writeBatchFile(batchFileEdit_->text(), quake2Directory(), buildCommandPieces(launchChoices()),
                   platform(), gameProgram());
    messageBar_->showMessage(BatchSaved);
}

void MainWindow::saveBatchAs() {
    const auto chosen = prompts_.saveFile({QStringLiteral("Save Batch As"), programDirectory_,
                                           platform().batchFileFilter(), QString()});
    if (!chosen)
        return;
    batchFileEdit_->setText(*chosen);
    writeBatchFile(*chosen, quake2Directory(), buildCommandPieces(launchChoices()), platform(),
                   gameProgram());
    messageBar_->showMessage(BatchSaved);
    VexaIni::write(settings(), VexaIni::BatchFile, *chosen);
}

bool MainWindow::saveAll() {
    if (!saveConfig())
        return false;
    saveBatch();
    messageBar_->showMessage(AllSaved); // also when the config was declined
    return true;
}

// ---------------------------------------------------------------------------------------------
// View menu: the text editor

void MainWindow::viewConfigFile() {
    openConfigEditor();
}

EditorWindow* MainWindow::openConfigEditor() {
    settleFileBoxes();
    auto* editor = new EditorWindow(
        this, prompts_, configFileEdit_->text(), ConfigLineEnding, [this](const QString& file) {
            loadCfgFile(platform().directoryOf(file), platform().fileNameOf(file));
        });
    editor->setWindowTitle(EditingConfig);
    editor->show();
    return editor;
}

void MainWindow::viewBatchFile() {
    settleFileBoxes();
    auto* editor = new EditorWindow(
        this, prompts_, batchFileEdit_->text(), platform().lineEnding(),
        [this](const QString& file) {
            readBatchFile(platform().directoryOf(file), platform().fileNameOf(file));
        },
        scriptEditEncoding(batchFileEdit_->text()));
    editor->setWindowTitle(EditingBatch);
    editor->show();
}

// ---------------------------------------------------------------------------------------------
// Closing

bool MainWindow::saveFilesOnExit() {
    if (savedForRun_)
        return true;
    if (closingSetting(settings(), VexaIni::SaveAllOnExit, false) ||
        (closingSetting(settings(), VexaIni::SaveBoxOnExit, true) &&
         prompts_.confirm(SaveBeforeExit)))
        return saveAll();
    return true;
}
