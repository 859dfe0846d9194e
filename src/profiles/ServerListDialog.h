#pragma once

#include "ListFileEditor.h"

// "Server List": edits servers.txt, one server address (address:port) per line. Fixed size.
class ServerListDialog : public ListFileEditor {
    Q_OBJECT

public:
    ServerListDialog(const QString& programDir, Prompts& prompts, std::function<void()> reloadBoxes,
                     QWidget* parent = nullptr);

    // What the memo shows while there is no servers.txt.
    static QStringList initialLines();

    QPlainTextEdit* const mmoServerList;
};
