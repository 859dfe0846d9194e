#include "ControlParts.h"

#include "SettingInfoDialog.h"
#include "platform/VexaError.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTextCursor>
#include <QWidget>
#include <cmath>

int roundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    int result = static_cast<int>(below);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0))
        ++result;
    return result;
}

QPoint labelPlacement(const QRect& control, const QSize& label, LabelPosition position) {
    const int L = control.left(), T = control.top(), W = control.width(), H = control.height();
    const int w = label.width(), h = label.height();
    const int middle = T + roundHalfEven(H / 2.0) - roundHalfEven(h / 2.0);
    switch (position) {
    case PosTop:
        return {L, T - h};
    case PosBottom:
        return {L, T + H};
    case PosLeft:
        return {L - w - 2, middle};
    case PosRight:
        return {L + W + 2, middle};
    }
    return {L, T - h};
}

void placeLabel(const QWidget& control, QLabel& label, LabelPosition position) {
    label.adjustSize();
    QRect area = control.geometry();
    // The table works in the label's coordinates; the two usually share a parent.
    QWidget* controlParent = control.parentWidget();
    QWidget* labelParent = label.parentWidget();
    if (controlParent && labelParent && controlParent != labelParent)
        area.moveTopLeft(labelParent->mapFromGlobal(controlParent->mapToGlobal(area.topLeft())));
    label.move(labelPlacement(area, label.size(), position));
}

QPoint pointerPlacement(const QPoint& pointer, const QSize& dialog, const QRect& screen) {
    int left = pointer.x();
    int top = pointer.y();
    if (top + dialog.height() > screen.y() + screen.height())
        top = pointer.y() - dialog.height();
    if (left + dialog.width() > screen.x() + screen.width())
        left = pointer.x() - dialog.width();
    return {qMax(left, screen.x()), qMax(top, screen.y())};
}

void moveToPointer(QWidget& dialog) {
    const QPoint pointer = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available =
        screen ? screen->availableGeometry() : QRect(QPoint(0, 0), dialog.size());
    // move() places the frame of a top-level window, so the frame's size is what must fit; the
    // native window must exist for the frame to be known.
    dialog.winId();
    dialog.move(pointerPlacement(pointer, dialog.frameGeometry().size(), available));
}

QPoint placementInside(const QRect& frame, const QRect& screen) {
    const auto inside = [](int start, int length, int areaStart, int areaLength) {
        return std::max(areaStart, std::min(start, areaStart + areaLength - length));
    };
    return {inside(frame.x(), frame.width(), screen.x(), screen.width()),
            inside(frame.y(), frame.height(), screen.y(), screen.height())};
}

void keepOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect frame = window.frameGeometry();
    const QPoint inside = placementInside(frame, screen->availableGeometry());
    if (inside != frame.topLeft())
        window.move(inside);
}

QColor noteColour(const QPalette& palette, QPalette::ColorRole background) {
    const bool light = palette.color(background).lightness() >= 128;
    return light ? QColor(0, 0, 128) : palette.color(QPalette::WindowText);
}

QColor warningColour(const QPalette& palette) {
    const bool light = palette.color(QPalette::Window).lightness() >= 128;
    return light ? QColor(128, 0, 0) : QColor(255, 140, 140);
}

QString defaultHint(const QString& defaultText, const QString& description) {
    return defaultText + QStringLiteral("  (") + description + QLatin1Char(')');
}

void setHint(QWidget& control, const QString& hint) {
    control.setToolTip(hint);
    control.setStatusTip(hint);
}

QMenu* newInfoMenu(QWidget* owner, const std::function<void()>& showInfo) {
    auto* menu = new QMenu(owner);
    menu->addAction(QStringLiteral("More Information"), owner, showInfo);
    return menu;
}

namespace {

void fillIfNotEmpty(QLineEdit& field, const QString& text) {
    if (!text.isEmpty())
        field.setText(text);
}

void fillInfo(SettingInfoDialog& info, const InfoContent& content) {
    info.setWindowTitle(content.command);
    fillIfNotEmpty(*info.commandBox(), content.command);
    for (int i = 0; i < 4; ++i)
        fillIfNotEmpty(*info.currentBox(i), content.current[i]);
    fillIfNotEmpty(*info.defaultBox(), content.defaultValue);
    info.descriptionText()->clear();
    if (!content.description.isEmpty())
        info.descriptionText()->appendPlainText(content.description);
    info.descriptionText()->moveCursor(
        QTextCursor::Start); // a long description reads from its start
    if (!content.source.isEmpty())
        info.currentCaption()->setText(info.currentCaption()->text() + QStringLiteral(" (from ") +
                                       content.source + u')');
    if (!content.notes.isEmpty()) {
        info.notesText()->clear();
        info.notesText()->setPlainText(content.notes.join(QLatin1Char('\n')));
    }
}

} // namespace

void showInfoDialog(QWidget* owner, const InfoContent& content) {
    QPointer<SettingInfoDialog> info = new SettingInfoDialog(owner);
    fillInfo(*info, content);
    moveToPointer(*info);
    info->exec();
    // Closed dialogs would otherwise pile up under their control until it goes.
    if (info)
        info->deleteLater();
}

PopupMenuOnDemand::PopupMenuOnDemand(QWidget& control, Builder build)
    : QObject(&control), build_(std::move(build)) {
    watch(control);
}

void PopupMenuOnDemand::watch(QWidget& part) {
    part.installEventFilter(this);
}

QMenu* PopupMenuOnDemand::menu() const {
    return menu_;
}

void PopupMenuOnDemand::ensureMenu() {
    if (!menu_)
        menu_ = build_();
}

bool PopupMenuOnDemand::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        ensureMenu();
    if (event->type() == QEvent::ContextMenu) {
        // A request without a press first (the menu key) still gets this menu, never the base one.
        ensureMenu();
        menu_->popup(static_cast<const QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
