#pragma once

#include "SettingControl.h"

#include <QLineEdit>
#include <QStringList>

#include <array>
#include <optional>

class QMenu;
struct VirtualKey;

// A binding setting control: up to four keys bound to one command. The box shows and captures the
// primary key (supValue); the further keys are edited in the multi-key dialog, and the box is
// highlighted while any of them is set.
class BindingEdit : public QLineEdit, public SettingControl {
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
    // Slot 1 .. 4: setSupValue .. setSupValue4.
    void setKeySlot(int slot, const QString& key);
    // Also makes it the primary key.
    const QString& supDefault() const { return default_; }
    void setSupDefault(const QString& key);

    // The four key slots; setValues is setKeys.
    int valueCount() const override { return 4; }
    QString valueText(int index = 0) const override;
    void setValues(const QStringList& values) override;
    QString defaultText() const override { return default_; }
    void resetToDefault() override;
    void setDefaultText(const QString& text) override;
    QMetaObject::Connection connectChange(QObject* context, std::function<void()> handler) override;

    // Marks the box as sharing a key with other commands: a colour of its own, and `note` (which
    // names them) under its tooltip. An empty note clears the mark.
    void setConflict(const QString& note);
    const QString& conflict() const { return conflict_; }

    // The command without a leading "+", blanks made "_": "use blaster" gives "use_blaster". The
    // control is named "sub" and its label "lbl" with it.
    static QString nameKey(const QString& command);

public slots:
    void bindMultipleKeys();

signals:
    // Any of the four keys changed.
    void keysChanged();

protected:
    QString commandKey() const override { return nameKey(supCommand()); }
    void updateHint() override;

private:
    void setFurtherKey(int index, const QString& key);
    void keysSet(const std::array<QString, 4>& before);
    void keyCaptured(const VirtualKey& key);
    void updateColours();
    QMenu* newPopupMenu();

    std::array<QString, 4> keys_;
    QString default_;
    QString conflict_;
    enum class Look { Plain, SeveralKeys, Conflict };
    std::optional<Look> look_; // what the palette shows; nothing before the first update
};
