#pragma once

#include <QComboBox>
#include <QStringList>

// The entries of a combo box's list, in order.
inline QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}
