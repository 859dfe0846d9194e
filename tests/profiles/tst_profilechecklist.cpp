#include "platform/VexaError.h"
#include "profiles/ProfileCheckList.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

namespace {
QVector<ProfileItem> listed(const QListWidget& list) {
    QVector<ProfileItem> items;
    for (int i = 0; i < list.count(); ++i)
        items.push_back({list.item(i)->text(), list.item(i)->checkState() == Qt::Checked});
    return items;
}
} // namespace

class TestProfileCheckList : public QObject {
    Q_OBJECT

private slots:
    void fillShowsTextsAndMarksWithoutClickNotice() {
        QListWidget list;
        QSignalSpy clicks(&list, &QListWidget::itemChanged);
        fillCheckList(list, {{"old", true}});
        const QVector<ProfileItem> items{{"jump", true}, {"duck", false}, {"jump", true}};
        fillCheckList(list, items);
        QCOMPARE(listed(list), items);
        QVERIFY(list.item(1)->flags().testFlag(Qt::ItemIsUserCheckable));
        QCOMPARE(list.item(1)->checkState(), Qt::Unchecked); // a box is shown, just empty
        QCOMPARE(clicks.count(), 0);

        setCheckMark(*list.item(1), true);
        setCheckMark(*list.item(0), false);
        QCOMPARE(listed(list),
                 (QVector<ProfileItem>{{"jump", false}, {"duck", true}, {"jump", true}}));
        QCOMPARE(clicks.count(), 0);

        // A change the user makes still reaches the handler.
        list.item(2)->setCheckState(Qt::Unchecked);
        QCOMPARE(clicks.count(), 1);
    }

    void failedLoadLeavesTheListEmpty() {
        TestEnvironment env;
        const QString profile =
            env.writeFile("program/bad.vexa", "[NumberOfSections]\nAliases=x\n");
        QListWidget list;
        fillCheckList(list, {{"stale", false}});
        QVERIFY_THROWS_EXCEPTION(VexaError,
                                 refillCheckList(list, ProfileFile::loadAliasList, profile));
        QCOMPARE(list.count(), 0);

        const QString good = env.writeFile("program/good.vexa", "[NumberOfSections]\nSettings=1\n"
                                                                "[Setting1]\nSetting=fov\n"
                                                                "SettingValue=90\nChecked=true\n");
        refillCheckList(list, ProfileFile::loadSettingList, good);
        QCOMPARE(listed(list), (QVector<ProfileItem>{{"fov = 90", true}}));
    }
};

VEXA_TEST(TestProfileCheckList)
#include "tst_profilechecklist.moc"
