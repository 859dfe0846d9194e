#include "ServerStatusPane.h"

#include "launch/ServerQuery.h"
#include "launch/ServerStatusText.h"
#include "platform/TextFile.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

namespace {

constexpr int CellPadding = 12;

} // namespace

StatusColumnWidths statusColumnWidths(const QFontMetrics& metrics) {
    const int character = metrics.averageCharWidth();
    return {metrics.horizontalAdvance(QStringLiteral("9999 ms")) + CellPadding,
            metrics.horizontalAdvance(QStringLiteral("Players")) + CellPadding,
            character * 10 + CellPadding, character * 26 + CellPadding};
}

ServerStatusPane::ServerStatusPane(QPlainTextEdit& memo, ServerQuery& query, QWidget* parent)
    : QFrame(parent), memo_(memo), query_(query) {
    setObjectName(QStringLiteral("pnlServerStatus"));
    setFrameStyle(memo.frameStyle());
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    const auto repaint = [this] { update(); };
    // The lines move when the memo scrolls or its text changes.
    connect(memo_.verticalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(&memo_, &QPlainTextEdit::textChanged, this, repaint);
    connect(&query_, &ServerQuery::resultChanged, this, repaint);
}

QSize ServerStatusPane::sizeHint() const {
    return {statusColumnWidths(fontMetrics()).total() + frameWidth() * 2,
            memo_.sizeHint().height()};
}

void ServerStatusPane::askAgain() {
    query_.ask(TextFile::splitLines(memo_.toPlainText()));
}

void ServerStatusPane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const StatusColumnWidths widths = statusColumnWidths(fontMetrics());
    const int columnWidths[] = {widths.ping, widths.players, widths.map, widths.name};
    const QWidget* viewport = memo_.viewport();
    const int top = mapFromGlobal(viewport->mapToGlobal(QPoint(0, 0))).y();
    painter.setClipRect(QRect(0, top, width(), viewport->height()).intersected(contentsRect()));
    for (QTextBlock block = memo_.cursorForPosition(QPoint(0, 0)).block(); block.isValid();
         block = block.next()) {
        const QRect line = memo_.cursorRect(QTextCursor(block)).translated(0, top);
        if (line.top() > top + viewport->height())
            break;
        const auto result = query_.result(block.text());
        if (!result)
            continue;
        const ServerStatusText::Columns columns = ServerStatusText::columnsOf(*result);
        const QString texts[] = {columns.ping, columns.players, columns.map, columns.name};
        int x = contentsRect().left();
        for (int i = 0; i < 4; ++i) {
            const QRect cell(x, line.top(), columnWidths[i] - CellPadding, line.height());
            const Qt::Alignment alignment =
                (i < 2 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
            painter.setPen(palette().color(result->state == ServerState::Answered || i != 3
                                               ? QPalette::WindowText
                                               : QPalette::PlaceholderText));
            painter.drawText(cell, static_cast<int>(alignment),
                             fontMetrics().elidedText(texts[i], Qt::ElideRight, cell.width()));
            x += columnWidths[i];
        }
    }
}
