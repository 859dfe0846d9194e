#include "BindingConflicts.h"

#include "BindingEdit.h"

#include <QLineEdit>
#include <QPalette>

#include <algorithm>

namespace {

const QColor ConflictBase(0xff, 0xc8, 0xc8);
const QColor ConflictText(Qt::black);

} // namespace

void paintConflict(QPalette& colours) {
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, ConflictBase);
        colours.setColor(group, QPalette::Text, ConflictText);
    }
}

QString keyIdentity(const QString& key) {
    const QString trimmed = key.trimmed();
    return trimmed.size() == 1 ? trimmed : trimmed.toUpper();
}

BindingConflicts::BindingConflicts(QObject* parent, const QList<BindingEdit*>& bindings,
                                   const QList<KeyBox>& keyBoxes)
    : QObject(parent), bindings_(bindings), keyBoxes_(keyBoxes) {
    for (const KeyBox& key : keyBoxes_)
        plainHints_ << key.box->toolTip();
    plainNotes_.resize(static_cast<size_t>(keyBoxes_.size()));
    pending_.setSingleShot(true);
    pending_.setInterval(0);
    connect(&pending_, &QTimer::timeout, this, &BindingConflicts::update);
    for (BindingEdit* binding : bindings_)
        connect(binding, &BindingEdit::keysChanged, this, &BindingConflicts::schedule);
    for (const KeyBox& key : keyBoxes_)
        connect(key.box, &QLineEdit::textChanged, this, &BindingConflicts::schedule);
    schedule();
}

void BindingConflicts::setOtherKeys(OtherKeys source) {
    otherKeysSource_ = std::move(source);
    otherKeysChanged();
}

// Asked when the marks are next worked out: a run of changes reads the profiles once.
void BindingConflicts::otherKeysChanged() {
    otherKeysStale_ = true;
    schedule();
}

void BindingConflicts::schedule() {
    if (!pending_.isActive())
        pending_.start();
}

QString BindingConflicts::command(int holder) const {
    if (holder < bindings_.size())
        return bindings_[holder]->supCommand();
    holder -= int(bindings_.size());
    return holder < keyBoxes_.size() ? keyBoxes_[holder].command
                                     : otherKeys_[holder - keyBoxes_.size()].command;
}

std::vector<BindingConflicts::HeldKey> BindingConflicts::heldKeys() const {
    std::vector<HeldKey> keys;
    const auto add = [&](const QString& key, int holder) {
        if (!key.trimmed().isEmpty())
            keys.push_back({keyIdentity(key), key.trimmed(), holder});
    };
    int holder = 0;
    for (BindingEdit* b : bindings_) {
        for (const QString* key :
             {&b->supValue(), &b->supValue2(), &b->supValue3(), &b->supValue4()})
            add(*key, holder);
        ++holder;
    }
    for (const KeyBox& box : keyBoxes_)
        add(box.box->text(), holder++);
    for (const OtherKey& other : otherKeys_)
        add(other.key, holder++);
    std::sort(keys.begin(), keys.end(), [](const HeldKey& a, const HeldKey& b) {
        return a.identity < b.identity || (a.identity == b.identity && a.holder < b.holder);
    });
    return keys;
}

void BindingConflicts::update() {
    pending_.stop();
    if (otherKeysStale_ && otherKeysSource_) {
        otherKeysStale_ = false;
        otherKeys_ = otherKeysSource_();
    }
    const std::vector<HeldKey> keys = heldKeys();
    std::vector<QStringList> notes(size_t(bindings_.size() + keyBoxes_.size() + otherKeys_.size()));
    for (auto group = keys.begin(); group != keys.end();) {
        const auto end = std::find_if(
            group, keys.end(), [&](const HeldKey& k) { return k.identity != group->identity; });
        if (group->holder != std::prev(end)->holder)
            noteSharedKey(group, end, notes);
        group = end;
    }
    for (int i = 0; i < bindings_.size(); ++i)
        bindings_[i]->setConflict(notes[size_t(i)].join(u'\n'));
    for (int i = 0; i < keyBoxes_.size(); ++i)
        markPlainBox(i, notes[size_t(bindings_.size() + i)].join(u'\n'));
}

// Each box of the group (one key, held by two boxes or more, in the order of the boxes) gets a
// line naming the others' commands.
void BindingConflicts::noteSharedKey(std::vector<HeldKey>::const_iterator group,
                                     std::vector<HeldKey>::const_iterator end,
                                     std::vector<QStringList>& notes) const {
    std::vector<std::pair<QString, const HeldKey*>> holders; // quoted command, first key held
    for (auto key = group; key != end; ++key) {
        if (key == group || std::prev(key)->holder != key->holder)
            holders.push_back({u'\'' + command(key->holder) + u'\'', &*key});
    }
    std::sort(holders.begin(), holders.end());
    for (const auto& [mine, key] : holders) {
        QString line = key->spelling + QStringLiteral(" is also bound to ");
        bool first = true;
        for (const auto& other : holders) {
            if (other.second == key)
                continue;
            if (!first)
                line += QStringLiteral(", ");
            line += other.first;
            first = false;
        }
        notes[size_t(key->holder)] << line;
    }
}

// A plain box keeps its own look and tooltip apart from the mark.
void BindingConflicts::markPlainBox(int index, const QString& note) {
    if (plainNotes_[size_t(index)] == note)
        return;
    plainNotes_[size_t(index)] = note;
    QLineEdit& box = *keyBoxes_[index].box;
    const QString& hint = plainHints_[index];
    box.setToolTip(note.isEmpty() ? hint : hint + u'\n' + note);
    QPalette colours;
    if (!note.isEmpty())
        paintConflict(colours);
    box.setPalette(colours);
}
