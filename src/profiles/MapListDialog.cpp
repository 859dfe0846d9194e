#include "MapListDialog.h"

#include "MapLists.h"

#include <utility>

MapListDialog::MapListDialog(const QString& programDir, Prompts& prompts,
                             std::function<void()> reloadBoxes, QWidget* parent)
    : ListFileEditor({"frmMapList", QStringLiteral("Map List"), "mmoMapList",
                      QLatin1String(MapLists::MapListName), initialLines(), true, QSize(300, 240)},
                     programDir, prompts, std::move(reloadBoxes), parent),
      mmoMapList(memo()) {}

QStringList MapListDialog::initialLines() {
    return {QStringLiteral("Type Here to Add Maps."), QStringLiteral("example:"),
            QStringLiteral("exMap \"My Map\"")};
}
