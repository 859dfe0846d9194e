#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

class QLineEdit;
class QPalette;
class BindingEdit;

// The colours of a key box that shares a key with another command: every colour group.
void paintConflict(QPalette& colours);

// Keeps the key boxes of a window marked while two commands share a key: the game keeps only the
// binding it reads last, so one of them never fires. Every box that holds a key some other box
// holds gets a colour of its own and a tooltip naming the other commands. The marks follow every
// change of a key, and are worked out once after a run of changes (a config load sets every
// binding's keys), when the event loop next runs.
class BindingConflicts : public QObject {
    Q_OBJECT
public:
    // A plain box holding one key for a command of its own (a message slot: "message1").
    struct KeyBox {
        QLineEdit* box;
        QString command;
    };

    // A key bound elsewhere that the config also writes, with no box of its own: a ticked
    // binding of a profile. Its command names where it comes from ("+hook, ticked in ctf").
    struct OtherKey {
        QString key;
        QString command;
    };

    BindingConflicts(QObject* parent, const QList<BindingEdit*>& bindings,
                     const QList<KeyBox>& keyBoxes);

    using OtherKeys = std::function<QList<OtherKey>()>;
    // Where the keys bound elsewhere come from; asked again after otherKeysChanged.
    void setOtherKeys(OtherKeys source);
    void otherKeysChanged();

    // Works the marks out now instead of when the event loop next runs.
    void update();

private:
    // One key a box holds; a holder is a binding's index, or a plain box's after the bindings.
    struct HeldKey {
        QString identity;
        QString spelling;
        int holder;
    };
    void schedule();
    // Every key of every box, sorted so that the boxes holding one key stand together.
    std::vector<HeldKey> heldKeys() const;
    void noteSharedKey(std::vector<HeldKey>::const_iterator group,
                       std::vector<HeldKey>::const_iterator end,
                       std::vector<QStringList>& notes) const;
    // The command of a binding (index below the bindings' count), of a plain box after them, or
    // of a key bound elsewhere after those.
    QString command(int holder) const;
    void markPlainBox(int index, const QString& note);

    QList<BindingEdit*> bindings_;
    QList<KeyBox> keyBoxes_;
    OtherKeys otherKeysSource_;
    bool otherKeysStale_ = false;
    QList<OtherKey> otherKeys_;       // holders after the plain boxes
    QStringList plainHints_;          // each plain box's own tooltip
    std::vector<QString> plainNotes_; // each plain box's mark
    QTimer pending_;
};

// Whether two key names name the same key: names without regard to letter case, single
// characters exactly (the game keeps "A" and "a" apart).
QString keyIdentity(const QString& key);
