#include "WaitCursor.h"

#include <QWidget>

WaitCursor::WaitCursor(QWidget& widget)
    : widget_(widget), hadCursor_(widget.testAttribute(Qt::WA_SetCursor)),
      cursor_(widget.cursor()) {
    widget_.setCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() {
    if (hadCursor_)
        widget_.setCursor(cursor_);
    else
        widget_.unsetCursor();
}
