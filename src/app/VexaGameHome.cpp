// The engine the game runs on and its own directory: found at the first start, changed in
// Options. What the game really reads is told on the hint line.

#include "VexaMain.h"

#include "app/Discovery.h"
#include "config/SettingControls.h"
#include "platform/FileAccess.h"
#include "platform/GameFiles.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"
#include "settings/GameHome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

const QString ReadInstead = QStringLiteral("The game reads %1 instead");

} // namespace

EngineChoice TfrmVexaMain::engineChoice() const {
    return storedEngineChoice(settings());
}

void TfrmVexaMain::LocateGameHome() {
    std::optional<EngineChoice> choice = readEngineChoice(*settings_);
    if (!choice) {
        choice = detectEngine(openDialogDirectory_);
        writeEngineChoice(*settings_, *choice);
    }
    setCurrentEngine(choice->engine);
}

QString TfrmVexaMain::gameProgram() const {
    return gameProgramName(engineChoice().engine, quake2Directory());
}

GameFiles TfrmVexaMain::dataFiles(const QString& baseDir) const {
    return gameDataFiles(engineChoice(), baseDir);
}

QStringList TfrmVexaMain::configSearchFolders() const {
    const QString game = cbxStartWithGame->isChecked() ? txtCurrentGame->text() : QString();
    return gameSearchFolders(engineChoice(), quake2Directory(), game);
}

QString TfrmVexaMain::configWarning() const {
    const auto instead = fileReadInstead(configSearchFolders(), txtConfigFile->text());
    return instead ? ReadInstead.arg(displayName(*instead)) : QString();
}

void TfrmVexaMain::showInstallationNotices() {
    QStringList notices;
    if (const QString warning = configWarning(); !warning.isEmpty())
        notices << warning; // first: it decides whether the settings reach the game
    for (const QString& archive : dataFiles(baseDirectory_).damagedArchives())
        notices << Discovery::damagedArchiveNotice(archive);
    hintNotice_ = notices.join(QStringLiteral("  "));
    // The line is narrow: the whole text on the pointer too.
    txtHint->setToolTip(notices.join(u'\n'));
    UpdateHintLine(QString());
}

void TfrmVexaMain::installationChanged() {
    setCurrentEngine(engineChoice().engine);
    markSettingsOfEngine(settingIndex(), engineChoice().engine);
    baseDirectory_ = VexaIni::readString(settings(), VexaIni::BaseDir,
                                         PlatformConventions::native().defaultBaseDir());
    FillModelList();
    FillSkinList(cboModel->currentText());
    FillGlDriverList();
    FillStartMapLists();
    const QString saveGame = cboSaveGames->currentText();
    FillSaveGameList();
    cboSaveGames->setEditText(saveGame);
    selectListedLaunchEntries();
    showInstallationNotices();
}
