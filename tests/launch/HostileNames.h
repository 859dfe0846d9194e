#pragma once

#include <QString>
#include <QStringList>

// Values a shell would take apart or act on if they reached it unquoted. Each of the harmful
// ones would leave a file named PWNED behind.
inline QStringList hostileNames() {
    return {
        QStringLiteral("with blanks"),
        QStringLiteral("  blanks around  "),
        QStringLiteral("tab\there"),
        QStringLiteral("it's \"quoted\""),
        QStringLiteral("'"),
        QStringLiteral("\""),
        QStringLiteral("x; touch PWNED"),
        QStringLiteral("a && touch PWNED || b"),
        QStringLiteral("x & touch PWNED"),
        QStringLiteral("x | touch PWNED"),
        QStringLiteral("$(touch PWNED)"),
        QStringLiteral("`touch PWNED`"),
        QStringLiteral("$HOME ${HOME} $0"),
        QStringLiteral("<in >PWNED"),
        QStringLiteral("(touch PWNED)"),
        QStringLiteral("*"),
        QStringLiteral("?"),
        QStringLiteral("[ab]{c,d}"),
        QStringLiteral("back\\slash\\"),
        QStringLiteral("\\'\\\""),
        QStringLiteral("line\nbreak; touch PWNED"),
        QStringLiteral("# comment"),
        QStringLiteral("+map evil"),
        QStringLiteral("+"),
        QStringLiteral("-flag"),
        QStringLiteral("~"),
        QStringLiteral("~root/x"),
        QStringLiteral("a=b"),
        QStringLiteral("50% !bang ^caret"),
    };
}
