#pragma once

#include "settings/LabelPosition.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <span>

// The built-in settings of the main window: one row per setting control, in the order the
// controls are created. That order is the depth-first widget order, so it is also the order of
// the lines in a written config file.

// The catalogue's rows are check boxes, spins and bindings; an engine's own settings also come as
// a choice among values, a number with decimals, or a text.
enum class SettingKind { CheckBox, Spin, Binding, Choice, Number, Text };

struct CatalogueRow {
    const char* command; // supCommand: "+lookup", "use blaster", "fov"
    SettingKind kind;
    const char* tab;          // objectName of the tab sheet holding the control: "tabGeneral", ...
                              // the Video sub-pages are "tabBoth", "TabSheet1", "TabSheet2"
    const char* group;        // group box caption, "" outside the groups
    const char* defaultValue; // check box "yes"/"no"; spin decimal text; binding key name or ""
    const char* caption;      // check box caption or the attached label's text
    LabelPosition labelPosition; // side of a spin's or binding's label; a check box's caption is
                                 // its own, right of the mark (PosRight)
    const char* description;     // one line
    const char* notes;           // "" or lines separated by '\n'
    // Outside the group boxes a control sits in a named block of its sheet ("Keys", "Options"),
    // which the page lays out by walking the block's rows.
    const char* block; // "" inside a group box
    int place;  // 1, 2, ... in a block that shows its rows in another order than the catalogue's;
                // 0 where the block keeps catalogue order
    int column; // cells right of the block's first column: 1 indents a row under the one above
                // it, or puts it beside a field the page adds
};

// Every row, in creation order.
std::span<const CatalogueRow> catalogue();

// The row whose command is exactly `command`, or nullptr.
const CatalogueRow* findCatalogueRow(QStringView command);

// The rows of `block` on the sheet `tab`, in their places.
QList<const CatalogueRow*> blockRows(const char* tab, const char* block);

// "checkbox", "spin", "binding", "choice", "number" or "text".
QString settingKindName(SettingKind kind);

// Caption the user sees for a tab objectName of the catalogue: "Weapons & Inv", "Video/GL", ...
// Empty for a name the catalogue does not use.
QString tabCaption(const char* tab);

// objectName of a group box: "gbx" and the caption's words capitalised and joined
// ("Climbing and swimming" gives "gbxClimbingAndSwimming"); "" for "".
QString groupObjectName(const char* group);

// A check box row's default as the control's value type.
bool defaultChecked(const CatalogueRow& row);

// A spin row's default as a number.
int defaultNumber(const CatalogueRow& row);

// The notes as the lines of supNotes (empty when there are none).
QStringList notesLines(const CatalogueRow& row);

// The whole catalogue as text: one line per row, no header, fields separated by a tab in the
// order command, kind, default, tab caption, group, caption, description; every line ends with LF.
QString catalogueAsText();
