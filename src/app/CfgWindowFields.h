#pragma once

// What the config reader and writer of the main window share about its plain widgets.

#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

#include "app/MainWindow.h"

namespace CfgWindowFields {

// Ids of the renderer choice in gbxVideoItems.
inline constexpr int SoftwareRenderer = 0;
inline constexpr int GlRenderer = 1;

// "vid_ref" values the writer writes and the reader understands.
inline constexpr char SoftwareRef[] = "soft";
inline constexpr char GlRef[] = "gl";

// id's two cboSndQuality items, "High" and "Low", stand for these "s_khz" values, the two its
// sound menu offers. A rate of at least HighRate reads as "High", any other as "Low".
inline constexpr int HighRate = 22;
inline constexpr int LowRate = 11;

inline QLineEdit* edit(const MainWindow& window, const char* name) {
    return window.namedChild<QLineEdit>(name);
}

inline QRadioButton* radio(const MainWindow& window, const char* name) {
    return window.namedChild<QRadioButton>(name);
}

} // namespace CfgWindowFields
