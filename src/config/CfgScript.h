#pragma once

#include "ConfigScript.h"
#include "platform/FoldedText.h"
#include "settings/Engine.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

// A config script as the game runs it, read by the engine's rules (ConfigScript). The last
// "set" of a variable wins (also "seta" where the engine has it, or the variable's own name as
// the command), the last "bind" of a key wins, "unbind" and "unbindall" clear keys, "alias"
// defines a command of commands and calling it runs them.

// Whether a key name can be written as the word after "bind" and read back as the same key:
// no blank or control character, quote or semicolon, and no "//" to start it.
bool isWritableKey(QStringView key);

// Keys as the game tells them apart: a single character as it is, a key name in any letter case.
struct KeyHash {
    using is_transparent = void;
    size_t operator()(QStringView key) const;
};
struct KeyEqual {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const;
};
template <typename T> using KeyMap = std::unordered_map<QString, T, KeyHash, KeyEqual>;

// The variables a window shows, each in a slot, under every name the game takes for it.
class CfgVariables {
public:
    // A name already added keeps its slot.
    void add(QStringView name, int slot);
    // The slot of the variable, letter case ignored; -1 when it is none of these.
    int slotOf(QStringView name) const;
    int slotCount() const { return slotCount_; }

private:
    FoldedHashMap<int> slots_;
    int slotCount_ = 0;
};

// Adds a variable under every name the engine takes for it: its own, with Yamagi the name it is
// renamed to and every other old name of that, and the name Vexa once wrote for it.
void addVariable(CfgVariables& variables, QStringView name, int slot, Engine engine);

// What a load left for the next save about one setting: the text the file gave its variable
// (nothing when it gave none), the value the setting stood for right after the load, and
// whether a file was read at all (not so for a new config, or an empty file).
struct CfgOrigin {
    std::optional<QString> read;
    QString loaded;
    bool fileRead = false;

    // The text to write for a setting that read one, standing for `current` now: the file's own
    // text while the setting still stands for what it stood for after the load, so that "8.5"
    // or ".14" stay as they were; else the value now.
    // Where the value shown came from ("autoexec.cfg, line 3"); empty when no file gave one.
    QString source;
    // What the setting would hold without the file, as the game's own files run before it
    // leave it (else its default); nothing when unknown.
    std::optional<QString> under;

    bool cameFromFile() const { return read || !source.isEmpty(); }

    QString textFor(const QString& current) const {
        return read && current == loaded ? *read : current;
    }
    // Whether a setting that read nothing writes by the writer's own rules: in a new config, or
    // once the user changed it. Unchanged, it writes nothing, and the game keeps its own value.
    bool followsRules(const QString& current) const {
        return !read && (!fileRead || current != loaded);
    }
};

// Vexa's own lines at the end of a file it wrote: the profile entries from "//Globals Settings"
// on and the closing comments, with the blank lines before them. They are made anew from the
// profiles at every save.
struct CfgLineRange {
    qsizetype from = 0;
    qsizetype to = 0; // one past the last
    bool contains(qsizetype line) const { return line >= from && line < to; }
};
CfgLineRange ownClosingLines(const QStringList& lines);

// A file the game runs before the script (its config.cfg, autoexec.cfg), by its name as the
// player knows it, and its lines.
struct CfgGameFile {
    QString name;
    QStringList lines;
};

// A script run once, from the first line to the last, leaving out Vexa's own closing lines. What
// the window's settings write themselves is "taken"; the lines left are kept as they are. The
// variables are only used while the script runs, in the constructor.
//
// The game's own files can run first, each on its own (a comment left open ends with its file),
// as the game runs them before the script: what they set, bind and define holds unless the
// script says otherwise, but none of their lines is kept.
class CfgScript {
public:
    CfgScript(const QStringList& lines, const CfgVariables& variables, Engine engine,
              const std::vector<CfgGameFile>& gameFiles = {});

    // Neither the script nor a game file has a line: it says nothing, and saving makes a new
    // config.
    bool isEmpty() const { return lines_.isEmpty(); }

    // The value a slot's variable ends with, or nothing when the script sets none. A value
    // with a quote in it could not be written back in quotes: it counts as none, and its line
    // is kept.
    std::optional<QString> value(int slot) const;
    // The line that set the value, or -1.
    qsizetype valueLine(int slot) const { return value(slot) ? valueLines_[size_t(slot)] : -1; }
    // Whether the value comes from the script itself, not from a game file run before it.
    bool setByScript(int slot) const;
    // Where the value was set: "autoexec.cfg, line 3"; empty for none.
    QString sourceOf(int slot) const;
    // Where a line (from 0, over the game files and the script in their order) stands: the
    // file's name and the line's number from 1; empty for -1 (a binding an alias made).
    QString sourceOfLine(qsizetype line) const;
    // The same as "autoexec.cfg:3", as tools print a place in a file.
    QString placeOfLine(qsizetype line) const;
    // The script's own name in those texts (without one, "line 3").
    void setScriptName(const QString& name) { scriptName_ = name; }
    // Whether the line belongs to the script, not to a game file.
    bool isScriptLine(qsizetype line) const { return line >= firstScriptLine_; }

