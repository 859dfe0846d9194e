// "Run Quake2": save, summarise, start the game, then step aside.

#include "MainWindow.h"

#include "launch/CommandLineCuts.h"
#include "launch/GameStart.h"
#include "launch/LaunchStatusDialog.h"
#include "platform/VexaIni.h"
#include "settings/GameHome.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>

namespace {
const QString FailedToExecute = QStringLiteral("Failed to execute ");
} // namespace

void MainWindow::runGame() {
    settleFileBoxes();
    // Before anything is saved or started: the game would get a value other than the one chosen.
    requireWholeValues(buildCommandPieces(launchChoices()), engineChoice().engine);
    const bool viaScript = VexaIni::readBool(settings(), VexaIni::SaveAllOnRun, true);
    // A failure here, or a save the player stops, ends the run before anything starts.
    if (viaScript && !saveAll())
        return;
    const CommandLine pieces = buildCommandPieces(launchChoices());

    if (VexaIni::readBool(settings(), VexaIni::StatusBox, true) && !showStatusBox(pieces))
        return;

    const QString workDir =
        VexaIni::readString(settings(), VexaIni::Quake2Path, QDir::currentPath());
    const GameStart start =
        viaScript ? scriptStart(batchFileEdit_->text(), workDir)
                  : directStart(pieces, workDir, PlatformConventions::native(), gameProgram());
    if (const auto failed = startGame(start)) {
        prompts_.error(FailedToExecute + *failed);
        return;
    }

    VexaIni::write(settings(), VexaIni::ConfigFile, configFileEdit_->text());
    VexaIni::write(settings(), VexaIni::BatchFile, batchFileEdit_->text());
    if (VexaIni::readBool(settings(), VexaIni::CloseOnExit, true)) {
        // Everything was saved for the game, which has its window up by now: a question
        // would wait behind it. Without the save, the player is still asked.
        savedForRun_ = viaScript;
        close();
        return;
    }
    if (VexaIni::readBool(settings(), VexaIni::Minimize, false))
        showMinimized();
    VexaIni::writeBool(settings(), VexaIni::RunServer, startServerBox_->isChecked());
}

bool MainWindow::showStatusBox(const CommandLine& pieces) {
    configLines_ = cfgLinesOf(pieces);
    LaunchSummary summary =
        summariseLaunch(pieces, batchFileEdit_->text(), startServerBox_->isChecked());
    summary.warning = configWarning();
    return ::showStatusBox(this, summary);
}
