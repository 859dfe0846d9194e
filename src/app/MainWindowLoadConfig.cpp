// Reading a config script into the main window: the plain widgets that stand for one console
// variable each, every setting control and the message slots. The script is run as the game
// runs it, so the window shows what the game would hold; what the window read is remembered,
// and the lines no setting shows are kept for the next save.

#include "app/MainWindow.h"
#include "app/pages/CommunicationsPage.h"

#include "app/CfgFileMemory.h"
#include "app/CfgWindowRows.h"
#include "app/WaitCursor.h"
#include "config/CfgFile.h"
#include "config/CfgScript.h"
#include "config/SettingControls.h"
#include "platform/FileAccess.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaError.h"
#include "settings/Engine.h"
#include "settings/GameHome.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QStatusBar>

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

// What each row read from the script; for a new config (no script) nothing.
std::vector<CfgOrigin> rowOrigins(const MainWindow& w, const CfgScript* script) {
    std::vector<CfgOrigin> origins;
    for (const Row& row : allRows())
        origins.push_back({script ? script->value(int(rowNumber(row))) : std::nullopt,
                           row.current(w), script && !script->isEmpty()});
    return origins;
}

// The keys each binding control took from the file.
QStringList bindingKeys(const ControlIndex& index, const std::vector<CfgOrigin>& origins) {
    QStringList keys;
    for (size_t i = 0; i < origins.size(); ++i) {
        const SettingControl& control = *index.entries()[i].control;
        if (control.kind() != SettingKind::Binding || !origins[i].read)
            continue;
        for (int slot = 0; slot < control.valueCount(); ++slot) {
            if (QString key = control.valueText(slot); !key.isEmpty())
                keys << std::move(key);
        }
    }
    return keys;
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

void MainWindow::loadCfgFile(const QString& directory, const QString& fileName) {
    const WaitCursor wait(*this);
    CfgFileMemory& memory = cfgMemory();
    readCfgFile(PlatformConventions::native().join(directory, fileName), configLines_,
                &memory.file);
    ControlIndex& index = settingIndex();
    CfgScript script(configLines_, cfgVariables(), engineChoice().engine);
    showRows(*this, script, configLines_.isEmpty());

    memory.rows = rowOrigins(*this, &script);
    memory.controls = applyCfgScript(index, script, firstControlSlot(), engineChoice().engine);
    memory.takenKeys =
        bindingKeys(index, memory.controls) + communicationsPage_->readMessages(script);
    memory.keptLines = script.keptLines();
    showFixedFieldsOnEnginePage();
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
}

void MainWindow::loadStartupConfig() {
    const auto& platform = PlatformConventions::native();
    const QFileInfo stored(configFileEdit_->text());
    if (!configFileEdit_->text().isEmpty() && stored.isFile()) {
        const QString path = stored.absoluteFilePath();
        loadCfgFile(platform.directoryOf(path), platform.fileNameOf(path));
        return;
    }
    const QString fallback = fallbackConfigFile(engineChoice(), baseDirectory_);
    if (!QFileInfo(fallback).isFile()) {
        // The rest of the start-up goes on from the defaults; the box keeps the stored name.
        prompts_.notice(ErrorText::cannotOpen(displayName(fallback)));
        configLines_.clear();
        resetSettingsToDefaults();
        return;
    }
    loadCfgFile(platform.directoryOf(fallback), platform.fileNameOf(fallback));
    configFileEdit_->setText(fallback);
}
