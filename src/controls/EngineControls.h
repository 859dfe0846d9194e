#pragma once

#include "CatalogueControls.h"
#include "settings/EngineSettings.h"

// One setting control made from a row of an engine's settings table: a check box for on/off, a
// spin for a whole number (limited to the table's range), a choice box with the engine's labels,
// a field for a number with decimals or a text. The control carries the cvar, the description and,
// as notes, the values the engine takes, and the engine it belongs to; all but check boxes get a
// caption label in `parent`.
CreatedSetting createEngineControl(Engine engine, const EngineSetting& setting, QWidget* parent);
