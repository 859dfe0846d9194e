#pragma once

#include "controls/SettingInfoDialog.h"

#include <QApplication>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

// What an information dialog showed while it was open modally.
struct InfoSnapshot {
    bool seen = false;
    QString title;
    QHash<QString, QString> texts; // objectName -> text of every edit box and memo
    QRect frame;
    QString focus; // objectName of the dialog's focus widget
};

// Arms a probe for the next modal dialog: once the event loop runs, it records the dialog and
// closes it, so the code under test returns from exec().
inline void probeNextInfo(InfoSnapshot& snapshot) {
    QTimer::singleShot(0, [&snapshot] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* info = qobject_cast<SettingInfoDialog*>(modal)) {
            snapshot.seen = true;
            snapshot.title = info->windowTitle();
            for (auto* edit : info->findChildren<QLineEdit*>())
                snapshot.texts.insert(edit->objectName(), edit->text());
            for (auto* memo : info->findChildren<QPlainTextEdit*>())
                snapshot.texts.insert(memo->objectName(), memo->toPlainText());
            snapshot.frame = info->frameGeometry();
            if (QWidget* focus = info->focusWidget())
                snapshot.focus = focus->objectName();
        }
        if (modal)
            modal->close();
    });
}
