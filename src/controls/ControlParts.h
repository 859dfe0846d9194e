#pragma once

#include "settings/LabelPosition.h"

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

class QEvent;
class QLabel;
class QMenu;
class QWidget;

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
int roundHalfEven(double value);

// The label's top-left corner for a control at `control` (left, top, width, height).
QPoint labelPlacement(const QRect& control, const QSize& label, LabelPosition position);
// Moves the label there (sizing it to its text first).
void placeLabel(const QWidget& control, QLabel& label, LabelPosition position);

// Top-left corner of a dialog opened at the mouse pointer: at the pointer, moved above or to the
// left of it where it would leave the screen, never above or left of the screen (for a screen at
// the origin: never at a negative coordinate).
QPoint pointerPlacement(const QPoint& pointer, const QSize& dialog, const QRect& screen);
// Moves the dialog's frame there, using the real pointer and the pointer's screen.
void moveToPointer(QWidget& dialog);
// Top-left corner of a window's frame moved as little as needed to lie inside `screen`; a frame
// larger than the screen keeps its top-left corner (and title bar) on it.
QPoint placementInside(const QRect& frame, const QRect& screen);
// Moves a top-level window there on the screen it is on.
void keepOnScreen(QWidget& window);

// Tooltip of spins and bindings: the default, two blanks, then the description in brackets.
QString defaultHint(const QString& defaultText, const QString& description);

// The colour of a note's text on `background`: navy on a light one, as the window was drawn, and
// the palette's own text colour on a dark one, where navy could not be read.
QColor noteColour(const QPalette& palette, QPalette::ColorRole background);
// The colour of a warning's text on the window: dark red on a light window, light red on a dark
// one, where dark red could not be read.
QColor warningColour(const QPalette& palette);
// A control's hint is both its tooltip and its status tip.
void setHint(QWidget& control, const QString& hint);

// The popup menu of a setting control, owned by it: one item "More Information" running showInfo.
QMenu* newInfoMenu(QWidget* owner, const std::function<void()>& showInfo);

// What the "More Information" dialog shows for one setting control.
struct InfoContent {
    QString command;
    QString defaultValue;
    QString current[4]; // Value 1 .. Value 4; empty fields stay empty
    QString description;
    QStringList notes;
    QString source; // where the value came from: "autoexec.cfg, line 3"; empty for none
};

// Opens a fresh information dialog owned by `owner`, placed at the pointer, modally; the dialog is
// deleted once it has been closed.
void showInfoDialog(QWidget* owner, const InfoContent& content);

// A control's popup menu made on demand: `build` creates it (owned by the control) on the first
// right-button press, or on the first context-menu request where none came before (the menu key).
// The menu then opens as the context menu of that same click; later requests find it in place.
class PopupMenuOnDemand : public QObject {
    Q_OBJECT
public:
    using Builder = std::function<QMenu*()>;

    // Owned by the control; watches the control's presses and menu requests.
    PopupMenuOnDemand(QWidget& control, Builder build);
    // Also watches a part of the control that takes the mouse itself (a spin's edit field).
    void watch(QWidget& part);

    // Absent until first needed.
    QMenu* menu() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ensureMenu();

    Builder build_;
    QPointer<QMenu> menu_;
};
