#pragma once

// A started main window in a private world, with helpers to read and write its config files.

#include "app/MainWindow.h"
#include "app/pages/ClientPage.h"
#include "app/pages/CommunicationsPage.h"
#include "app/pages/GamesPage.h"
#include "app/pages/GeneralPage.h"
#include "app/pages/MovementPage.h"
#include "app/pages/ServerPage.h"
#include "app/pages/SoundPage.h"
#include "app/pages/VideoPage.h"
#include "config/SettingControls.h"
#include "controls/BindingEdit.h"
#include "controls/SettingCheckBox.h"
#include "controls/SettingSpinBox.h"
#include "platform/IniFile.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QByteArray>
#include <QCheckBox>
#include <QString>
#include <QStringList>
#include <memory>

struct CfgWindowFixture {
    TestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;

    // `startupConfig` becomes Vexa's script in the base directory, which start-up reads after
    // the game's own (empty) config.cfg.
    explicit CfgWindowFixture(const QByteArray& startupConfig = {}) {
        env.seedKnownDirectories();
        env.writeFile(QStringLiteral("quake2/baseq2/vexa.cfg"), startupConfig);
        window = std::make_unique<MainWindow>(prompts);
    }

    MainWindow& w() { return *window; }

    void setIni(const char* key, const QString& value) {
        IniFile(env.iniPath()).writeString(QStringLiteral("vexa"), QLatin1String(key), value);
    }

    // Writes the window to <root>/out.cfg and returns the bytes on disk.
    QByteArray save() {
        window->saveCfgFile(env.root(), QStringLiteral("out.cfg"));
        return env.readFile(env.root() + QStringLiteral("/out.cfg"));
    }

    // Reads `text` as <root>/in.cfg into the window.
    void load(const QByteArray& text) {
        env.writeFile(QStringLiteral("in.cfg"), text);
        window->loadCfgFile(env.root(), QStringLiteral("in.cfg"));
    }

    SettingCheckBox* check(const char* command) {
        return qobject_cast<SettingCheckBox*>(window->settingControl(QLatin1String(command)));
    }
    SettingSpinBox* spin(const char* command) {
        return qobject_cast<SettingSpinBox*>(window->settingControl(QLatin1String(command)));
    }
    BindingEdit* binding(const char* command) {
        return qobject_cast<BindingEdit*>(window->settingControl(QLatin1String(command)));
    }
    QCheckBox* flagBox(const char* name) {
        return window->findChild<QCheckBox*>(QLatin1String(name));
    }
};

// The four key slots of a binding.
inline QStringList keySlots(const BindingEdit& binding) {
    return binding.values();
}

// Lines joined the way a config file ends them.
inline QByteArray crlfText(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// The lines of a file whose text begins with one of the prefixes, in file order.
inline QStringList linesStartingWith(const QByteArray& file, const QStringList& prefixes) {
    QStringList found;
    for (const QByteArray& line : file.split('\n')) {
        const QString text = QString::fromLatin1(line).chopped(line.endsWith('\r') ? 1 : 0);
        for (const QString& prefix : prefixes) {
            if (text.startsWith(prefix)) {
                found << text;
                break;
            }
        }
    }
    return found;
}
