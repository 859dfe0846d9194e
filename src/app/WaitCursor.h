#pragma once

#include <QCursor>

class QWidget;

// The wait cursor over a window while it lives; afterwards the window's cursor is what it was
// before, so a caller that shows the wait cursor itself keeps it.
class WaitCursor {
public:
    explicit WaitCursor(QWidget& widget);
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    QWidget& widget_;
    bool hadCursor_;
    QCursor cursor_;
};
