#pragma once

#include "app/MainWindow.h"
#include "platform/IniFile.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// A main window started on the test environment's Quake 2 installation, with a config file and
// the known directories in vexa.ini, so that start-up asks nothing.
struct LaunchSession {
    TestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
    const QString configFile = env.baseDir() + QStringLiteral("/vexa.cfg");
    const QString batchFile = env.quake2Dir() + QStringLiteral("/vexa.sh");
    const QString gameProgram = env.quake2Dir() + QStringLiteral("/quake2");

    LaunchSession() {
        env.seedKnownDirectories();
        env.writeFile(QStringLiteral("quake2/baseq2/vexa.cfg"), "set name \"Player\"\r\n");
        setIni("vexa", "configfile", configFile);
        setIni("vexa", "batchfile", batchFile);
    }

    MainWindow& start() {
        window = std::make_unique<MainWindow>(prompts);
        return *window;
    }

    void setIni(const char* section, const char* key, const QString& value) {
        IniFile(env.iniPath()).writeString(section, key, value);
    }
    QString ini(const char* section, const char* key) const {
        return IniFile(env.iniPath()).readString(section, key, QStringLiteral("<missing>"));
    }
    QByteArray iniBytes() const { return env.readFile(env.iniPath()); }
    QString statusText() const { return window->messageBar()->currentMessage(); }
};

// Runs `act` on the next modal dialog once it shows (checked every 20 ms, for up to 10 s).
inline void whenModalShows(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poll, &QTimer::timeout, [poll, act, started] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            act(modal);
        } else if (started->elapsed() > 10000) {
            poll->deleteLater();
            poll->stop();
        }
    });
    poll->start(20);
}