    // A key bound at the end, and the line of the command that bound it (-1 when an alias run
    // at load bound it). The texts are views into the script, valid while it lives.
    struct Binding {
        QStringView key;
        QStringView command;
        qsizetype line = -1;
        qsizetype sourceLine = -1; // the line whose command bound it, an alias's call too
    };
    // In the order of the commands that bound them.
    std::vector<Binding> bindings() const;

    // An alias's commands at the end, or nothing.
    std::optional<QString> aliasBody(QStringView name) const;

    // A window setting writes this binding or alias itself: its command no longer keeps its line.
    void take(const Binding& binding);
    void takeAlias(QStringView name);

    // The lines that keep a command no window setting took or wrote, and the comments and blank
    // lines, in file order; never Vexa's own closing lines.
    QStringList keptLines() const;
    // How many of them are not blank.
    qsizetype keptLineCount() const;
    // Whether the line (from 0) is one of them.
    bool isKept(qsizetype line) const;

private:
    struct KeyBinding {
        QStringView key;
        QStringView command;
        qsizetype line;
        quint64 order;
        qsizetype sourceLine;
    };
    struct Alias {
        QStringView body;
        qsizetype line;
    };

    void runLines(qsizetype from, qsizetype count);
    // The file's name and the line's number in it, from 1.
    std::pair<QString, qsizetype> fileAndLine(qsizetype line) const;
    void runCommand(const ScriptCommand& command);
    std::optional<QStringView> run(const CfgWords& words, qsizetype line, bool& taken);
    bool runSet(const CfgWords& words, ScriptVerb verb);
    void runBind(const CfgWords& words, qsizetype line);
    void runAlias(const CfgWords& words, qsizetype line);
    QStringView joined(const CfgWords& words, qsizetype first);
    QStringView value(const CfgWords& words, qsizetype first, qsizetype count);
    bool setVariable(QStringView name, QStringView value);
    void release(qsizetype line);

    static constexpr int NoWords = -1;
    static constexpr int Blank = -2;

    // Every text the script's views point into: the lines, and words joined by blanks.
    const QStringList lines_;
    std::deque<QString> joined_;
    Engine engine_;
    const CfgVariables* variables_; // while the constructor runs the script
    // The game files' names and their first lines; the script's lines come after them all.
    std::vector<std::pair<QString, qsizetype>> gameFiles_;
    qsizetype firstScriptLine_ = 0;
    qsizetype runningLine_ = -1;
    QString scriptName_;
    CfgLineRange own_;
    // Per line: how many of its commands keep it, NoWords for a comment, Blank for a blank line.
    std::vector<int> open_;
    std::vector<std::optional<QStringView>> values_;
    std::vector<qsizetype> valueLines_; // the line that set each value; -1 for none
    std::unordered_map<QStringView, KeyBinding, KeyHash, KeyEqual> keys_;
    AliasMap<Alias> aliases_;
    AliasRunner aliasRunner_;
    quint64 order_ = 0;
};

// What a list of lines overrides when the game runs it after others: the variables it sets,
// the keys it binds or unbinds, the aliases it defines, the master servers.
class CfgOverrides {
public:
    CfgOverrides(const QStringList& lines, Engine engine);
    // The lines run after those given before.
    void add(const QStringList& lines);
    // Whether the command loses its effect to these lines.
    bool overrides(const CfgWords& words) const;
    // Whether these lines bind or unbind the key.
    bool bindsKey(QStringView key) const;
    Engine engine() const { return engine_; }

private:
    Engine engine_;
    FoldedHashMap<bool> variables_;
    KeyMap<bool> keys_;
    FoldedHashMap<bool> aliases_;
    bool master_ = false;
    bool allKeys_ = false;
};

// The kept lines to write before the lines `later` stands for: those with a command that keeps
// an effect after them (a line without commands keeps none and stays), and the comments and blank
// lines, without blank lines at the end, then one blank line to set them apart (none at all when
// nothing is kept).
QStringList keptLinesBefore(const QStringList& kept, const CfgOverrides& later);

// "unbind <key>" for each key the file bound to a setting that the lines `later` stands for no
// longer bind, so that a key taken away from a setting is free in the game too. A key the
// engine refuses to rebind is left alone: unbinding it could leave the player without it.
QStringList unbindLines(const QStringList& takenKeys, const CfgOverrides& later, Engine engine);
