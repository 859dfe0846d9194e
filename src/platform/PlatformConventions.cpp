#include "PlatformConventions.h"

#include <QDir>

namespace {

// The texts that differ between the two styles, side by side.
struct StyleTexts {
    QChar separator;
    const char* lineEnding;
    const char* gameExecutable;
    const char* gameExecutableFilter;
    const char* batchFileFilter;
    const char* driverExtension;
    const char* batchFileName;
};

const StyleTexts windowsTexts{
    QLatin1Char('\\'),     "\r\n", "quake2.exe", "Quake2.exe (quake2.exe)",
    "Batch Files (*.bat)", ".dll", "vexa.bat"};
// The engines' programs go by several names on Linux (quake2, yquake2, q2pro): the picker
// offers them first, and every file after them.
const StyleTexts posixTexts{
    QLatin1Char('/'),     "\n",  "quake2", "Quake 2 programs (quake2 yquake2 q2pro);;All files (*)",
    "Batch Files (*.sh)", ".so", "vexa.sh"};

const StyleTexts& textsOf(PlatformConventions::Style style) {
    return style == PlatformConventions::Style::Windows ? windowsTexts : posixTexts;
}

bool isDriveLetter(QChar c) {
    return c.unicode() < 128 && c.isLetter();
}

} // namespace

const PlatformConventions& PlatformConventions::windows() {
    static const PlatformConventions instance(Style::Windows);
    return instance;
}

const PlatformConventions& PlatformConventions::posix() {
    static const PlatformConventions instance(Style::Posix);
    return instance;
}

const PlatformConventions& PlatformConventions::native() {
#ifdef Q_OS_WIN
    return windows();
#else
    return posix();
#endif
}

QChar PlatformConventions::separator() const {
    return textsOf(style_).separator;
}

QString PlatformConventions::lineEnding() const {
    return QString::fromLatin1(textsOf(style_).lineEnding);
}

QString PlatformConventions::gameExecutable() const {
    return QString::fromLatin1(textsOf(style_).gameExecutable);
}

QString PlatformConventions::gameExecutableFilter() const {
    return QString::fromLatin1(textsOf(style_).gameExecutableFilter);
}

QString PlatformConventions::batchFileFilter() const {
    return QString::fromLatin1(textsOf(style_).batchFileFilter);
}

QString PlatformConventions::driverPattern() const {
    return QLatin1Char('*') + driverExtension();
}

QString PlatformConventions::driverExtension() const {
    return QString::fromLatin1(textsOf(style_).driverExtension);
}

QString PlatformConventions::browseRoot() const {
    return style_ == Style::Windows ? QStringLiteral("c:\\") : QStringLiteral("/");
}

QString PlatformConventions::home() const {
    return style_ == Style::Windows ? QStringLiteral("c:\\") : QDir::homePath();
}

QString PlatformConventions::defaultQuake2Dir() const {
    return join(home(), QStringLiteral("quake2"));
}

QString PlatformConventions::defaultBaseDir() const {
    return join(defaultQuake2Dir(), QStringLiteral("baseq2"));
}

QString PlatformConventions::defaultConfigFile() const {
    return join(defaultBaseDir(), QStringLiteral("config.cfg"));
}

QString PlatformConventions::defaultBatchFile() const {
    return join(defaultQuake2Dir(), QString::fromLatin1(textsOf(style_).batchFileName));
}

QString PlatformConventions::batchFileIn(const QString& quake2Dir) const {
    if (quake2Dir.isEmpty() || isRoot(quake2Dir))
        return defaultBatchFile();
    return join(quake2Dir, QString::fromLatin1(textsOf(style_).batchFileName));
}

QString PlatformConventions::absolutePath(const QString& directory, const QString& path) const {
    // A drive ("c:", "\\server\share") or a leading separator anchors the name already.
    if (path.isEmpty() || driveLength(path) > 0 || isSeparator(path[0]))
        return path;
    QStringView rest(path);
    while (rest.size() > 2 && rest[0] == QLatin1Char('.') && isSeparator(rest[1]))
        rest = rest.sliced(2);
    return join(directory, rest.toString());
}

bool PlatformConventions::isSeparator(QChar c) const {
    // Windows accepts the forward slash too, and Qt's dialogs hand paths over with it.
    return c == QLatin1Char('/') || (style_ == Style::Windows && c == QLatin1Char('\\'));
}

qsizetype PlatformConventions::driveLength(const QString& path) const {
    if (style_ != Style::Windows)
        return 0;
    if (path.size() >= 2 && isDriveLetter(path[0]) && path[1] == QLatin1Char(':'))
        return 2;
    // A network share ("\\server\share") plays the part of the drive.
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        qsizetype i = 2;
        for (int part = 0; part < 2 && i < path.size(); ++part) {
            while (i < path.size() && !isSeparator(path[i]))
                ++i;
            if (part == 0 && i < path.size())
                ++i;
        }
        return i;
    }
    return 0;
}

qsizetype PlatformConventions::lastSeparator(const QString& path) const {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path[i]))
            return i;
    return -1;
}

PlatformConventions::PathParts PlatformConventions::splitPath(const QString& path) const {
    const qsizetype driveEnd = driveLength(path);
    const qsizetype last = lastSeparator(path);
    PathParts parts;
    parts.drive = path.left(driveEnd);
    if (last < driveEnd) {
        parts.fileName = path.mid(driveEnd);
        return parts;
    }
    parts.fileName = path.mid(last + 1);
    // The separator that ends the directory goes, unless it is the root's only one.
    qsizetype dirEnd = last;
    while (dirEnd > driveEnd && isSeparator(path[dirEnd - 1]))
        --dirEnd;
    parts.directory =
        dirEnd == driveEnd ? QString(path[driveEnd]) : path.mid(driveEnd, dirEnd - driveEnd);
    return parts;
}

QString PlatformConventions::directoryOf(const QString& path) const {
    const PathParts parts = splitPath(path);
    return parts.drive + parts.directory;
}

QString PlatformConventions::fileNameOf(const QString& path) const {
    return splitPath(path).fileName;
}

QString PlatformConventions::join(const QString& directory, const QString& name) const {
    if (directory.isEmpty())
        return name;
    if (isSeparator(directory.back()))
        return directory + name;
    return directory + separator() + name;
}

bool PlatformConventions::isRoot(const QString& directory) const {
    const qsizetype driveEnd = driveLength(directory);
    return directory.size() == driveEnd + 1 && isSeparator(directory[driveEnd]);
}
