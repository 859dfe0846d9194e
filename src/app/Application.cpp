#include "Application.h"

#include <QApplication>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

// The font stays the desktop's own: the windows grow to fit it (controls/FontScale).
void applyApplicationLook(QApplication&) {
    QApplication::setApplicationName(QStringLiteral("Vexa"));
    QApplication::setOrganizationName(QStringLiteral("Vexa"));
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
}

void centreOnScreen(QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QRect frame = window.frameGeometry();
    frame.moveCenter(available.center());
    window.move(frame.topLeft());
}
