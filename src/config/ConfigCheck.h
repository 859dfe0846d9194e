#pragma once

#include "settings/Engine.h"

#include <QList>
#include <QString>
#include <QStringList>

// What in a config script the game silently ignores or takes otherwise than meant, found with the
// engine's own names and rules. Each finding belongs to one line; a note tells of something that
// works, a warning of something that does not do what it says.
struct ConfigFinding {
    enum Kind {
        UnknownCvar,      // not registered, a registered name is near: "did you mean"
        CvarCase,         // a registered name in another letter case: a new, unused cvar
        RenamedCvar,      // an old name the engine renames (a note)
        UnknownKey,       // bind refuses the key name
        CapitalLetterKey, // a capital letter the game never sends
        RefusedKey,       // a key the engine refuses to rebind
        DuplicateBinding, // bound again to another command: the earlier binding is lost
        UnmatchedQuote,   // the game discards the command
        DedicatedServer,  // "set dedicated 1" makes every start a server
        ValueOutOfRange,  // outside what the game takes for the cvar
        CommandCase,      // Q2PRO knows command words in lower case only
        NotACommand,      // a command of another engine ("seta" in id 3.21)
        SetRefused,       // "set" with a count of words the engine refuses
        TooLong,          // too long for the command buffer: exec skips the whole script
    };
    int line = 0; // from 1
    Kind kind = UnknownCvar;
    QString text;

    bool isNote() const { return kind == RenamedCvar; }
    friend bool operator==(const ConfigFinding&, const ConfigFinding&) = default;
};

// Every finding for the script's lines (as readScriptLines gives them), in line order.
QList<ConfigFinding> checkConfig(const QStringList& lines, Engine engine);

// Why exec skips the whole script, too long for the engine's command buffer; else empty.
QString scriptSizeWarning(const QStringList& lines, Engine engine);

// "FILE:LINE: warning: text", or "note:" for a note: the form editors and terminals jump to.
QString findingLine(const QString& fileName, const ConfigFinding& finding);
