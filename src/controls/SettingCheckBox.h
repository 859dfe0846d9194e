#pragma once

#include "ControlParts.h"

#include <QCheckBox>

class QMenu;

// A check box carrying one on/off console variable. Its value follows the check mark.
//
// Handlers that must see every change of the check mark, by the user or by program (assigning
// supValue or supDefault), connect to supClick(). It is emitted after the mark has changed and
// before supValue follows it, so handlers read isChecked().
class SettingCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit SettingCheckBox(QWidget* owner = nullptr);

    bool supValue() const { return value_; }
    void setSupValue(bool value);
    bool supDefault() const { return default_; }
    void setSupDefault(bool value);
    const QString& supCommand() const { return command_; }
    void setSupCommand(const QString& command);
    const QString& supDescription() const { return description_; }
    void setSupDescription(const QString& description);
    const QStringList& supNotes() const { return notes_; }
    void setSupNotes(const QStringList& notes);

    // Absent until the first right-button press.
    QMenu* popupMenu() const { return popup_->menu(); }

public slots:
    void showInfo();

signals:
    void supClick();

private:
    void onToggled(bool checked);
    void updateHint();

    bool value_ = false;
    bool default_ = false;
    QString command_;
    QString description_;
    QStringList notes_;
    PopupMenuOnDemand* popup_;
};
