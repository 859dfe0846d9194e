#include "CfgProfileEntries.h"

#include "ProfileFile.h"
#include "config/CfgFile.h"

#include <optional>

namespace {

enum class ProfileScope { Global, Game };

void appendHeader(QStringList& lines, const char* header) {
    lines << QString() << QLatin1String(header);
}

void appendAliases(QStringList& lines, const QVector<ProfileAlias>& aliases, ProfileScope scope) {
    if (aliases.isEmpty())
        return;
    appendHeader(lines, "//--Aliases--");
    for (const ProfileAlias& alias : aliases) {
        if (!alias.checked)
            continue;
        if (scope == ProfileScope::Global) {
            lines << QStringLiteral("//....") + alias.descriptiveName + QStringLiteral("....");
            lines += alias.lines;
        } else {
            // The game drops a line whose quotes do not pair up; a closing quote mends an
            // open one and would break a whole one.
            for (const QString& line : alias.lines)
                lines << (line.count(u'"') % 2 != 0 ? line + u'"' : line);
        }
    }
}

void appendBindings(QStringList& lines, const QVector<ProfileBinding>& bindings) {
    if (bindings.isEmpty())
        return;
    appendHeader(lines, "//--Bindings--");
    for (const ProfileBinding& binding : bindings) {
        if (binding.checked)
            appendCfgLine(lines, CfgWord::Bind, binding.key, binding.command);
    }
}

void appendSettings(QStringList& lines, const QVector<ProfileSetting>& settings) {
    if (settings.isEmpty())
        return;
    appendHeader(lines, "//--Settings--");
    for (const ProfileSetting& setting : settings) {
        if (setting.checked)
            appendCfgLine(lines, CfgWord::Set, setting.name, setting.value);
    }
}

void appendEntries(QStringList& lines, const ProfileEntries& entries, ProfileScope scope) {
    appendAliases(lines, entries.aliases, scope);
    appendBindings(lines, entries.bindings);
    appendSettings(lines, entries.settings);
}

} // namespace

void writeProfileEntries(QStringList& lines, const QString& programDir,
                         const QString& currentGame) {
    // Both profiles are read before anything is appended, so a malformed count leaves no part.
    const ProfileEntries global =
        ProfileFile::readProfileEntries(ProfileFile::globalProfilePath(programDir));
    std::optional<ProfileEntries> game;
    if (!currentGame.isEmpty())
        game = ProfileFile::readProfileEntries(
            ProfileFile::gameProfilePath(programDir, currentGame), CountReading::Strict);

    appendHeader(lines, "//Globals Settings");
    appendEntries(lines, global, ProfileScope::Global);
    if (game) {
        lines << QString() << QStringLiteral("//") + currentGame + QStringLiteral("Settings");
        appendEntries(lines, *game, ProfileScope::Game);
    }
}
