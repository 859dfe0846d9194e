// The main window's launch controls: reading them into launch choices, and reading the launch
// script back into them.

#include "MainWindow.h"

#include "app/pages/GamesPage.h"

#include "app/pages/ServerPage.h"

#include "app/pages/ClientPage.h"

#include "controls/SettingCheckBox.h"
#include "launch/BatchFile.h"
#include "launch/CommandLine.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"
#include "settings/GameHome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// The box's text, a listed entry or the user's own, without blanks around it; nothing when empty.
std::optional<QString> chosenEntry(const QComboBox* box) {
    const QString text = box->currentText().trimmed();
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

// Shows `text` in the box and chooses the entry of that name when the box lists one.
void showEntry(QComboBox* box, const QString& text, Qt::CaseSensitivity cs) {
    const int index =
        box->findText(text, cs == Qt::CaseSensitive ? Qt::MatchFixedString | Qt::MatchCaseSensitive
                                                    : Qt::MatchFixedString);
    box->setCurrentIndex(index);
    if (index < 0)
        box->setEditText(text);
}

SettingCheckBox* dedicatedBox(const MainWindow& window) {
    return qobject_cast<SettingCheckBox*>(window.settingControl(QStringLiteral("dedicated")));
}

} // namespace

LaunchChoices MainWindow::launchChoices() const {
    using Mode = LaunchChoices::ClientMode;
    LaunchChoices c;
    c.baseDir = VexaIni::readString(settings(), VexaIni::Quake2Path, QString());
    c.cdrom = VexaIni::readString(settings(), VexaIni::CdRom, QString());
    c.startServer = startServerBox_->isChecked();
    c.dedicated = dedicatedBox(*this)->isChecked();
    c.deathmatch = serverPage_->deathMatch()->isChecked();
    c.serverStartMap = chosenEntry(serverPage_->startMap());
    c.clientMode = clientPage_->startNewGame()->isChecked()      ? Mode::StartNewGame
                   : clientPage_->loadSavedGame()->isChecked()   ? Mode::LoadSavedGame
                   : clientPage_->connectToServer()->isChecked() ? Mode::ConnectToServer
                                                                 : Mode::None;
    c.clientStartMap = chosenEntry(clientPage_->startMap());
    c.saveGame = chosenEntry(clientPage_->savedGames());
    c.server = chosenEntry(clientPage_->servers());
    c.startWithGame = gamesPage_->startWithGame()->isChecked();
    c.currentGame = gamesPage_->currentGame()->text();
    c.configFile = configFileEdit_->text();
    c.engine = engineChoice().engine;
    return c;
}

QString MainWindow::buildCommandLine() const {
    return ::buildCommandLine(launchChoices());
}

QString MainWindow::quake2Directory() const {
    return VexaIni::readString(settings(), VexaIni::Quake2Path,
                               PlatformConventions::native().defaultQuake2Dir());
}

void MainWindow::readBatchFile(const QString& directory, const QString& fileName) {
    const QString path = PlatformConventions::native().join(directory, fileName);
    applyBatchFile(::readBatchFile(path, quake2Directory()));
}

void MainWindow::applyBatchFile(const BatchFileContents& contents) {
    if (contents.created || contents.cfgLines.isEmpty())
        return; // a new or empty script names nothing
    configLines_ = contents.cfgLines;

    if (contents.game) {
        gamesPage_->startWithGame()->setChecked(true);
        gamesPage_->currentGame()->setText(*contents.game);
    } else if (gamesPage_->startWithGame()->isChecked()) {
        gamesPage_->startWithGame()->setChecked(false);
        gamesPage_->currentGame()->clear(); // what unticking the box by hand does
    }
    if (contents.dedicated)
        dedicatedBox(*this)->setChecked(*contents.dedicated == QLatin1String("1"));
    if (contents.map) {
        QComboBox* maps =
            startServerBox_->isChecked() ? serverPage_->startMap() : clientPage_->startMap();
        // A mod's own map is listed once the lists know the mod.
        if (contents.game &&
            maps->findText(*contents.map, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
            fillStartMapLists();
        showEntry(maps, *contents.map, Qt::CaseSensitive);
        if (!startServerBox_->isChecked())
            clientPage_->startNewGame()->setChecked(true);
    }
    if (contents.deathmatch)
        serverPage_->deathMatch()->setChecked(true);
    if (contents.coop)
        serverPage_->cooperative()->setChecked(true);
    if (contents.saveGame) {
        clientPage_->loadSavedGame()->setChecked(true);
        showEntry(clientPage_->savedGames(), *contents.saveGame, Qt::CaseSensitive);
    }
    if (contents.server) {
        clientPage_->connectToServer()->setChecked(true);
        showEntry(clientPage_->servers(), *contents.server, Qt::CaseInsensitive);
    }
}

void MainWindow::readBatchFileAtStartup() {
    const QString path = batchFileEdit_->text();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return; // a missing script is not created here
    const auto& platform = PlatformConventions::native();
    readBatchFile(platform.directoryOf(path), platform.fileNameOf(path));
}

// The script is read back before the map, save-game and server lists are filled, so its names
// could not choose their entries then; without this, the next save or Run would drop them.
void MainWindow::selectListedLaunchEntries() {
    for (QComboBox* box :
         {clientPage_->startMap(), serverPage_->startMap(), clientPage_->savedGames()})
        if (box->currentIndex() < 0 && !box->currentText().isEmpty())
            showEntry(box, box->currentText(), Qt::CaseSensitive);
    if (clientPage_->servers()->currentIndex() < 0 &&
        !clientPage_->servers()->currentText().isEmpty())
        showEntry(clientPage_->servers(), clientPage_->servers()->currentText(),
                  Qt::CaseInsensitive);
}
