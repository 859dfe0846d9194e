#pragma once

#include <QString>

// Everything that differs between Windows and POSIX conventions lives here, so that pure
// functions can be tested in both styles on any host and nothing else hard-codes a separator,
// an executable name or a default directory.
class PlatformConventions {
public:
    enum class Style { Windows, Posix };

    static const PlatformConventions& windows();
    static const PlatformConventions& posix();
    static const PlatformConventions& native();

    Style style() const { return style_; }
    QChar separator() const;              // '\' or '/'
    QString lineEnding() const;           // batch file: "\r\n" or "\n"
    QString gameExecutable() const;       // "quake2.exe" or "quake2"
    QString gameExecutableFilter() const; // file dialog filter for the game program
    QString batchFileFilter() const;      // "Batch Files (*.bat)" or "Batch Files (*.sh)"
    QString driverPattern() const;        // "*.dll" or "*.so"
    QString driverExtension() const;      // ".dll" or ".so"
    QString browseRoot() const;           // "c:\" or "/": dialogs start here; stored on cancel

    // Defaults ("c:\quake2" and friends); POSIX ones live under $HOME.
    QString defaultQuake2Dir() const;
    QString defaultBaseDir() const;
    QString defaultConfigFile() const;
    QString defaultBatchFile() const;
    // The batch file's default for a Quake 2 directory: beside the game once the directory is
    // known, defaultBatchFile() while it is not (empty, or the root a cancelled search leaves).
    QString batchFileIn(const QString& quake2Dir) const;

    // A file name as typed, made absolute against `directory` when it is relative ("myrun.sh",
    // "./myrun.sh", "sub/run.sh"); an absolute or empty name stays as it is.
    QString absolutePath(const QString& directory, const QString& path) const;

    // A chosen path split the way the file dialogs hand it over.
    struct PathParts {
        QString drive;     // "c:" on Windows, empty on POSIX
        QString directory; // with its leading separator, without a trailing one ("\quake2")
        QString fileName;  // "quake2.exe"
    };
    PathParts splitPath(const QString& path) const;

    // The directory part of a full path, drive included, without a trailing separator except
    // for a root ("c:\" or "/"): "c:\quake2\vexa.bat" gives "c:\quake2", "c:\a.bat" gives "c:\".
    QString directoryOf(const QString& path) const;
    QString fileNameOf(const QString& path) const;

    // Directory + one separator + name, also when the directory already ends in a separator.
    QString join(const QString& directory, const QString& name) const;

    bool isRoot(const QString& directory) const;

    // '\' or '/' in the Windows style (the system accepts both), '/' in the POSIX style.
    bool isSeparator(QChar c) const;

private:
    explicit PlatformConventions(Style style) : style_(style) {}
    QString home() const;
    qsizetype driveLength(const QString& path) const; // "c:" or "\\server\share"; 0 on POSIX
    qsizetype lastSeparator(const QString& path) const;
    Style style_;
};
