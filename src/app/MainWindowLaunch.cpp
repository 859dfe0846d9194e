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

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// The box's text when it shows one of its entries, nothing when the text is the user's own.
std::optional<QString> chosenEntry(const QComboBox* box) {
    const int index = box->currentIndex();
    if (index < 0 || box->currentText() != box->itemText(index))
        return std::nullopt;
    return box->currentText();
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
    c.startServer = cbxStartServer->isChecked();
    c.dedicated = dedicatedBox(*this)->isChecked();
    c.deathmatch = tabServer->deathMatch()->isChecked();
    c.serverStartMap = chosenEntry(tabServer->startMap());
    c.clientMode = tabClient->startNewGame()->isChecked()      ? Mode::StartNewGame
                   : tabClient->loadSavedGame()->isChecked()   ? Mode::LoadSavedGame
                   : tabClient->connectToServer()->isChecked() ? Mode::ConnectToServer
                                                               : Mode::None;
    c.clientStartMap = chosenEntry(tabClient->startMap());
    c.saveGame = chosenEntry(tabClient->savedGames());
    c.server = chosenEntry(tabClient->servers());
    c.startWithGame = tabAlias->startWithGame()->isChecked();
    c.currentGame = tabAlias->currentGame()->text();
    c.configFile = txtConfigFile->text();
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
    CfgLines = contents.cfgLines;

    if (contents.game) {
        tabAlias->startWithGame()->setChecked(true);
        tabAlias->currentGame()->setText(*contents.game);
    } else if (tabAlias->startWithGame()->isChecked()) {
        tabAlias->startWithGame()->setChecked(false);
        tabAlias->currentGame()->clear(); // what unticking the box by hand does
    }
    if (contents.dedicated)
        dedicatedBox(*this)->setChecked(*contents.dedicated == QLatin1String("1"));
    if (contents.map) {
        if (cbxStartServer->isChecked()) {
            showEntry(tabServer->startMap(), *contents.map, Qt::CaseSensitive);
        } else {
            showEntry(tabClient->startMap(), *contents.map, Qt::CaseSensitive);
            tabClient->startNewGame()->setChecked(true);
        }
    }
    if (contents.deathmatch)
        tabServer->deathMatch()->setChecked(true);
    if (contents.coop)
        tabServer->cooperative()->setChecked(true);
    if (contents.saveGame) {
        tabClient->loadSavedGame()->setChecked(true);
        showEntry(tabClient->savedGames(), *contents.saveGame, Qt::CaseSensitive);
    }
    if (contents.server) {
        tabClient->connectToServer()->setChecked(true);
        showEntry(tabClient->servers(), *contents.server, Qt::CaseInsensitive);
    }
}

void MainWindow::readBatchFileAtStartup() {
    const QString path = txtBatchFile->text();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return; // a missing script is not created here
    const auto& platform = PlatformConventions::native();
    readBatchFile(platform.directoryOf(path), platform.fileNameOf(path));
}

// The script is read back before the map, save-game and server lists are filled, so its names
// could not choose their entries then; without this, the next save or Run would drop them.
void MainWindow::selectListedLaunchEntries() {
    for (QComboBox* box : {tabClient->startMap(), tabServer->startMap(), tabClient->savedGames()})
        if (box->currentIndex() < 0 && !box->currentText().isEmpty())
            showEntry(box, box->currentText(), Qt::CaseSensitive);
    if (tabClient->servers()->currentIndex() < 0 && !tabClient->servers()->currentText().isEmpty())
        showEntry(tabClient->servers(), tabClient->servers()->currentText(), Qt::CaseInsensitive);
}
