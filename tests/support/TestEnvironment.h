#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private world for one test: XDG_CONFIG_HOME, HOME and the current directory point into a
// temporary directory, which also holds a small Quake 2 installation (with an empty
// baseq2/config.cfg). Everything is restored when the object goes.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString root() const { return dir_.path(); }
    QString configHome() const { return root() + QStringLiteral("/config"); }
    QString programDir() const { return root() + QStringLiteral("/program"); }
    QString quake2Dir() const { return root() + QStringLiteral("/quake2"); }
    QString baseDir() const { return quake2Dir() + QStringLiteral("/baseq2"); }
    QString iniPath() const { return configHome() + QStringLiteral("/vexa.ini"); }

    // Writes [quake2] path and baseq2 so that start-up asks nothing.
    void seedKnownDirectories();

    // Creates a file (and its directories) below the root; returns its full path.
    QString writeFile(const QString& relativePath, const QByteArray& content);
    QString makeDir(const QString& relativePath);
    QByteArray readFile(const QString& path) const;

    // A stand-in game program at `path`: a shell script that appends its working directory and
    // each argument, one per line, to `path` + ".log".
    static void writeStandInGame(const QString& path);

private:
    QTemporaryDir dir_;
    QByteArray oldConfigHome_, oldHome_, oldDataHome_;
    QString oldCurrent_;
};
