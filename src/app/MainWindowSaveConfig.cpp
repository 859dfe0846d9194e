// Writing the main window as a config script: the lines kept from the file read last, then the
// window's own lines, the profile entries and the closing comments. The window's lines come
// after the kept ones, so what the window shows wins in the game; a kept line that they
// override is left out.

#include "app/MainWindow.h"
#include "app/pages/CommunicationsPage.h"
#include "app/pages/GamesPage.h"
#include "app/pages/ServerPage.h"

#include "app/CfgFileMemory.h"
#include "app/CfgWindowRows.h"
#include "config/CfgFile.h"
#include "config/CfgScript.h"
#include "config/SettingControls.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"
#include "profiles/CfgProfileEntries.h"
#include "settings/GameHome.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>

namespace {

using namespace CfgWindowRows;

// A row the file gave a value always writes: the file's own text while the widgets still stand
// for what they stood for after the load, else their value. A row the file said nothing about
// writes nothing while unchanged; in a new config, and once changed, it writes when it wants
// and the engine has its variable.
void appendRows(QStringList& lines, const MainWindow& w, Part part,
                const std::vector<CfgOrigin>& origins) {
    for (const Row& row : rows(part)) {
        const size_t number = rowNumber(row);
        const QString current = row.current(w);
        CfgOrigin origin;
        if (number < origins.size())
            origin = origins[number];
        else
            origin.loaded = current;
        if (origin.read)
            appendCfgLine(lines, row.word, QLatin1String(row.name), origin.textFor(current));
        else if (origin.followsRules(current) && engineHasRow(row, currentEngine()) &&
                 row.wanted(w, current) && (!row.onlyWhenChanged || current != origin.loaded))
            appendCfgLine(lines, row.word, QLatin1String(row.name), current);
    }
}

// A public server's master is set with the setmaster command (there is no variable for it).
void appendMasterLine(QStringList& lines, const MainWindow& w) {
    const auto* isPublic = qobject_cast<QCheckBox*>(w.settingControl(QStringLiteral("public")));
    if (w.startServerBox()->isChecked() && isPublic && isPublic->isChecked())
        lines << QStringLiteral("setmaster \"") + w.serverPage()->masterServer()->text() + u'"';
}

// Keys a binding took at the load that the game would keep bound unless the script says
// otherwise: those of a binding the script gave, or that the player changed since.
QStringList releasedBindingKeys(const ControlIndex& index, const std::vector<CfgOrigin>& origins) {
    QStringList keys;
    for (size_t i = 0; i < origins.size() && i < size_t(index.size()); ++i) {
        const SettingControl& control = *index.entries()[i].control;
        const CfgOrigin& origin = origins[i];
        if (control.kind() == SettingKind::Binding &&
            (origin.read || origin.loaded != controlValueText(control)))
            keys += origin.loaded.split(u' ', Qt::SkipEmptyParts);
    }
    return keys;
}

} // namespace

void MainWindow::saveCfgFile(const QString& directory, const QString& fileName) {
    CfgFileMemory& memory = cfgMemory();
    const Engine engine = engineChoice().engine;
    QStringList generated;
    appendRows(generated, *this, Part::Player, memory.rows);
    communicationsPage_->writeMessages(generated);
    appendRows(generated, *this, Part::DisplayAndSound, memory.rows);
    appendRows(generated, *this, Part::Server, memory.rows);
    appendMasterLine(generated, *this);
    appendRows(generated, *this, Part::Flags, memory.rows);
    writeControlLines(generated, settingIndex(),
                      VexaIni::readBool(settings(), VexaIni::OptimizedSaving, false),
                      memory.controls);
    if (VexaIni::readBool(settings(), VexaIni::IncludeAliases, true))
        writeProfileEntries(generated, programDirectory_, gamesPage_->currentGame()->text());

    CfgOverrides later(generated, engine);
    const QStringList unbinds = unbindLines(
        releasedBindingKeys(settingIndex(), memory.controls) + memory.takenKeys, later, engine);
    later.add(unbinds);
    // The unbinds join the kept lines, blank line and all, as the next read keeps them: a config
    // read and saved again comes out the same.
    QStringList lines = keptLinesBefore(memory.keptLines + unbinds, later);
    lines += generated;
    appendClosingLines(lines);

    configLines_ = lines;
    const QString path = PlatformConventions::native().join(directory, fileName);
    memory.file = writeCfgFile(path, configLines_);
    rememberShownSettings();
    warnWhenTooLongToRun(path);
}

// The file is kept as written (nothing of the player's is dropped), but the game would run none
// of it: say so, with what the player can do.
void MainWindow::warnWhenTooLongToRun(const QString& path) {
    if (const QString warning = tooLongToRun(path); !warning.isEmpty())
        prompts_.notice(warning + QStringLiteral(". Tick \"Optimize Saving\" in Options, or take "
                                                 "out lines the game no longer needs."));
}
