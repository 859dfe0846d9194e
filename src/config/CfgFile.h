#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

// The lines of a config script: how generated lines look, how the file is read and written,
// and how a line splits into the command and value the setting controls take.

// The five words of generated lines. The reader compares them without regard to case, but the
// written letter case is part of the file's layout.
namespace CfgWord {
inline constexpr char set[] = "set";     // fixed settings
inline constexpr char Set[] = "Set";     // setting controls, server lines, profile settings
inline constexpr char bind[] = "bind";   // message keys
inline constexpr char Bind[] = "Bind";   // binding controls, profile bindings
inline constexpr char alias[] = "alias"; // message aliases
} // namespace CfgWord

// word, blank, name, blank, the value in double quotes. The value goes in verbatim: no escaping,
// no trimming. The word is in lower case for an engine that takes commands only so.
QString cfgLine(const char* word, const QString& name, const QString& value);
void appendCfgLine(QStringList& lines, const char* word, const QString& name, const QString& value);

// Two empty lines and the three closing comments.
void appendClosingLines(QStringList& lines);

// Every line followed by CR LF, Latin-1, no byte-order mark, replacing the file atomically.
// Throws VexaError "Cannot create file %s"; the file on disk is then unchanged.
void writeCfgFile(const QString& fileName, const QStringList& lines);

// Replaces `cfgLines` by the file's lines (CR, LF or CR LF end a line; nothing trimmed). Throws
// VexaError "Cannot open file %s", leaving `cfgLines` empty.
void readCfgFile(const QString& fileName, QStringList& cfgLines);

// What one line gives the setting controls:
//   set NAME VALUE   -> command NAME (quotes removed, trimmed, case kept),
//                       value VALUE (quotes removed, trimmed, lower-cased)
//   bind KEY COMMAND -> command COMMAND (quotes removed, trimmed, lower-cased),
//                       value KEY (quotes removed, trimmed, case kept)
//   anything else    -> command "Other", value "Nothing", which no control carries.
// Only the blank separates; the first word is compared without regard to case.
struct SettingLine {
    QString command;
    QString value;
    friend bool operator==(const SettingLine&, const SettingLine&) = default;
};
SettingLine splitCfgLine(const QString& line);
QVector<SettingLine> SplitCfgLines(const QStringList& cfgLines);

// The parts splitCfgLine takes from a line, as views into it: blanks and quotes trimmed at the
// ends, quotes within still there (withoutQuotes removes them), letter case as written.
struct CfgLineParts {
    enum Word { Other, Set, Bind } word = Other;
    QStringView command;
    QStringView value;
};
CfgLineParts cfgLineParts(QStringView line);
QString withoutQuotes(QStringView part);
