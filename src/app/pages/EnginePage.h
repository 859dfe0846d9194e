#pragma once

#include "settings/Engine.h"

#include <QHash>
#include <QWidget>

class QLabel;
class QTabWidget;
class SettingControl;

// The tab of an engine's own settings ("Yamagi Quake II", "Q2PRO"), made from its settings table:
// one sub-page per group, the settings down two columns in the table's order, each a setting
// control that the config reader and writer find like the catalogue's.
class EnginePage : public QWidget {
    Q_OBJECT
public:
    EnginePage(Engine engine, QWidget* parent);

    Engine engine() const { return engine_; }
    QTabWidget* groupPages() const { return groupPages_; }
    // The control of a cvar of the table, or null.
    SettingControl* control(const QString& cvar) const { return controls_.value(cvar); }
    // The caption label of a control that is no check box, or null.
    QLabel* label(const QString& cvar) const { return labels_.value(cvar); }

signals:
    // The page came into view (its tab was chosen, or the window showed with it).
    void shown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildGroup(const QString& group);

    Engine engine_;
    QTabWidget* groupPages_;
    QHash<QString, SettingControl*> controls_;
    QHash<QString, QLabel*> labels_;
};
