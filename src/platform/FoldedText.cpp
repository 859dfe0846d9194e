#include "FoldedText.h"

#include <QHashFunctions>
#include <QVarLengthArray>

#include <algorithm>

namespace {

bool isAscii(QChar c) {
    return c.unicode() < 0x80;
}

char16_t lowerAscii(char16_t u) {
    return (u >= u'A' && u <= u'Z') ? char16_t(u + (u'a' - u'A')) : u;
}

QString caseFolded(QStringView text) {
    return text.toString().toCaseFolded();
}

// Qt's seeded hash, so that names read from a file cannot be made to collide.
size_t seededHash(QStringView text) {
    return qHash(text, QHashSeed::globalSeed());
}

} // namespace

size_t FoldedHash::operator()(QStringView text) const {
    if (!std::all_of(text.begin(), text.end(), isAscii))
        return seededHash(caseFolded(text));
    QVarLengthArray<char16_t, 64> folded(text.size());
    std::transform(text.begin(), text.end(), folded.begin(),
                   [](QChar c) { return lowerAscii(c.unicode()); });
    return seededHash(QStringView(folded.constData(), folded.size()));
}

bool FoldedEqual::operator()(QStringView a, QStringView b) const {
    if (a.size() == b.size()) {
        qsizetype i = 0;
        for (; i < a.size(); ++i) {
            const char16_t x = a[i].unicode(), y = b[i].unicode();
            if (x >= 0x80 || y >= 0x80)
                break;
            if (x != y && lowerAscii(x) != lowerAscii(y))
                return false;
        }
        if (i == a.size())
            return true;
    } else if (std::all_of(a.begin(), a.end(), isAscii) &&
               std::all_of(b.begin(), b.end(), isAscii)) {
        return false;
    }
    return caseFolded(a) == caseFolded(b);
}
