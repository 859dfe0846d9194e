#include "DeathmatchFlags.h"

#include <QCheckBox>

namespace {

QCheckBox* boxOf(const QWidget& root, const DeathmatchFlag& flag) {
    return root.findChild<QCheckBox*>(QLatin1String(flag.name));
}

} // namespace

int deathmatchFlagNumber(const QWidget& root) {
    return deathmatchFlagNumber([&](const DeathmatchFlag& flag) {
        const QCheckBox* box = boxOf(root, flag);
        return box && box->isChecked();
    });
}

void applyDeathmatchFlags(QWidget& root, int number) {
    for (const DeathmatchFlag& flag : deathmatchFlags()) {
        if (QCheckBox* box = boxOf(root, flag))
            box->setChecked(deathmatchFlagChecked(flag, number));
    }
}
