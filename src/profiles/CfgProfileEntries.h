#pragma once

#include <QString>
#include <QStringList>

// Appends the ticked custom entries of the global profile and then of the current game's profile
// (when `currentGame` is not empty), both in `programDir`:
//
//   (empty) //Globals Settings
//   (empty) //--Aliases--    then per ticked alias "//....<name>...." and its lines as stored
//   (empty) //--Bindings--   then per ticked binding  Bind <key> "<command>"
//   (empty) //--Settings--   then per ticked setting  Set <name> "<value>"
//   (empty) //<game>Settings and the same three blocks, where alias lines get no name line,
//                            and a closing double quote when their quotes do not pair up
//
// A block's header stands whenever its count is above 0, ticked entries or not. Counts are read
// leniently, except the game profile's settings count: when that is not a whole number the
// VexaError "'%s' is not a valid integer value" is thrown and `lines` is left as it was.
void writeProfileEntries(QStringList& lines, const QString& programDir, const QString& currentGame);
