// Reading a config script into the main window: the plain widgets that stand for one console
// variable each, every setting control and the message slots. The game's own files run first,
// in the engine's order, then the script, as the game runs them, so the window shows what the
// game would hold; what the window read from the script is remembered, and the script's lines no
// setting shows are kept for the next save.

#include "app/MainWindow.h"
#include "app/pages/CommunicationsPage.h"
#include "app/pages/GamesPage.h"

#include "app/CfgFileMemory.h"
#include "app/CfgWindowRows.h"
#include "app/WaitCursor.h"
#include "config/CfgFile.h"
#include "config/CfgScript.h"
#include "config/SettingControls.h"
#include "platform/FileAccess.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaError.h"
#include "platform/VexaIni.h"
#include "settings/Engine.h"
#include "settings/GameHome.h"

#include <QFileInfo>

#include <QDir>
#include <QLineEdit>
#include <QStatusBar>
#include <algorithm>

namespace {

using namespace CfgWindowRows;

int firstControlSlot() {
    return int(allRows().size());
}

// The variables of the rows and of the setting controls, under every name the engine takes.
CfgVariables windowVariables(ControlIndex& index, Engine engine) {
    CfgVariables variables;
    for (const Row& row : allRows())
        addVariable(variables, QString::fromLatin1(row.name), int(rowNumber(row)), engine);
    addControlVariables(variables, index, firstControlSlot(), engine);
    return variables;
}

void showRows(MainWindow& w, const CfgScript& script, bool emptyFile) {
    for (const Row& row : allRows()) {
        if (!(emptyFile && row.keptByEmptyFile))
            row.show(w, script.value(int(rowNumber(row))));
    }
}

// What each row read from the script itself, and where its value came from; for a new config
// (no script) nothing.
std::vector<CfgOrigin> rowOrigins(const MainWindow& w, const CfgScript* script) {
    std::vector<CfgOrigin> origins;
    for (const Row& row : allRows()) {
        const int slot = int(rowNumber(row));
        CfgOrigin origin;
        origin.loaded = row.current(w);
        if (script) {
            if (script->setByScript(slot))
                origin.read = script->value(slot);
            origin.fileRead = !script->isEmpty();
            origin.source = script->sourceOf(slot);
        }
        origins.push_back(std::move(origin));
    }
    return origins;
}

// The name a game file goes by in the window: its mod's folder before it, but for baseq2's.
QString gameFileName(const QString& path) {
    const auto& platform = PlatformConventions::native();
    const QString folder = platform.fileNameOf(platform.directoryOf(path));
    const QString name = platform.fileNameOf(path);
    return folder.compare(BaseGame, Qt::CaseInsensitive) == 0 ? name : folder + u'/' + name;
}

QString keptLinesMessage(qsizetype count) {
    if (count == 1)
        return QStringLiteral("1 line of the config is kept as it is: no setting shows it");
    return QStringLiteral("%1 lines of the config are kept as they are: no setting shows them")
        .arg(count);
}

} // namespace

CfgFileMemory& MainWindow::cfgMemory() {
    if (!cfgMemory_)
        cfgMemory_ = std::make_unique<CfgFileMemory>();
    return *cfgMemory_;
}

const CfgVariables& MainWindow::cfgVariables() {
    CfgFileMemory& memory = cfgMemory();
    const Engine engine = engineChoice().engine;
    if (memory.variablesEngine != engine) {
        memory.variables = windowVariables(settingIndex(), engine);
        memory.variablesEngine = engine;
    }
    return memory.variables;
}

void MainWindow::applyFixedSettings() {
    const CfgScript script(configLines_, cfgVariables(), engineChoice().engine);
    showRows(*this, script, configLines_.isEmpty());
}

std::vector<CfgGameFile> MainWindow::gameFilesBefore(const QString& script) const {
    const QString own = QFileInfo(script).absoluteFilePath();
    std::vector<CfgGameFile> files;
    for (const QString& path :
         gameStartupFiles(engineChoice(), quake2Directory(), gamesPage_->currentGame()->text())) {
        if (path == own)
            continue;
        CfgGameFile file{gameFileName(path), {}};
        try {
            readCfgFile(path, file.lines);
        } catch (const VexaError&) {
            continue; // the game cannot read it either
        }
        files.push_back(std::move(file));
    }
    return files;
}

void MainWindow::loadCfgFile(const QString& directory, const QString& fileName) {
    const WaitCursor wait(*this);
    const QString path = PlatformConventions::native().join(directory, fileName);
    readCfgFile(path, configLines_, &cfgMemory().file);
    showConfigLines(path, gameFilesBefore(path));
}

