#pragma once

#include <QLineEdit>

// A fixed-format number field such as "9.999": one digit, a point and a number of decimals.
// Every position always shows something: a digit, or a blank for a digit not entered, so the
// text reads " .  5" or "0.002". Typing overwrites one position at a time, Backspace and Delete
// blank a digit, and the point never moves.
class MaskedNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    MaskedNumberEdit(int decimals, QWidget* parent = nullptr);

    // Plain setText() is fitted the same way.
    // Places the text position by position: the point stays where it is, a digit or blank is
    // kept, anything else becomes a blank; missing positions are blank, extra ones are dropped.
    void setMaskedText(const QString& text);
    static QString fitToMask(const QString& text, int decimals);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool isDigitPosition(int position) const { return position != 1 && position < length(); }
    int length() const { return 2 + decimals_; }
    void setCharAt(int position, QChar c);
    void typeDigit(QChar digit);
    void blank(int position);

    int decimals_;
};
