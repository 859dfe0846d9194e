#include "CommandLineCuts.h"

#include "platform/VexaError.h"

namespace {

enum class Place {
    Anywhere,
    WordStart,  // first in the value, or after a blank
    ValueStart, // first in the value
};

// Which commands a cut concerns: the engines read "+set" and its two words from the arguments
// themselves, every other command from the text they join the arguments into.
enum class Commands { All, ButSet };

struct Cut {
    std::optional<Engine> engine; // none: every engine
    char16_t character;
    Place place;
    Commands commands;
    const char* reason;
};

const Cut Cuts[] = {
    {std::nullopt, u';', Place::Anywhere, Commands::All, "a semicolon ends a console command"},
    {std::nullopt, u'\n', Place::Anywhere, Commands::All, "a line break ends a console command"},
    {std::nullopt, u'\r', Place::Anywhere, Commands::All, "a line break ends a console command"},
    {std::nullopt, u'"', Place::Anywhere, Commands::All,
     "the console takes double quotes as its own"},
    {Engine::id, u'+', Place::Anywhere, Commands::ButSet,
     "its command line ends a \"+\" command at any \"+\" or \"-\""},
    {Engine::id, u'-', Place::Anywhere, Commands::ButSet,
     "its command line ends a \"+\" command at any \"+\" or \"-\""},
    {Engine::yamagi, u'+', Place::Anywhere, Commands::ButSet,
     "its command line ends a \"+\" command at any \"+\""},
    {Engine::yamagi, u'-', Place::WordStart, Commands::ButSet,
     "its command line ends a \"+\" command at a \"-\" that begins a word"},
    {Engine::q2pro, u'+', Place::ValueStart, Commands::All,
     "its command line starts a new command at a word that begins with \"+\""},
};

bool isSet(const CommandPiece& piece) {
    return piece.command.startsWith(QLatin1String("+set "));
}

bool cutsAt(const Cut& cut, const QString& value, qsizetype at) {
    if (value[at] != QChar(cut.character))
        return false;
    switch (cut.place) {
    case Place::Anywhere:
        return true;
    case Place::WordStart:
        return at == 0 || value[at - 1] == QLatin1Char(' ');
    case Place::ValueStart:
        return at == 0;
    }
    return false;
}

QString characterName(QChar c) {
    if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
        return QStringLiteral("line break");
    return QLatin1Char('"') + c + QLatin1Char('"');
}

} // namespace

std::optional<CutValue> cutValue(const CommandLine& pieces, Engine engine) {
    for (const CommandPiece& piece : pieces) {
        for (qsizetype at = 0; at < piece.argument.size(); ++at) {
            for (const Cut& cut : Cuts) {
                if ((!cut.engine || *cut.engine == engine) &&
                    (cut.commands == Commands::All || !isSet(piece)) &&
                    cutsAt(cut, piece.argument, at))
                    return CutValue{piece, piece.argument[at], QString::fromLatin1(cut.reason)};
            }
        }
    }
    return std::nullopt;
}

QString cutValueMessage(const CutValue& cut, Engine engine) {
    return QStringLiteral("%1 would read \"%2\" of %3 only up to the %4: %5. Change the value "
                          "so that the game gets it whole.")
        .arg(QString::fromLatin1(engineFacts(engine).displayName), cut.piece.argument,
             cut.piece.command, characterName(cut.character), cut.reason);
}

void requireWholeValues(const CommandLine& pieces, Engine engine) {
    if (const auto cut = cutValue(pieces, engine))
        throw VexaError(cutValueMessage(*cut, engine));
}
