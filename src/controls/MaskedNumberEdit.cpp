#include "MaskedNumberEdit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {
constexpr QChar Point = QLatin1Char('.');
constexpr QChar Blank = QLatin1Char(' ');
} // namespace

MaskedNumberEdit::MaskedNumberEdit(int decimals, QWidget* parent)
    : QLineEdit(parent), decimals_(decimals) {
    setMaxLength(length());
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu); // its paste would bypass the format
    setMaskedText(QString());
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        // Whatever reached the text by another way (the program's setText, cut, paste) is put
        // back into the format.
        if (text != fitToMask(text, decimals_))
            setMaskedText(text);
    });
}

QString MaskedNumberEdit::fitToMask(const QString& text, int decimals) {
    QString fitted;
    const int length = 2 + decimals;
    for (int i = 0; i < length; ++i) {
        if (i == 1) {
            fitted += Point;
            continue;
        }
        const QChar c = i < text.size() ? text.at(i) : Blank;
        fitted += (c.isDigit() && c.unicode() < 128) ? c : Blank;
    }
    return fitted;
}

void MaskedNumberEdit::setMaskedText(const QString& text) {
    const int cursor = cursorPosition();
    setText(fitToMask(text, decimals_));
    setCursorPosition(qMin(cursor, length()));
}

void MaskedNumberEdit::setCharAt(int position, QChar c) {
    QString current = text();
    current[position] = c;
    setText(current);
}

void MaskedNumberEdit::typeDigit(QChar digit) {
    int position = cursorPosition();
    if (position == 1)
        ++position;
    if (!isDigitPosition(position))
        return;
    setCharAt(position, digit);
    setCursorPosition(position + 1 == 1 ? 2 : position + 1);
    emit textEdited(text());
}

void MaskedNumberEdit::blank(int position) {
    if (!isDigitPosition(position))
        return;
    setCharAt(position, Blank);
    emit textEdited(text());
}

void MaskedNumberEdit::keyPressEvent(QKeyEvent* event) {
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int position = cursorPosition();
    switch (event->key()) {
    case Qt::Key_Backspace: {
        int target = position - 1;
        if (target == 1)
            target = 0;
        if (target >= 0) {
            blank(target);
            setCursorPosition(target);
        }
        return;
    }
    case Qt::Key_Delete:
        blank(position == 1 ? 2 : position);
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        const QChar c = typed.at(0);
        if (c.isDigit() && c.unicode() < 128)
            typeDigit(c);
        else if (c == Blank && isDigitPosition(position)) {
            blank(position);
            setCursorPosition(position + 1);
        } else if (c == Point)
            setCursorPosition(2);
        return; // no other character fits a number field
    }
    // Cursor movement, selection, copy and the like; cut and paste keep the format through the
    // textEdited check.
    QLineEdit::keyPressEvent(event);
}

void MaskedNumberEdit::inputMethodEvent(QInputMethodEvent* event) {
    event->accept(); // composed text never fits a number field
}
