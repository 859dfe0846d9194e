#include "ServerListDialog.h"

#include "MapLists.h"

#include <utility>

ServerListDialog::ServerListDialog(const QString& programDir, Prompts& prompts,
                                   std::function<void()> reloadBoxes, QWidget* parent)
    : ListFileEditor({"frmServerList", QStringLiteral("Server List"), "mmoServerList",
                      QLatin1String(MapLists::ServerListName), initialLines(), false,
                      QSize(260, 200)},
                     programDir, prompts, std::move(reloadBoxes), parent),
      mmoServerList(memo()) {}

QStringList ServerListDialog::initialLines() {
    // The example uses an address reserved for documentation and the game's usual port.
    return {QStringLiteral("Type Here to Add Servers."), QStringLiteral("example:"),
            QStringLiteral("192.0.2.10:27910")};
}
