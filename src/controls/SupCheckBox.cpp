#include "SupCheckBox.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {
QString yesNo(TChecked value) {
    return value == TChecked::yes ? QStringLiteral("Yes") : QStringLiteral("No");
}
} // namespace

TSupCheckBox::TSupCheckBox(QWidget* owner) : QCheckBox(owner) {
    connect(this, &QCheckBox::toggled, this, &TSupCheckBox::Click);
    updateHint();
}

void TSupCheckBox::setSupValue(TChecked value) {
    setChecked(YesNoToBoolean(static_cast<int>(value)));
    value_ = value;
}

void TSupCheckBox::setSupDefault(TChecked value) {
    setChecked(YesNoToBoolean(static_cast<int>(value)));
    default_ = value;
    updateHint();
}

void TSupCheckBox::setSupCommand(const QString& command) {
    command_ = command;
    setObjectName(QStringLiteral("sbc") + command);
}

void TSupCheckBox::setSupDescription(const QString& description) {
    description_ = description;
    updateHint();
}

void TSupCheckBox::setSupNotes(const QStringList& notes) {
    notes_ = notes;
}

void TSupCheckBox::Click(bool checked) {
    emit supClick();
    value_ = checked ? TChecked::yes : TChecked::no;
}

void TSupCheckBox::updateHint() {
    setHint(*this, yesNo(default_) + QStringLiteral(" (") + description_ + QLatin1Char(')'));
}

void TSupCheckBox::ensurePopupMenu() {
    if (!popupMenu_)
        popupMenu_ = newInfoMenu(this, [this] { ShowInfo(); });
}

void TSupCheckBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        ensurePopupMenu();
    QCheckBox::mousePressEvent(event);
}

void TSupCheckBox::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse)
        ensurePopupMenu(); // the menu key has no press before it
    if (!popupMenu_) {
        QCheckBox::contextMenuEvent(event);
        return;
    }
    popupMenu_->popup(event->globalPos());
    event->accept();
}

void TSupCheckBox::ShowInfo() {
    InfoContent content;
    content.command = command_;
    content.current[0] = yesNo(value_);
    content.defaultValue = yesNo(default_);
    content.description = description_;
    content.notes = notes_;
    ShowInfoDialog(this, content);
}
