#pragma once

#include <QString>
#include <memory>

class QMainWindow;

// The widgets of a main window as text: its size, the menus with their item counts, and per
// container how many widgets of each Qt kind it holds, tab pages nested as they are. A control
// Qt builds from parts (a combo box, a list, a spin box) counts once, as what it is; the widgets
// below a plain widget, frame or group box are counted in the page that holds them.
QString describeWindow(const QMainWindow& window);

// A bare window holding the widgets a description names, laid out in grids, with no data.
// Returns nullptr for a description it cannot read.
std::unique_ptr<QMainWindow> buildWindow(const QString& description);
