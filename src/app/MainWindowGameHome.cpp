// The engine the game runs on and its own directory: found at the first start, changed in
// Options. What the game really reads is told on the hint line.

#include "MainWindow.h"

#include "app/pages/GamesPage.h"

#include "app/pages/GeneralPage.h"

#include "app/pages/ClientPage.h"
#include "app/pages/SoundPage.h"
#include "app/pages/VideoPage.h"

#include "app/CfgFileMemory.h"
#include "app/CfgWindowRows.h"
#include "app/Discovery.h"
#include "config/ConfigCheck.h"
#include "config/ConfigScript.h"
#include "config/SettingControls.h"
#include "platform/FileAccess.h"
#include "platform/GameFiles.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaError.h"
#include "platform/VexaIni.h"
#include "settings/GameHome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

namespace {

const QString ReadInstead = QStringLiteral("The game reads %1 instead");
const QString RewrittenByTheGame =
    QStringLiteral("The game rewrites %1 when it quits, with only its bindings and saved "
                   "settings: keep your settings in %2 (Save Config As)");

} // namespace

EngineChoice MainWindow::engineChoice() const {
    return storedEngineChoice(settings());
}

void MainWindow::locateGameHome() {
    std::optional<EngineChoice> choice = readEngineChoice(*settings_);
    if (!choice) {
        choice = detectEngine(openDialogDirectory_);
        writeEngineChoice(*settings_, *choice);
    }
    setCurrentEngine(choice->engine);
}

QString MainWindow::gameProgram() const {
    return gameProgramName(engineChoice().engine, quake2Directory());
}

GameFiles MainWindow::dataFiles(const QString& baseDir) const {
    return gameDataFiles(engineChoice(), baseDir);
}

QStringList MainWindow::configSearchFolders() const {
    const QString game =
        gamesPage_->startWithGame()->isChecked() ? gamesPage_->currentGame()->text() : QString();
    return gameSearchFolders(engineChoice(), quake2Directory(), game);
}

QString MainWindow::configWarning() const {
    const QString chosen = configFileEdit_->text();
    if (const auto instead = fileReadInstead(configSearchFolders(), chosen))
        return ReadInstead.arg(displayName(*instead));
    if (PlatformConventions::native().fileNameOf(chosen).compare(GameConfigName,
                                                                 Qt::CaseInsensitive) == 0)
        return RewrittenByTheGame.arg(GameConfigName, VexaScriptName);
    return tooLongToRun(chosen);
}

QString MainWindow::tooLongToRun(const QString& path) const {
    const Engine engine = engineChoice().engine;
    // No engine counts more bytes than the file has: a short file is not read.
    const QFileInfo file(path);
    if (!file.isFile() || file.size() < engineFacts(engine).commandBufferSize)
        return {};
    try {
        const QString warning = scriptSizeWarning(readScriptLines(path), engine);
        return warning.isEmpty() ? warning : displayName(path) + QStringLiteral(" is ") + warning;
    } catch (const VexaError&) {
        return {}; // unreadable: the load says so
    }
}

QString MainWindow::missingConfigNotice() const {
    const QString chosen = configFileEdit_->text();
    if (chosen.isEmpty() || QFileInfo(chosen).isFile())
        return {};
    return QStringLiteral("There is no config %1 yet: the settings show what the game holds "
                          "until Save Config writes it")
        .arg(displayName(chosen));
}

void MainWindow::showInstallationNotices() {
    QStringList notices;
    if (const QString missing = missingConfigNotice(); !missing.isEmpty())
        notices << missing;
    if (const QString warning = configWarning(); !warning.isEmpty())
        notices << warning; // first: it decides whether the settings reach the game
    for (const QString& archive : dataFiles(baseDirectory_).damagedArchives())
        notices << Discovery::damagedArchiveNotice(archive);
    hintNotice_ = notices.join(QStringLiteral("  "));
    // The line is narrow: the whole text on the pointer too.
    hintLine_->setToolTip(notices.join(u'\n'));
    updateHintLine(QString());
}

// The window in the engine's words: its modes, sound rates and defaults, greyed what it lacks.
void MainWindow::showEngineWords() {
    const Engine engine = engineChoice().engine;
    setCurrentEngine(engine);
    markSettingsOfEngine(settingIndex(), engine);
    CfgWindowRows::markRowsOfEngine(*this, engine);
    showEnginePage(engine);
    // After the marks: the custom size is open only while its mode is chosen.
    videoPage_->showEngineModes(engine);
    soundPage_->showEngineRates(engine);
    applyEngineDefaults(settingIndex(), engine, cfgMemory().controls);
    mouseEnabledChanged();
}

void MainWindow::installationChanged() {
    showEngineWords();
    baseDirectory_ = VexaIni::readString(settings(), VexaIni::BaseDir,
                                         PlatformConventions::native().defaultBaseDir());
    fillModelList();
    fillSkinList(generalPage_->model()->currentText());
    fillGlDriverList();
    fillStartMapLists();
    const QString saveGame = clientPage_->savedGames()->currentText();
    fillSaveGameList();
    clientPage_->savedGames()->setEditText(saveGame);
    selectListedLaunchEntries();
    showInstallationNotices();
    fitFrameToFont(); // the engine's rows may need more room
}