void MainWindow::showConfigLines(const QString& path, const std::vector<CfgGameFile>& gameFiles) {
    CfgFileMemory& memory = cfgMemory();
    const Engine engine = engineChoice().engine;
    CfgScript script(configLines_, cfgVariables(), engine, gameFiles);
    script.setScriptName(PlatformConventions::native().fileNameOf(path));
    CfgScript gameFilesOnly({}, cfgVariables(), engine, gameFiles);
    showRows(*this, script, script.isEmpty());

    memory.rows = rowOrigins(*this, &script);
    memory.controls =
        applyCfgScript(settingIndex(), script, firstControlSlot(), engine, &gameFilesOnly);
    for (size_t i = 0; i < memory.controls.size(); ++i)
        settingIndex().entries()[i].control->setSupSource(memory.controls[i].source);
    memory.takenKeys = communicationsPage_->readMessages(script);
    memory.keptLines = script.keptLines();
    showFixedFieldsOnEnginePage();
    rememberShownSettings();
    if (const qsizetype kept = script.keptLineCount(); kept > 0)
        messageBar_->showMessage(keptLinesMessage(kept));
    else
        messageBar_->clearMessage();
}

ControlIndex& MainWindow::settingIndex() {
    if (!settingIndex_)
        settingIndex_ = std::make_unique<ControlIndex>(indexSettingControls(this));
    return *settingIndex_;
}

void MainWindow::resetSettingsToDefaults() {
    applyFixedSettings();
    resetSettingControls(settingIndex());
    // A new config: nothing read, nothing kept.
    CfgFileMemory& memory = cfgMemory();
    memory.keptLines.clear();
    memory.controls.clear();
    memory.takenKeys.clear();
    memory.file = FileVersion();
    memory.rows = rowOrigins(*this, nullptr);
    showFixedFieldsOnEnginePage();
    rememberShownSettings();
}

namespace {

const QString MovedToVexaScript =
    QStringLiteral("Your settings are now kept in %1, which the game never rewrites. %2 is left "
                   "as it is and read as the game's own file.");

// Whether the game wrote the file itself ("// generated by quake, do not modify"): then it holds
// nothing that the game does not keep anyway.
bool writtenByTheGame(const QStringList& lines) {
    return !lines.isEmpty() && lines.front().startsWith(QLatin1String("// generated by"));
}

} // namespace

// The game rewrites its config.cfg when it quits, with only its bindings and archived cvars:
// a Config File of that name moves to Vexa's script beside it, which starts as a copy of what
// an earlier Vexa wrote there (its aliases and settings would be lost otherwise).
void MainWindow::moveOffTheGameConfig() {
    const auto& platform = PlatformConventions::native();
    const QString chosen = configFileEdit_->text();
    if (platform.fileNameOf(chosen).compare(GameConfigName, Qt::CaseInsensitive) != 0)
        return;
    const QString script = platform.join(platform.directoryOf(chosen), VexaScriptName);
    if (!QFileInfo::exists(script) && QFileInfo(chosen).isFile()) {
        QStringList lines;
        readCfgFile(chosen, lines);
        if (!writtenByTheGame(lines))
            writeCfgFile(script, lines);
    }
    configFileEdit_->setText(script);
    VexaIni::write(*settings_, VexaIni::ConfigFile, script);
    prompts_.notice(MovedToVexaScript.arg(displayName(script), displayName(chosen)));
}

// The script that is still to be written shows what the game's own files give.
void MainWindow::loadStartupConfig() {
    const auto& platform = PlatformConventions::native();
    const QString chosen = configFileEdit_->text();
    const QFileInfo stored(chosen);
    if (!chosen.isEmpty() && stored.isFile()) {
        const QString path = stored.absoluteFilePath();
        loadCfgFile(platform.directoryOf(path), platform.fileNameOf(path));
        return;
    }
    configLines_.clear();
    const std::vector<CfgGameFile> gameFiles = gameFilesBefore(chosen);
    if (std::all_of(gameFiles.begin(), gameFiles.end(),
                    [](const CfgGameFile& file) { return file.lines.isEmpty(); }))
        resetSettingsToDefaults(); // nothing anywhere: a new config
    else
        showConfigLines(stored.absoluteFilePath(), gameFiles);
    cfgMemory().file = FileVersion(stored.absoluteFilePath());
    cfgMemory().file.setContents({});
}
