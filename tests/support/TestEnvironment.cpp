#include "TestEnvironment.h"

#include "platform/IniFile.h"
#include "settings/Engine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestEnvironment::TestEnvironment()
    : oldConfigHome_(qgetenv("XDG_CONFIG_HOME")), oldHome_(qgetenv("HOME")),
      oldDataHome_(qgetenv("XDG_DATA_HOME")), oldCurrent_(QDir::currentPath()) {
    QDir().mkpath(configHome());
    QDir().mkpath(programDir());
    QDir().mkpath(baseDir());
    QDir().mkpath(root() + QStringLiteral("/home"));
    // Start-up reads the base directory's config.cfg when vexa.ini names none that exists.
    QFile(baseDir() + QStringLiteral("/config.cfg")).open(QIODevice::WriteOnly);
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("HOME", (root() + QStringLiteral("/home")).toLocal8Bit());
    QDir::setCurrent(programDir());
    IniFile::clearCache();
    setCurrentEngine(Engine::id); // what a start-up of an earlier test chose is not this one's
}

TestEnvironment::~TestEnvironment() {
    QDir::setCurrent(oldCurrent_);
    auto restore = [](const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("XDG_CONFIG_HOME", oldConfigHome_);
    restore("XDG_DATA_HOME", oldDataHome_);
    restore("HOME", oldHome_);
    IniFile::clearCache();
    setCurrentEngine(Engine::id);
}

void TestEnvironment::seedKnownDirectories() {
    IniFile ini(iniPath());
    ini.writeString(QStringLiteral("quake2"), QStringLiteral("path"), quake2Dir());
    ini.writeString(QStringLiteral("quake2"), QStringLiteral("baseq2"), baseDir());
}

QString TestEnvironment::writeFile(const QString& relativePath, const QByteArray& content) {
    const QString path = QDir(root()).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
    return path;
}

QString TestEnvironment::makeDir(const QString& relativePath) {
    const QString path = QDir(root()).filePath(relativePath);
    QDir().mkpath(path);
    return path;
}

QByteArray TestEnvironment::readFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TestEnvironment::writeStandInGame(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write("#!/bin/sh\n"
               "log=\"$0.log\"\n"
               "pwd > \"$log.tmp\"\n"
               "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$log.tmp\"; done\n"
               "mv \"$log.tmp\" \"$log\"\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                        QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                        QFileDevice::ExeOther);
}
