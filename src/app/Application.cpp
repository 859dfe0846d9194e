#include "Application.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

void applyApplicationLook(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Vexa"));
    QApplication::setOrganizationName(QStringLiteral("Vexa"));
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    app.setFont(font);
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
