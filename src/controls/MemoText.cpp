#include "MemoText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

QString memoText(const QPlainTextEdit& memo) {
    QString text = memo.document()->toRawText();
    for (QChar& c : text) {
        // Block and line separators, and the frame marks a plain document never holds.
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xfdd0:
        case 0xfdd1:
            c = QLatin1Char('\n');
            break;
        default:
            break;
        }
    }
    return text;
}
