// The contents of the main window's tabs. Setting controls are made from the catalogue, tab by
// tab in catalogue order, so the depth-first widget order is the catalogue's; layouts then put
// every widget in its place without changing that order (a layout never reparents a widget that
// already belongs to the page).

#include "app/MainWindow.h"

#include "app/MultiRowTabWidget.h"
#include "app/Pictures.h"
#include "app/WidgetHelpers.h"
#include "app/pages/CatalogueLayout.h"
#include "app/pages/PageLayout.h"
#include "config/DeathmatchFlags.h"
#include "controls/Catalogue.h"
#include "controls/CatalogueControls.h"
#include "controls/ChoiceBox.h"
#include "controls/KeyNames.h"
#include "controls/MaskedNumberEdit.h"
#include "controls/SettingCheckBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

using namespace PageLayout;

// ---------------------------------------------------------------------------------------------
// Catalogue controls

QWidget* MainWindow::settingControl(const QString& command) const {
    return catalogueLayout_.control(command);
}

QObject* MainWindow::namedObject(const QString& name) const {
    QPointer<QObject>& found = namedObjects_[name];
    if (!found)
        found = findChild<QObject*>(name);
    return found;
}

// ---------------------------------------------------------------------------------------------
// Enabling rules

void MainWindow::sbcin_mouseClick() {
    auto* useMouse = qobject_cast<SettingCheckBox*>(settingControl(QStringLiteral("in_mouse")));
    settingControl(QStringLiteral("freelook"))->setEnabled(useMouse->isChecked());
}

void MainWindow::sbcallow_downloadClick() {
    auto* allow = qobject_cast<SettingCheckBox*>(settingControl(QStringLiteral("allow_download")));
    for (const char* command : {"allow_download_maps", "allow_download_models",
                                "allow_download_sounds", "allow_download_players"})
        settingControl(QString::fromLatin1(command))->setEnabled(allow->isChecked());
}
