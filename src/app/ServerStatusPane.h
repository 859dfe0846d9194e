#pragma once

#include <QFrame>

class QFontMetrics;
class QPlainTextEdit;
class ServerQuery;

// Widths of the status columns, wide enough for what they usually hold; longer texts are elided.
struct StatusColumnWidths {
    int ping;
    int players;
    int map;
    int name;
    int total() const { return ping + players + map + name; }
};
StatusColumnWidths statusColumnWidths(const QFontMetrics& metrics);

// Beside a memo of server addresses, one per line: each line's ping, players, map and name, on
// the line's own height, following the memo as it scrolls and as answers come in. Framed like the
// memo, so the two read as one list.
class ServerStatusPane : public QFrame {
    Q_OBJECT

public:
    ServerStatusPane(QPlainTextEdit& memo, ServerQuery& query, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // Asks every server the memo lists now.
    void askAgain();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPlainTextEdit& memo_;
    ServerQuery& query_;
};
