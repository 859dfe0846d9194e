#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

// Ends the event loop once `window` has been exposed (and so painted), the moment a person would
// see it. Exit code 0 then; 3 when it is not exposed within the time limit.
class QuitWhenExposed : public QObject {
public:
    explicit QuitWhenExposed(QWidget& window, int limitMs = 30000) : window_(window) {
        qApp->installEventFilter(this);
        QTimer::singleShot(limitMs, qApp, [] { QCoreApplication::exit(3); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && watched == window_.windowHandle() &&
            window_.windowHandle()->isExposed()) {
            qApp->removeEventFilter(this);
            // Queued, so the paint the exposure starts completes first.
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& window_;
};
