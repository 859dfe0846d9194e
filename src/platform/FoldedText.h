#pragma once

#include <QString>
#include <QStringView>

#include <unordered_map>

// Names compared with their letter case folded as QString::toCaseFolded folds it, for hash
// tables that are looked up with views: ASCII text, nearly every name, is neither copied nor
// run through the Unicode tables.
struct FoldedHash {
    using is_transparent = void;
    size_t operator()(QStringView text) const;
};
struct FoldedEqual {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const;
};

template <typename T> using FoldedHashMap = std::unordered_map<QString, T, FoldedHash, FoldedEqual>;
