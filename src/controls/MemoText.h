#pragma once

#include <QString>

class QPlainTextEdit;

// The memo's text with its lines joined by '\n' and every character as it was put in.
// QPlainTextEdit::toPlainText turns no-break spaces into blanks, which would change the bytes of
// an 8-bit file that is read into a memo and saved again.
QString memoText(const QPlainTextEdit& memo);
