#include "controls/ChoiceBox.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList itemsOf(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

} // namespace

class TestComboItems : public QObject {
    Q_OBJECT

private slots:
    void keepsTextSelectsNothing_data() {
        QTest::addColumn<QStringList>("oldItems");
        QTest::addColumn<int>("selected"); // -1: the text is typed
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("newItems");
        QTest::newRow("empty box, empty text")
            << QStringList{} << -1 << "" << QStringList{"a", "b"};
        QTest::newRow("empty box, typed text")
            << QStringList{} << -1 << "typed" << QStringList{"a", "b"};
        QTest::newRow("typed text equal to a new item")
            << QStringList{"x"} << -1 << "b" << QStringList{"a", "b"};
        QTest::newRow("selected item goes")
            << QStringList{"x", "y"} << 1 << "y" << QStringList{"a"};
        QTest::newRow("selected item stays")
            << QStringList{"a", "b"} << 0 << "a" << QStringList{"a", "b"};
        QTest::newRow("no items left") << QStringList{"x"} << 0 << "x" << QStringList{};
    }
    void keepsTextSelectsNothing() {
        QFETCH(QStringList, oldItems);
        QFETCH(int, selected);
        QFETCH(QString, text);
        QFETCH(QStringList, newItems);
        QComboBox box;
        box.setEditable(true);
        box.addItems(oldItems);
        if (selected >= 0)
            box.setCurrentIndex(selected);
        else
            box.setEditText(text);
        QCOMPARE(box.currentText(), text);

        replaceChoiceItems(box, newItems);
        QCOMPARE(itemsOf(box), newItems);
        QCOMPARE(box.currentIndex(), -1);
        QCOMPARE(box.currentText(), text);
        QCOMPARE(box.lineEdit()->text(), text);
    }

    void handlersSeeNoChange() {
        QComboBox box;
        box.setEditable(true);
        box.addItems({"x", "y"});
        box.setCurrentIndex(1);
        QSignalSpy index(&box, &QComboBox::currentIndexChanged);
        QSignalSpy text(&box, &QComboBox::currentTextChanged);
        QSignalSpy edited(&box, &QComboBox::editTextChanged);
        replaceChoiceItems(box, {"a", "b"});
        QCOMPARE(index.count() + text.count() + edited.count(), 0);
    }
};

VEXA_TEST(TestComboItems)
#include "tst_choicebox.moc"
