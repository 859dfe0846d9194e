#include "BindingEdit.h"

#include "BindingConflicts.h"
#include "FontScale.h"
#include "KeyNames.h"
#include "MultiKeyDialog.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>

#include <algorithm>

namespace {

const QStringList keypadKeyNames = {
    QStringLiteral("KP_HOME"),       QStringLiteral("KP_PGUP"),      QStringLiteral("KP_PGDN"),
    QStringLiteral("KP_ENTER"),      QStringLiteral("KP_INS"),       QStringLiteral("KP_DEL"),
    QStringLiteral("KP_MINUS"),      QStringLiteral("KP_PLUS"),      QStringLiteral("KP_END"),
    QStringLiteral("KP_UPARROW"),    QStringLiteral("KP_LEFTARROW"), QStringLiteral("KP_5"),
    QStringLiteral("KP_RIGHTARROW"), QStringLiteral("KP_DOWNARROW"),
};

bool blank(const QString& key) {
    return key.trimmed().isEmpty();
}

} // namespace

BindingEdit::BindingEdit(QWidget* owner)
    : QLineEdit(owner), SettingControl(*this, SettingKind::Binding) {
    setFixedWidth(fontScaled(85));
    new KeyCaptureFilter(*this, [this](const VirtualKey& key) { keyCaptured(key); });
    // After the key capture: the filter installed last sees a right press first.
    makePopupMenu([this] { return newPopupMenu(); });
    updateHint();
    updateColours();
}

QString BindingEdit::nameKey(const QString& command) {
    QString key = command.startsWith(QLatin1Char('+')) ? command.mid(1) : command;
    return key.replace(QLatin1Char(' '), QLatin1Char('_'));
}

void BindingEdit::setSupValue(const QString& key) {
    const std::array<QString, 4> before = keys_;
    // From here on keys_[0], not `key`: the key may be one of the further slots cleared below.
    keys_[0] = key;
    const auto equal = std::find(keys_.begin() + 1, keys_.end(), keys_[0]);
    if (equal != keys_.end())
        equal->clear();
    setText(keys_[0]);
    keysSet(before);
}

void BindingEdit::setSupValue2(const QString& key) {
    setFurtherKey(1, key);
}

void BindingEdit::setSupValue3(const QString& key) {
    setFurtherKey(2, key);
}

void BindingEdit::setSupValue4(const QString& key) {
    setFurtherKey(3, key);
}

void BindingEdit::setKeys(const std::array<QString, 4>& keys) {
    const std::array<QString, 4> before = keys_;
    keys_ = keys;
    // Setting a line edit's text lays it out again even when the text is the same.
    if (text() != keys_[0])
        setText(keys_[0]);
    keysSet(before);
}

void BindingEdit::setKeySlot(int slot, const QString& key) {
    if (slot == 1)
        setSupValue(key);
    else if (slot >= 2 && slot <= 4)
        setFurtherKey(slot - 1, key);
}

QString BindingEdit::valueText(int index) const {
    return index >= 0 && index < 4 ? keys_[size_t(index)] : QString();
}

void BindingEdit::setValues(const QStringList& values) {
    std::array<QString, 4> keys;
    std::copy_n(values.begin(), std::min<qsizetype>(values.size(), 4), keys.begin());
    setKeys(keys);
}

void BindingEdit::resetToDefault() {
    setKeys({default_});
}

QMetaObject::Connection BindingEdit::connectChange(QObject* context,
                                                   std::function<void()> handler) {
    return connect(this, &BindingEdit::keysChanged, context, std::move(handler));
}

void BindingEdit::setFurtherKey(int index, const QString& key) {
    const std::array<QString, 4> before = keys_;
    keys_[static_cast<size_t>(index)] = key;
    keysSet(before);
}

void BindingEdit::keysSet(const std::array<QString, 4>& before) {
    updateColours();
    if (keys_ != before)
        emit keysChanged();
}

void BindingEdit::setConflict(const QString& note) {
    if (note == conflict_)
        return;
    conflict_ = note;
    updateColours();
    updateHint();
}

void BindingEdit::setSupDefault(const QString& key) {
    default_ = key;
    setSupValue(key);
    updateHint();
}

// The conflict goes under the tooltip only: the hint line shows the status tip on one line.
void BindingEdit::updateHint() {
    const QString hint = defaultHint(default_, hintDescription());
    setStatusTip(hint);
    setToolTip(conflict_.isEmpty() ? hint : hint + u'\n' + conflict_);
}

// Highlighted while the command has more keys than the one shown, and in a colour of its own
// while it shares a key with another command. Setting a palette costs a resolve against the
// widget's inherited one, so an unchanged look sets nothing: loading a config sets every
// binding's keys.
void BindingEdit::updateColours() {
    const Look look = !conflict_.isEmpty()                                 ? Look::Conflict
                      : std::all_of(keys_.begin() + 1, keys_.end(), blank) ? Look::Plain
                                                                           : Look::SeveralKeys;
    if (look_ == look)
        return;
    look_ = look;
    const QPalette system = QApplication::palette(this);
    QPalette colours = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool several = look == Look::SeveralKeys;
        colours.setColor(group, QPalette::Base,
                         system.color(group, several ? QPalette::Highlight : QPalette::Base));
        colours.setColor(group, QPalette::Text,
                         system.color(group, several ? QPalette::HighlightedText : QPalette::Text));
    }
    if (look == Look::Conflict)
        paintConflict(colours);
    setPalette(colours);
}

void BindingEdit::keyCaptured(const VirtualKey& key) {
    // A key without a name (Shift among them), or one the engine keeps, leaves the binding as
    // it was.
    if (tellWhenRefused(*this, key))
        return;
    if (const auto name = keyName(key))
        setSupValue(*name);
}

QMenu* BindingEdit::newPopupMenu() {
    auto* menu = new QMenu(this);
    const auto bind = [this](const QString& name) { setSupValue(name); };
    QMenu* other = menu->addMenu(QStringLiteral("Bind Other Keys"));
    addKeyEntries(*other, otherKeyNames(), bind);
    other->addSeparator();
    addKeyEntries(*other->addMenu(QStringLiteral("Mouse Actions")), mouseKeyNames(), bind);
    other->addSeparator();
    addKeyEntries(*other->addMenu(QStringLiteral("Keypad Keys")), keypadKeyNames, bind);
    menu->addAction(QStringLiteral("Bind Multiple Keys"), this, &BindingEdit::bindMultipleKeys);
    menu->addAction(QStringLiteral("More Information"), this, [this] { showInfo(); });
    return menu;
}

void BindingEdit::bindMultipleKeys() {
    QPointer<MultiKeyDialog> dialog = new MultiKeyDialog(this, supCommand(), default_, keys_);
    moveToPointer(*dialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return;
    const std::array<QString, 4> keys = dialog->keys();
    // Closed dialogs would otherwise pile up under the control until it goes.
    dialog->deleteLater();
    if (!accepted)
        return;
    // The primary key last: it clears a further key equal to it.
    setSupValue2(keys[1]);
    setSupValue3(keys[2]);
    setSupValue4(keys[3]);
    setSupValue(keys[0]);
}

void BindingEdit::setDefaultText(const QString& text) {
    default_ = text;
    updateHint();
}
