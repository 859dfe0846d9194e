// The main window's lookups of its setting controls and named widgets, and the rules by which
// one setting enables others. The tabs themselves are the classes in pages/.

#include "app/MainWindow.h"

#include "config/SettingControls.h"
#include "controls/SettingCheckBox.h"
#include "settings/Engine.h"

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

// An engine without in_mouse always reads the mouse: Mouse Look stays whatever the box says.
void MainWindow::mouseEnabledChanged() {
    auto* useMouse = qobject_cast<SettingCheckBox*>(settingControl(QStringLiteral("in_mouse")));
    settingControl(QStringLiteral("freelook"))
        ->setEnabled(useMouse->isChecked() ||
                     !engineKnowsCvar(currentEngine(), QStringLiteral("in_mouse")));
}

void MainWindow::downloadsAllowedChanged() {
    auto* allow = qobject_cast<SettingCheckBox*>(settingControl(QStringLiteral("allow_download")));
    for (const char* command : {"allow_download_maps", "allow_download_models",
                                "allow_download_sounds", "allow_download_players"})
        settingControl(QString::fromLatin1(command))->setEnabled(allow->isChecked());
}
