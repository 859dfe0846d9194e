#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The fuzz programs' private world: XDG_CONFIG_HOME, XDG_DATA_HOME and HOME
// point into one temporary directory for the whole run, so no input can reach the real
// home. It also holds a small Quake 2 installation with an empty baseq2/config.cfg.
class FuzzWorld {
public:
    // The world of this process, made on first use.
    static FuzzWorld& get();

    QString root() const { return dir_.path(); }
    QString configHome() const { return root() + QStringLiteral("/config"); }
    QString quake2Dir() const { return root() + QStringLiteral("/quake2"); }
    QString baseDir() const { return quake2Dir() + QStringLiteral("/baseq2"); }
    QString iniPath() const { return configHome() + QStringLiteral("/vexa.ini"); }

    // Replaces a file below the root with `content`; returns its full path.
    QString writeFile(const QString& relativePath, const QByteArray& content) const;
    static QByteArray readFile(const QString& path);

private:
    FuzzWorld();
    QTemporaryDir dir_;
};

// Stops the run with a message when a property does not hold; libFuzzer keeps the input.
[[noreturn]] void fuzzFailure(const char* what, const QByteArray& detail = {});
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzzFailure(#condition, detail);                                                       \
    } while (false)
