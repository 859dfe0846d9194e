#pragma once

#include "settings/Engine.h"

#include <QString>

#include <functional>
#include <optional>
#include <span>

class MainWindow;
class QWidget;

// The variables the main window shows outside its setting controls, one row each, shared by the
// config reader and writer: how the widgets show a file's value, which value they stand for now,
// and whether the line is written when the file gave none.
namespace CfgWindowRows {

struct Row {
    const char* word; // "set" or "Set"
    const char* name;
    // The value the widgets stand for now, as the line carries it; empty when they stand for
    // none (no mode chosen, no rate, no digit in a renderer's number).
    std::function<QString(const MainWindow&)> current;
    // Shows the file's value, or follows the rule for a file without one.
    std::function<void(MainWindow&, const std::optional<QString>&)> show;
    // Whether the line is written although the file gave no value.
    std::function<bool(const MainWindow&, const QString& current)> wanted;
    // Without a value from the file, written only once the user changed it since the load: a
    // mode the game was never told would switch its screen to the first mode of the list.
    bool onlyWhenChanged = false;
    // An empty file says nothing about the player: these fields keep what they show.
    bool keptByEmptyFile = false;
    // The widget that shows the value, greyed when the engine knows none of its variables; none
    // for rows every engine has.
    std::function<QWidget*(const MainWindow&)> widget = nullptr;
};

// The rows in the order of their lines, in four parts: the player's, then (after the message
// lines) the display and sound rows, the server's name and password, and (after the master
// server) the deathmatch flags.
enum class Part { Player, DisplayAndSound, Server, Flags };
std::span<const Row> rows(Part part);

// Every row, the parts in order; a row's place here is its number.
std::span<const Row> allRows();
size_t rowNumber(const Row& row);

// Whether the engine has the row's variable (or renames it to one it has): a row it lacks writes
// nothing the file did not give.
bool engineHasRow(const Row& row, Engine engine);

// Shows an installed model and skin, never "/": male/grunt where installed (the game's own
// default), else the first listed; male/grunt when none is installed.
void showInstalledPlayer(MainWindow& window);

// Greys each row's widget whose every variable the engine lacks, naming one in its tooltip.
void markRowsOfEngine(const MainWindow& window, Engine engine);

} // namespace CfgWindowRows
