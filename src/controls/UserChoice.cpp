#include "UserChoice.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>

UserChoice::UserChoice(QComboBox* box, Report report, std::function<void(const QString&)> chosen)
    : QObject(box), box_(box), report_(report), chosen_(std::move(chosen)),
      shown_(box->currentText()) {
    box->installEventFilter(this);
    connect(box, &QComboBox::textActivated, this, &UserChoice::check);
    if (QLineEdit* edit = box->lineEdit())
        connect(edit, &QLineEdit::textEdited, this, &UserChoice::check);
}

bool UserChoice::eventFilter(QObject* watched, QEvent* event) {
    // The box's own drop-down list taking and handing back the focus is no new entry.
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        shown_ = box_->currentText();
    return QObject::eventFilter(watched, event);
}

void UserChoice::check(const QString& text) {
    // The box reports its text on losing the focus, when the focus has already moved on.
    if (!box_->hasFocus() || (report_ == OnlyChanges && text == shown_))
        return;
    shown_ = text;
    chosen_(text);
}
