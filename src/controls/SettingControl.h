#pragma once

#include "ControlParts.h"
#include "settings/Catalogue.h"
#include "settings/Engine.h"

#include <QLabel>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QMenu;
class QObject;
class QWidget;

// What the setting controls (SettingCheckBox, SettingSpinBox, BindingEdit, and for an engine's own
// settings SettingChoiceBox and SettingTextEdit) share, and all
// the config reader and writer know of them: the widget, its kind, its command and texts, its
// values as a config carries them, its default. A plain class beside the control's Qt base, so
// no QObject is inherited twice; settingControlOf finds it on a widget.
//
// A control is defined in the catalogue's order: value, default, command, description, notes,
// then for spins and bindings label, label position and caption. The command names the widget
// ("sbc", "sse" or "sub" and the command, for a binding its nameKey) and its label ("lbl" and
// the same); the description goes into the hint.
class SettingControl {
public:
    SettingControl(const SettingControl&) = delete;
    SettingControl& operator=(const SettingControl&) = delete;

    QWidget& widget() { return widget_; }
    const QWidget& widget() const { return widget_; }
    SettingKind kind() const { return kind_; }

    const QString& supCommand() const { return command_; }
    void setSupCommand(const QString& command);
    const QString& supDescription() const { return description_; }
    void setSupDescription(const QString& description);
    const QStringList& supNotes() const { return notes_; }
    void setSupNotes(const QStringList& notes);
    // Where the value came from ("autoexec.cfg, line 3"), for the hint and the info dialog;
    // empty when no file gave it.
    const QString& supSource() const { return source_; }
    void setSupSource(const QString& source);

    // The caption label beside a spin or a binding (a check box's caption is its own text, and it
    // gets none). Not owned; renamed with the command and placed beside the control.
    QLabel* supLabel() const { return label_; }
    void setSupLabel(QLabel* label);
    LabelPosition supLabelPosition() const { return labelPosition_; }
    void setSupLabelPosition(LabelPosition position);
    const QString& supLabelCaption() const { return labelCaption_; }
    void setSupLabelCaption(const QString& caption);

    // How many values the control holds: a binding its four key slots, the others one.
    virtual int valueCount() const { return 1; }
    // Value `index` (from 0) as config lines carry it: a check box's "1" or "0", a spin's number,
    // a binding's key in that slot (the key the box shows first); empty past valueCount().
    virtual QString valueText(int index = 0) const = 0;
    // All of them, in slot order.
    QStringList values() const;
    // The value as the widget shows it this moment, also inside a change handler, where a check
    // box's or spin's valueText() still holds the one before.
    virtual QString shownValueText() const { return valueText(); }
    // Takes values of that form; a binding takes up to four keys as a config gives them (no key
    // is cleared for equalling another), the slots past them made blank.
    virtual void setValues(const QStringList& values) = 0;
    // The default as config lines carry it: "1" or "0", the number, the key.
    virtual QString defaultText() const = 0;
    // Whether the value, for a binding the first key, equals the default.
    bool atDefault() const;
    // Back to the default; a binding keeps only the default key.
    virtual void resetToDefault() = 0;
    // Another default in the form defaultText gives (the engine's own); the value stays.
    virtual void setDefaultText(const QString& text) = 0;

    // Runs `handler` while `context` lives on every change of the value, by the user or by
    // program, as soon as the widget shows it: a binding's values already follow, a check box's
    // or spin's only once the handler has returned (it reads isChecked() or Value()).
    virtual QMetaObject::Connection connectChange(QObject* context,
                                                  std::function<void()> handler) = 0;

    // The engine whose own setting the control is (its settings page); none for the catalogue's.
    std::optional<Engine> ownEngine() const { return ownEngine_; }
    void setOwnEngine(Engine engine) { ownEngine_ = engine; }

    // The popup menu; absent until the first right-button press.
    QMenu* popupMenu() const { return popup_ ? popup_->menu() : nullptr; }
    // The "More Information" dialog for this control, at the pointer.
    void showInfo();

protected:
    SettingControl(QWidget& widget, SettingKind kind);
    ~SettingControl() = default;

    // The control's popup menu, made by `build` on demand; the default holds "More Information".
    PopupMenuOnDemand& makePopupMenu(PopupMenuOnDemand::Builder build = {});
    // The command as the control's and its label's objectName carry it.
    virtual QString commandKey() const { return command_; }
    // A value or default as the hint and the info dialog show it.
    virtual QString shownText(const QString& value) const { return value; }
    // The tooltip and status tip: the default and the description.
    virtual void updateHint();
    // The description, and where the value came from.
    QString hintDescription() const;

private:
    void placeSupLabel();

    QWidget& widget_;
    const SettingKind kind_;
    QString command_;
    QString description_;
    QStringList notes_;
    QString source_;
    QPointer<QLabel> label_;
    LabelPosition labelPosition_ = PosTop;
    QString labelCaption_;
    PopupMenuOnDemand* popup_ = nullptr;
    std::optional<Engine> ownEngine_;
};

// The setting control `object` is, or null. Cheap enough for every widget of a window: a
// qobject_cast per control class, no dynamic_cast.
SettingControl* settingControlOf(QObject* object);
