#include "BindingConflicts.h"

#include "SupBind.h"
#include "SupCommon.h"

#include <QHash>
#include <QLineEdit>
#include <QPalette>

#include <map>
#include <set>

namespace {

const QColor ConflictBase(0xff, 0xc8, 0xc8);
const QColor ConflictText(Qt::black);
const char* const PlainHint = "vexaPlainHint"; // a plain box's own tooltip, kept while marked

// One line per shared key: "F1 is also bound to '+attack', 'message1'".
QString conflictNote(const std::map<QString, std::set<QString>>& othersByKey) {
    QStringList lines;
    for (const auto& [key, commands] : othersByKey) {
        QStringList names;
        for (const QString& command : commands)
            names << u'\'' + command + u'\'';
        lines << key + QStringLiteral(" is also bound to ") + names.join(QStringLiteral(", "));
    }
    return lines.join(u'\n');
}

// The holder's own spelling of the key.
QString spelling(const QStringList& keys, const QString& identity) {
    for (const QString& key : keys) {
        if (keyIdentity(key) == identity)
            return key.trimmed();
    }
    return identity;
}

// A plain box keeps its own look and tooltip apart from the mark.
void markPlainBox(QLineEdit& box, const QString& note) {
    if (!box.property(PlainHint).isValid())
        box.setProperty(PlainHint, box.toolTip());
    const QString hint = box.property(PlainHint).toString();
    const QString tip = note.isEmpty() ? hint : hint + u'\n' + note;
    if (box.toolTip() == tip)
        return;
    box.setToolTip(tip);
    QPalette colours = box.palette();
    if (note.isEmpty())
        colours = QPalette();
    else
        paintConflict(colours);
    box.setPalette(colours);
}

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

struct BindingConflicts::Holder {
    QString command;
    QStringList keys;
    TSupBind* binding; // or the plain box
    QLineEdit* box;
};

BindingConflicts::BindingConflicts(QObject* parent, const QList<TSupBind*>& bindings,
                                   const QList<KeyBox>& keyBoxes)
    : QObject(parent), bindings_(bindings), keyBoxes_(keyBoxes) {
    pending_.setSingleShot(true);
    pending_.setInterval(0);
    connect(&pending_, &QTimer::timeout, this, &BindingConflicts::update);
    for (TSupBind* binding : bindings_)
        connect(binding, &TSupBind::keysChanged, this, &BindingConflicts::schedule);
    for (const KeyBox& key : keyBoxes_)
        connect(key.box, &QLineEdit::textChanged, this, &BindingConflicts::schedule);
    schedule();
}

void BindingConflicts::schedule() {
    if (!pending_.isActive())
        pending_.start();
}

std::vector<BindingConflicts::Holder> BindingConflicts::holders() const {
    std::vector<Holder> all;
    for (TSupBind* b : bindings_)
        all.push_back({b->SupCommand(),
                       {b->SupValue(), b->SupValue2(), b->SupValue3(), b->SupValue4()},
                       b,
                       nullptr});
    for (const KeyBox& key : keyBoxes_)
        all.push_back({key.command, {key.box->text()}, nullptr, key.box});
    return all;
}

void BindingConflicts::update() {
    pending_.stop();
    const std::vector<Holder> all = holders();
    QHash<QString, std::set<size_t>> byKey;
    for (size_t i = 0; i < all.size(); ++i) {
        for (const QString& key : all[i].keys) {
            if (!key.trimmed().isEmpty())
                byKey[keyIdentity(key)].insert(i);
        }
    }
    // For each holder, each of its keys that others hold, with their commands.
    std::vector<std::map<QString, std::set<QString>>> others(all.size());
    for (auto shared = byKey.cbegin(); shared != byKey.cend(); ++shared) {
        if (shared->size() < 2)
            continue;
        for (size_t i : *shared) {
            const QString key = spelling(all[i].keys, shared.key());
            for (size_t j : *shared) {
                if (i != j)
                    others[i][key].insert(all[j].command);
            }
        }
    }
    for (size_t i = 0; i < all.size(); ++i) {
        const QString note = conflictNote(others[i]);
        if (all[i].binding)
            all[i].binding->setConflict(note);
        else
            markPlainBox(*all[i].box, note);
    }
}
