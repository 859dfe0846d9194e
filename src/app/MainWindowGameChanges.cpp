// Settings the player changed in the game's own menu since Vexa saved its script: the game wrote
// them into its config.cfg at quit, and Vexa's script, run last, would set them back. The player
// chooses, per setting or for all, which value stays.

#include "MainWindow.h"

#include "app/CfgFileMemory.h"
#include "app/CfgWindowRows.h"
#include "config/CfgFile.h"
#include "config/CfgNumbers.h"
#include "config/SettingControls.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaError.h"
#include "settings/GameHome.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>

namespace {

const QString ChangedInTheGame =
    QStringLiteral("These settings were changed in the game since Vexa saved %1:\n%2\n\nThe game "
                   "would set them back at its next start. Which values stay?");
const QString OneChange = QStringLiteral("%1 was changed in the game to %2; Vexa has %3. Which "
                                         "value stays?");
const QStringList AllAnswers{QStringLiteral("The game's"), QStringLiteral("Vexa's"),
                             QStringLiteral("Choose each")};
const QStringList OneAnswer{QStringLiteral("The game's"), QStringLiteral("Vexa's")};

// Values the game writes as it holds them ("100.000000" or "100"): numbers count as numbers.
bool sameValue(const QString& a, const QString& b) {
    bool numberA = false, numberB = false;
    const double x = a.toDouble(&numberA), y = b.toDouble(&numberB);
    return numberA && numberB ? x == y : a == b;
}

} // namespace

std::vector<MainWindow::GameChange> MainWindow::changesMadeInTheGame() {
    const QFileInfo script(configFileEdit_->text());
    const QFileInfo game(gameConfigFile(engineChoice(), baseDirectory_));
    if (!script.isFile() || !game.isFile() ||
        game.absoluteFilePath() == script.absoluteFilePath() ||
        game.lastModified() <= script.lastModified())
        return {};
    QStringList lines;
    try {
        readCfgFile(game.absoluteFilePath(), lines);
    } catch (const VexaError&) {
        return {};
    }
    const CfgScript written(lines, cfgVariables(), engineChoice().engine);
    const CfgFileMemory& memory = cfgMemory();
    std::vector<GameChange> changes;
    for (const CfgWindowRows::Row& row : CfgWindowRows::allRows()) {
        const size_t number = CfgWindowRows::rowNumber(row);
        const std::optional<QString> value = written.value(int(number));
        if (number < memory.rows.size() && memory.rows[number].read && value &&
            !sameValue(*value, row.current(*this)))
            changes.push_back({QLatin1String(row.name), row.current(*this), *value,
                               [this, &row, value] { row.show(*this, value); }});
    }
    const auto& entries = settingIndex().entries();
    for (size_t i = 0; i < entries.size() && i < memory.controls.size(); ++i) {
        SettingControl& control = *entries[i].control;
        const int slot = int(CfgWindowRows::allRows().size() + i);
        const std::optional<QString> value =
            control.kind() == SettingKind::Binding ? std::nullopt : written.value(slot);
        if (!memory.controls[i].read || !value)
            continue;
        const QString shown = shownControlValue(control.kind(), *value);
        if (shown != controlValueText(control))
            changes.push_back({control.supCommand(), controlValueText(control), shown,
                               [&control, shown] { control.setValues({shown}); }});
    }
    return changes;
}

void MainWindow::offerChangesMadeInTheGame() {
    const std::vector<GameChange> changes = changesMadeInTheGame();
    if (changes.empty())
        return;
    QStringList listed;
    for (const GameChange& change : changes)
        listed << QStringLiteral("  %1: the game %2, Vexa %3")
                      .arg(change.name, change.game, change.vexa);
    const QString script = PlatformConventions::native().fileNameOf(configFileEdit_->text());
    const int all = prompts_.choose(ChangedInTheGame.arg(script, listed.join(u'\n')), AllAnswers);
    for (const GameChange& change : changes) {
        const bool games =
            all == 0 ||
            (all == 2 &&
             prompts_.choose(OneChange.arg(change.name, change.game, change.vexa), OneAnswer) == 0);
        if (games)
            change.takeGames(); // an edit: the next save writes it
    }
}
