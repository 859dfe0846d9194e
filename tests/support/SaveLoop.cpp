#include "SaveLoop.h"

#include "config/CfgFile.h"
#include "launch/BatchFile.h"
#include "platform/IniFile.h"
#include "platform/VexaIni.h"
#include "profiles/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace SaveLoop {

namespace {

constexpr int LineCount = 10000; // about half a megabyte per file

const char* const names[] = {"config", "script", "profile", "ini"};

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray padding(int line) {
    return QByteArray::number(line) + ' ' + QByteArray(40, char('a' + line % 26));
}

QStringList configLines(int version) {
    QStringList lines;
    lines.reserve(LineCount);
    for (int i = 0; i < LineCount; ++i)
        lines << cfgLine(CfgWord::Bind, QStringLiteral("k%1").arg(i),
                         QStringLiteral("say version %1 %2").arg(version).arg(i));
    appendClosingLines(lines);
    return lines;
}

// One alias of many lines: every save rewrites all of them.
QByteArray profileText() {
    QByteArray text = "[NumberOfSections]\r\naliases=1\r\nbindings=0\r\nsettings=0\r\n"
                      "[Alias1]\r\nDescriptiveName=big\r\nAliasName=big\r\nchecked=false\r\n"
                      "AliasLines=" +
                      QByteArray::number(LineCount) + "\r\n";
    for (int i = 1; i <= LineCount; ++i)
        text += "Aline" + QByteArray::number(i) + "=alias a" + padding(i) + "\r\n";
    return text;
}

QByteArray iniText() {
    QByteArray text = "[quake2]\r\npath=/q2\r\n[vexa]\r\nconfigfile=none\r\n[history]\r\n";
    for (int i = 0; i < LineCount; ++i)
        text += "entry" + QByteArray::number(i) + '=' + padding(i) + "\r\n";
    return text;
}

} // namespace

QString kindName(Kind kind) {
    return QLatin1String(names[int(kind)]);
}

bool kindFromName(const QString& name, Kind& kind) {
    for (int i = 0; i < int(std::size(names)); ++i) {
        if (name == QLatin1String(names[i])) {
            kind = Kind(i);
            return true;
        }
    }
    return false;
}

void prepare(Kind kind, const QString& path) {
    switch (kind) {
    case Kind::Config:
    case Kind::LaunchScript:
        writeBytes(path, QByteArray());
        break;
    case Kind::Profile:
        writeBytes(path, profileText());
        break;
    case Kind::VexaIni:
        writeBytes(path, iniText());
        break;
    }
}

void save(Kind kind, const QString& path, int version) {
    switch (kind) {
    case Kind::Config:
        writeCfgFile(path, configLines(version));
        break;
    case Kind::LaunchScript:
        writeBatchFile(path, QStringLiteral("/games/quake2"),
                       {{QStringLiteral("+map"), QString(LineCount * 50, QChar(u'a' + version))},
                        {QStringLiteral("+exec"), QStringLiteral("config.cfg")}});
        break;
    case Kind::Profile:
        ProfileFile::setEntryChecked(path, EntryKind::Alias, 1, version == 1);
        break;
    case Kind::VexaIni: {
        IniFile ini(path);
        VexaIni::write(ini, VexaIni::ConfigFile,
                       QStringLiteral("/q2/baseq2/version%1.cfg").arg(version));
        break;
    }
    }
}

} // namespace SaveLoop
