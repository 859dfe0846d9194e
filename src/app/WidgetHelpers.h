#pragma once

#include "app/Glyphs.h"
#include "controls/FontScale.h"

#include <QLatin1String>
#include <QString>
#include <QTabWidget>
#include <QToolButton>

// Small builders shared by the windows' construction code.

template <typename W> W* named(QWidget* parent, const char* name) {
    auto* widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A frame control at its fixed spot.
template <typename W> W* place(QWidget* parent, const char* name, int x, int y, int w, int h) {
    W* widget = named<W>(parent, name);
    widget->setGeometry(x, y, w, h);
    return widget;
}

inline void setHintText(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

inline QToolButton* glyphButton(QWidget* parent, const char* name, Glyph glyph,
                                const QString& hint) {
    auto* button = named<QToolButton>(parent, name);
    button->setIcon(glyphIcon(glyph));
    button->setAutoRaise(true);
    button->setFixedSize(fontScaled(QSize(23, 22)));
    button->setIconSize(fontScaled(QSize(16, 16)));
    setHintText(button, hint);
    return button;
}

inline QWidget* addTabSheet(QTabWidget* pages, const char* name, const QString& caption) {
    auto* sheet = named<QWidget>(pages, name);
    pages->addTab(sheet, caption);
    return sheet;
}
