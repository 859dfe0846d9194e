#include "ProfileCheckList.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace {
Qt::CheckState stateOf(bool checked) {
    return checked ? Qt::Checked : Qt::Unchecked;
}
} // namespace

void fillCheckList(QListWidget& list, const QVector<ProfileItem>& items) {
    list.clear();
    for (const ProfileItem& entry : items) {
        auto* item = new QListWidgetItem(entry.text);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        // Marked before it joins the list, so no itemChanged.
        item->setCheckState(stateOf(entry.checked));
        list.addItem(item);
    }
}

void refillCheckList(QListWidget& list, ProfileListLoader load, const QString& profile) {
    list.clear();
    fillCheckList(list, load(profile));
}

void setCheckMark(QListWidgetItem& item, bool checked) {
    const QSignalBlocker blocker(item.listWidget());
    item.setCheckState(stateOf(checked));
}
