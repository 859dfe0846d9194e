#pragma once

#include "ListFileEditor.h"

// "Map List": edits maps.lst, the start maps offered before the maps found in the installation.
// Resizable.
class MapListDialog : public ListFileEditor {
    Q_OBJECT

public:
    MapListDialog(const QString& programDir, Prompts& prompts, std::function<void()> reloadBoxes,
                  QWidget* parent = nullptr);

    // What the memo shows while there is no maps.lst.
    static QStringList initialLines();

    QPlainTextEdit* const mmoMapList;
};
