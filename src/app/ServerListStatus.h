#pragma once

#include "launch/ServerQuery.h"

#include <QObject>
#include <QSet>
#include <QTimer>

class QAbstractButton;
class QComboBox;
class QStandardItemModel;
class QTreeView;
class ServerListDialog;

// The status of the servers of the Connect to Server box: its drop-down list shows ping,
// players/maximum, map and name in columns beside each address, asked again whenever the list
// opens (unless a round is still running) and when Refresh is pressed. The entries' own text stays
// the address, so choosing one puts only the address into the box.
class ServerListStatus : public QObject {
    Q_OBJECT

public:
    enum Column { Address, Ping, Players, Map, Name, ColumnCount };

    ServerListStatus(QComboBox& box, QAbstractButton& refresh, QObject* parent = nullptr);

    ServerQuery& query() { return query_; }

    // Asks every server the box lists.
    void askAgain();

    // Shows the same beside the lines of the server list editor, with a Refresh button of its
    // own; the servers are asked once it opens when it shows servers.txt.
    void addTo(ServerListDialog& editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStandardItemModel& model() const;
    void setUpView();
    void fillRows(int first, int last);
    void showResult(const QString& address);
    void showChanged();
    void showRow(int row);
    void fitColumns();

    QComboBox& box_;
    QTreeView* view_;
    ServerQuery query_;
    // Results are shown in batches: thousands of servers answer within a moment.
    QSet<QString> changed_;
    QTimer showChanged_;
};
