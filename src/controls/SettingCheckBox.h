#pragma once

#include "ControlParts.h"

#include <QCheckBox>

class QMenu;

// A check box carrying one on/off console variable. Its value follows the check mark.
//
// Handlers that must see every change of the check mark, by the user or by program (assigning
// SupValue or SupDefault), connect to supClick(). It is emitted after the mark has changed and
// before SupValue follows it, so handlers read isChecked().
class SettingCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit SettingCheckBox(QWidget* owner = nullptr);

    TChecked SupValue() const { return value_; }
    void setSupValue(TChecked value);
    TChecked SupDefault() const { return default_; }
    void setSupDefault(TChecked value);
    const QString& SupCommand() const { return command_; }
    void setSupCommand(const QString& command);
    const QString& SupDescription() const { return description_; }
    void setSupDescription(const QString& description);
    const QStringList& SupNotes() const { return notes_; }
    void setSupNotes(const QStringList& notes);

    // Absent until the first right-button press.
    QMenu* popupMenu() const { return popup_->menu(); }

public slots:
    void ShowInfo();

signals:
    void supClick();

private:
    void Click(bool checked);
    void updateHint();

    TChecked value_ = TChecked::no;
    TChecked default_ = TChecked::no;
    QString command_;
    QString description_;
    QStringList notes_;
    PopupMenuOnDemand* popup_;
};
