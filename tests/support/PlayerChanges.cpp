#include "support/PlayerChanges.h"

#include "app/MainWindow.h"
#include "app/pages/CommunicationsPage.h"
#include "controls/BindingEdit.h"
#include "controls/SettingSpinBox.h"

#include <QLineEdit>

void makeTheEveningsChanges(MainWindow& window) {
    const auto spin = [&window](const char* command) {
        return qobject_cast<SettingSpinBox*>(window.settingControl(QLatin1String(command)));
    };
    spin("fov")->setSupValue(100);
    spin("gun_x")->setSupValue(2);
    spin("cl_forwardspeed")->setSupValue(300);
    qobject_cast<BindingEdit*>(window.settingControl(QStringLiteral("+attack")))
        ->setSupValue(QStringLiteral("MOUSE3"));
    window.communicationsPage()->messageKey(0)->setText(QStringLiteral("F7"));
    window.communicationsPage()->messageText(0)->setText(QStringLiteral("gg"));
}
