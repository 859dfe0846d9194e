#include "AddressBook.h"

#include "config/CfgScript.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace AddressBook {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Whether the line is one command that sets the cvar, and nothing else.
bool onlySets(const QString& line, const QString& cvar, Engine engine) {
    const CfgCommands commands = splitCfgCommands(line);
    int found = 0;
    bool sets = false;
    for (const QStringView command : commands) {
        const CfgWords words = cfgCommandWords(command, engine);
        if (words.isEmpty())
            continue;
        ++found;
        const auto verb = scriptVerb(words[0], engine);
        sets = words.size() >= 2 && (verb == ScriptVerb::Set || verb == ScriptVerb::SetFlagged) &&
               words[1].compare(cvar, Qt::CaseInsensitive) == 0;
    }
    return found == 1 && sets;
}

// A file Vexa did not write may end its lines with LF only: a new line follows its lead.
QString lineEndingOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CrLf;
    const QByteArray start = file.read(64 * 1024);
    return start.contains('\n') && !start.contains("\r\n") ? QStringLiteral("\n") : CrLf;
}

} // namespace

QString slotName(int slot) {
    return QStringLiteral("adr") + QString::number(slot);
}

QString gameScriptFolder(const EngineChoice& choice, const QString& baseDir) {
    const QString home = homeGameFolder(choice);
    return home.isEmpty() ? baseDir : home;
}

QStringList scriptFiles(const QString& folder) {
    const QDir dir(folder);
    return {dir.filePath(QStringLiteral("config.cfg")),
            dir.filePath(QStringLiteral("autoexec.cfg")), favouritesScript(folder)};
}

QString favouritesScript(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("vexa.cfg"));
}

QStringList read(const QStringList& files, Engine engine) {
    QStringList lines;
    for (const QString& file : files)
        if (QFileInfo::exists(file))
            lines += readScriptLines(file);
    CfgVariables variables;
    for (int slot = 0; slot < Slots; ++slot)
        addVariable(variables, slotName(slot), slot, engine);
    const CfgScript script(lines, variables, engine);
    QStringList book;
    for (int slot = 0; slot < Slots; ++slot)
        book << script.value(slot).value_or(QString()).trimmed();
    return book;
}

std::optional<int> firstFreeSlot(const QStringList& book) {
    for (int slot = 0; slot < Slots; ++slot)
        if (book.value(slot).trimmed().isEmpty())
            return slot;
    return std::nullopt;
}

void writeSlot(const QString& scriptPath, int slot, const QString& address, Engine engine) {
    const bool exists = QFileInfo::exists(scriptPath);
    QStringList lines = exists ? TextFile::readLines(scriptPath) : QStringList();
    const QString cvar = slotName(slot);
    lines.removeIf([&](const QString& line) { return onlySets(line, cvar, engine); });
    lines << QStringLiteral("set %1 \"%2\"").arg(cvar, address);
    TextFile::writeLines(scriptPath, lines, exists ? lineEndingOf(scriptPath) : CrLf);
}

} // namespace AddressBook
