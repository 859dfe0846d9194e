#pragma once

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QStringList>
#include <QWidget>

// The entries of a menu as shown, "-" for a separator.
inline QStringList menuEntries(const QMenu& menu) {
    QStringList entries;
    for (const QAction* action : menu.actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return entries;
}

// The entry with this caption, or null.
inline QAction* menuEntry(const QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions())
        if (action->text() == caption)
            return action;
    return nullptr;
}

inline QMenu* submenu(const QMenu& menu, const QString& caption) {
    QAction* entry = menuEntry(menu, caption);
    return entry ? entry->menu() : nullptr;
}

// The context-menu request that follows a right click.
inline void requestContextMenu(QWidget& widget,
                               QContextMenuEvent::Reason reason = QContextMenuEvent::Mouse) {
    const QPoint inside(5, 5);
    QContextMenuEvent request(reason, inside, widget.mapToGlobal(inside));
    QCoreApplication::sendEvent(&widget, &request);
}
