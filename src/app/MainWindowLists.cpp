// The main window's lists of what is installed and of the launch choices: models, skins and
// drivers, start maps, saved games and servers, with their handlers and the two list editors.

#include "MainWindow.h"

#include "app/pages/VideoPage.h"

#include "app/pages/GeneralPage.h"

#include "app/pages/ServerPage.h"

#include "app/pages/ClientPage.h"

#include "app/pages/GamesPage.h"

#include "app/CfgFileMemory.h"
#include "app/Discovery.h"
#include "app/ServerBrowser.h"
#include "app/ServerListStatus.h"
#include "controls/ChoiceBox.h"
#include "controls/UserChoice.h"
#include "platform/GameFiles.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"
#include "profiles/AddressBook.h"
#include "profiles/MapListDialog.h"
#include "profiles/MapLists.h"
#include "profiles/ServerListDialog.h"
#include "settings/GameHome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <utility>

namespace {

// Runs a handler whenever its box becomes the focused control. The box's own drop-down list
// taking and handing back the focus is not an entry: the list must not be rebuilt under the
// user's choice.
class FocusEntry : public QObject {
public:
    FocusEntry(QWidget* box, std::function<void()> entered)
        : QObject(box), entered_(std::move(entered)) {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            entered_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> entered_;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Models, skins and drivers

void MainWindow::fillModelList() {
    replaceChoiceItems(*generalPage_->model(), Discovery::modelNames(dataFiles(
                                                   Discovery::playersBaseDirectory(settings()))));
}

void MainWindow::fillSkinList(const QString& model) {
    replaceChoiceItems(
        *generalPage_->skin(),
        Discovery::skinNames(dataFiles(Discovery::playersBaseDirectory(settings())), model));
}

void MainWindow::fillGlDriverList() {
    // Yamagi's ref_*.so are its renderers, chosen otherwise: no GL library.
    replaceChoiceItems(*videoPage_->glDriver(),
                       Discovery::driverNames(Discovery::driverDirectory(settings()),
                                              PlatformConventions::native(),
                                              engineChoice().engine == Engine::id));
}

void MainWindow::modelEntered() {
    fillModelList();
}

void MainWindow::modelChanged(const QString& model) {
    generalPage_->skin()->clearEditText(); // the old skin belongs to the old model
    fillSkinList(model);
}

void MainWindow::skinEntered() {
    fillSkinList(generalPage_->model()->currentText());
}

// ---------------------------------------------------------------------------------------------
// Start maps, saved games and servers

void MainWindow::fillStartMapLists() {
    const QString game =
        gamesPage_->startWithGame()->isChecked() ? gamesPage_->currentGame()->text() : QString();
    const QStringList maps = MapLists::buildMapList(settings(), programDirectory_, game);
    replaceChoiceItems(*clientPage_->startMap(), maps);
    replaceChoiceItems(*serverPage_->startMap(), maps);
}

void MainWindow::fillSaveGameList() {
    clientPage_->savedGames()->clearEditText();
    replaceChoiceItems(*clientPage_->savedGames(),
                       MapLists::saveGameNames({homeGameFolder(engineChoice()), baseDirectory_}));
}

void MainWindow::fillServerList() {
    replaceChoiceItems(*clientPage_->servers(), MapLists::serverNames(programDirectory()));
}

void MainWindow::editMapList() {
    MapListDialog editor(
        programDirectory(), prompts_, [this] { fillStartMapLists(); }, this);
    editor.exec();
}

void MainWindow::editServerList() {
    ServerListDialog editor(
        programDirectory(), prompts_, [this] { fillServerList(); }, this);
    serverListStatus_->addTo(editor);
    editor.exec();
}

void MainWindow::chooseServer(const QString& address) {
    // A client joins: with "Start a Server" ticked the game would start its own instead.
    startServerBox_->setChecked(false);
    clientPage_->connectToServer()->setChecked(true);
    QComboBox* servers = clientPage_->servers();
    const int listed = servers->findText(address, Qt::MatchFixedString);
    servers->setCurrentIndex(listed);
    if (listed < 0)
        servers->setEditText(address);
}

// The address book as the game ends up with it: its own files in its order, then Vexa's script,
// which takes the favourites.
ServerBrowserPlaces MainWindow::serverBrowserPlaces() const {
    const QString script = QFileInfo(configFileEdit_->text()).absoluteFilePath();
    QStringList files =
        gameStartupFiles(engineChoice(), quake2Directory(), gamesPage_->currentGame()->text());
    files.removeAll(script);
    files << script;
    return {MapLists::serverListPath(programDirectory()), files, script, engineChoice().engine};
}

void MainWindow::findServers() {
    ServerBrowser browser(settings(), prompts_, serverBrowserPlaces(), this);
    const bool join = browser.exec() == QDialog::Accepted && !browser.chosenServer().isEmpty();
    // A favourite went into the script: read again unless the window holds changes of its own
    // (the next save then asks, as for any change made elsewhere).
    const QString script = configFileEdit_->text();
    if (cfgMemory().file.changedOnDisk() && shownSettings() == savedSettings_)
        runGuarded(prompts_, [&] {
            loadCfgFile(PlatformConventions::native().directoryOf(script),
                        PlatformConventions::native().fileNameOf(script));
        });
    // A server added to servers.txt shows in the Connect list too.
    fillServerList();
    if (!join)
        return;
    chooseServer(browser.chosenServer());
    runGame();
}

// ---------------------------------------------------------------------------------------------
// Wiring

void MainWindow::connectListHandlers() {
    new FocusEntry(generalPage_->model(), guarded(prompts_, [this] { modelEntered(); }));
    new FocusEntry(generalPage_->skin(), guarded(prompts_, [this] { skinEntered(); }));
    // Only the user's edits and choices count: texts set by the program rebuild nothing.
    new UserChoice(generalPage_->model(), UserChoice::OnlyChanges,
                   guarded(prompts_, [this](const QString& model) { modelChanged(model); }));
    connect(clientPage_->mapListButton(), &QPushButton::clicked, this,
            guarded(prompts_, [this] { editMapList(); }));
    connect(clientPage_->serverListButton(), &QPushButton::clicked, this,
            guarded(prompts_, [this] { editServerList(); }));
    connect(clientPage_->findServersButton(), &QPushButton::clicked, this,
            guarded(prompts_, [this] { findServers(); }));
    serverListStatus_ =
        new ServerListStatus(*clientPage_->servers(), *clientPage_->refreshServersButton(), this);
}
