#pragma once

#include "ControlParts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>

#include <array>
#include <optional>

class QMenu;
struct VirtualKey;

// A binding setting control: up to four keys bound to one command. The box shows and captures the
// primary key (supValue); the further keys are edited in the multi-key dialog, and the box is
// highlighted while any of them is set.
class BindingEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit BindingEdit(QWidget* owner = nullptr);

    // Also shows the key, and clears the first further key equal to it.
    const QString& supValue() const { return keys_[0]; }
    void setSupValue(const QString& key);
    const QString& supValue2() const { return keys_[1]; }
    void setSupValue2(const QString& key);
    const QString& supValue3() const { return keys_[2]; }
    void setSupValue3(const QString& key);
    const QString& supValue4() const { return keys_[3]; }
    void setSupValue4(const QString& key);
    // All four at once, as a config gives them: no key is cleared for equalling another.
    void setKeys(const std::array<QString, 4>& keys);
    // Also makes it the primary key.
    const QString& supDefault() const { return default_; }
    void setSupDefault(const QString& key);
    // Also renames the control "sub" + name key and its label "lbl" + name key.
    const QString& supCommand() const { return command_; }
    void setSupCommand(const QString& command);
    const QString& supDescription() const { return description_; }
    void setSupDescription(const QString& description);
    const QStringList& supNotes() const { return notes_; }
    void setSupNotes(const QStringList& notes);
    // Not owned; renamed and placed beside the control.
    QLabel* supLabel() const { return label_; }
    void setSupLabel(QLabel* label);
    LabelPosition supLabelPosition() const { return labelPosition_; }
    void setSupLabelPosition(LabelPosition position);
    const QString& supLabelCaption() const { return labelCaption_; }
    void setSupLabelCaption(const QString& caption);

    // Absent until the first right-button press.
    QMenu* popupMenu() const;

    // Marks the box as sharing a key with other commands: a colour of its own, and `note` (which
    // names them) under its tooltip. An empty note clears the mark.
    void setConflict(const QString& note);
    const QString& conflict() const { return conflict_; }

    // The command without a leading "+", blanks made "_": "use blaster" gives "use_blaster".
    static QString nameKey(const QString& command);

public slots:
    void showInfo();
    void bindMultipleKeys();

signals:
    // Any of the four keys changed.
    void keysChanged();

private:
    void setFurtherKey(int index, const QString& key);
    void keysSet(const std::array<QString, 4>& before);
    void keyCaptured(const VirtualKey& key);
    void updateColours();
    void updateHint();
    void placeSupLabel();
    QMenu* newPopupMenu();

    std::array<QString, 4> keys_;
    QString default_;
    QString command_;
    QString description_;
    QStringList notes_;
    QPointer<QLabel> label_;
    LabelPosition labelPosition_ = PosTop;
    QString labelCaption_;
    PopupMenuOnDemand* popup_;
    QString conflict_;
    enum class Look { Plain, SeveralKeys, Conflict };
    std::optional<Look> look_; // what the palette shows; nothing before the first update
};
