#include "InfoProbe.h"
#include "MenuEntries.h"
#include "controls/BindingEdit.h"
#include "controls/KeyCaptureEdit.h"
#include "controls/MultiKeyDialog.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

struct Definition {
    QString command, defaultKey, caption, description;
};

// The catalogue's stream order.
void define(BindingEdit& bind, QLabel& label, const Definition& d) {
    bind.setGeometry(120, 60, 85, 21);
    bind.setToolTip(QStringLiteral("designer hint"));
    bind.setText(d.defaultKey);
    bind.setSupValue(d.defaultKey);
    bind.setSupDefault(d.defaultKey);
    bind.setSupCommand(d.command);
    bind.setSupDescription(d.description);
    bind.setSupNotes({QStringLiteral("note")});
    bind.setSupLabel(&label);
    bind.setSupLabelPosition(PosLeft);
    bind.setSupLabelCaption(d.caption);
}

void setKeys(BindingEdit& bind, const QStringList& keys) {
    bind.setSupValue(keys[0]);
    bind.setSupValue2(keys[1]);
    bind.setSupValue3(keys[2]);
    bind.setSupValue4(keys[3]);
}

QStringList keysOf(const BindingEdit& bind) {
    return {bind.supValue(), bind.supValue2(), bind.supValue3(), bind.supValue4()};
}

bool highlighted(const BindingEdit& bind) {
    const QPalette system = QApplication::palette(&bind);
    const QPalette shown = bind.palette();
    const bool highlight = shown.color(QPalette::Base) == system.color(QPalette::Highlight) &&
                           shown.color(QPalette::Text) == system.color(QPalette::HighlightedText);
    const bool window = shown.color(QPalette::Base) == system.color(QPalette::Base) &&
                        shown.color(QPalette::Text) == system.color(QPalette::Text);
    return highlight && !window;
}

QMenu& popupOf(BindingEdit& bind) {
    if (!bind.popupMenu())
        QTest::mousePress(&bind, Qt::RightButton);
    return *bind.popupMenu();
}

void choose(BindingEdit& bind, const QStringList& path) {
    QMenu* menu = &popupOf(bind);
    for (const QString& caption : path.mid(0, path.size() - 1))
        menu = submenu(*menu, caption);
    menuEntry(*menu, path.last())->trigger();
}

// Runs `drive` on the multi-key dialog once the code under test has opened it; any other modal
// widget is closed so that the test cannot hang.
void onMultiKey(bool& seen, std::function<void(MultiKeyDialog&)> drive) {
    QTimer::singleShot(0, [&seen, drive] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<MultiKeyDialog*>(modal);
        seen = dialog != nullptr;
        if (dialog)
            drive(*dialog);
        if (modal && modal->isVisible())
            modal->close();
    });
}

const QStringList keypadEntries = {
    "KP_HOME", "KP_PGUP", "KP_PGDN",    "KP_ENTER",     "KP_INS", "KP_DEL",        "KP_MINUS",
    "KP_PLUS", "KP_END",  "KP_UPARROW", "KP_LEFTARROW", "KP_5",   "KP_RIGHTARROW", "KP_DOWNARROW"};

} // namespace

class TestBindingEdit : public QObject {
    Q_OBJECT
private slots:
    void construction();
    void definedInStreamOrder();
    void namesFromCommand_data();
    void namesFromCommand();
    void primaryKeyClearsFirstEqualFurtherKey_data();
    void primaryKeyClearsFirstEqualFurtherKey();
    void primaryKeyFromItsOwnFurtherSlot();
    void highlightedWhileFurtherKeys_data();
    void highlightedWhileFurtherKeys();
    void defaultBecomesPrimaryKey();
    void backspaceUnbindsOnlyThePrimaryKey();
    void popupEntries();
    void choosingAnEntryBindsIt_data();
    void choosingAnEntryBindsIt();
    void submenuEntriesChangeNothing();
    void moreInformationShowsTheKeys();
    void multiKeyDialogShowsTheBinding();
    void multiKeyOkAppliesKeysPrimaryLast();
    void multiKeyCancelChangesNothing_data();
    void multiKeyCancelChangesNothing();
};

void TestBindingEdit::construction() {
    BindingEdit bind;
    QCOMPARE(bind.width(), 85);
    QCOMPARE(bind.toolTip(), QStringLiteral("  ()"));
    QCOMPARE(bind.statusTip(), QStringLiteral("  ()"));
    QVERIFY(bind.supNotes().isEmpty());
    QVERIFY(!bind.supLabel());
    QVERIFY(!bind.popupMenu());
    QVERIFY(!highlighted(bind));
}

void TestBindingEdit::definedInStreamOrder() {
    QWidget tab;
    auto* bind = new BindingEdit(&tab);
    auto* label = new QLabel(&tab);
    define(*bind, *label, {"+lookup", "PGDN", "Up", "When active the player is looking up"});

    QCOMPARE(bind->text(), QStringLiteral("PGDN"));
    QCOMPARE(keysOf(*bind), (QStringList{"PGDN", "", "", ""}));
    QCOMPARE(bind->supDefault(), QStringLiteral("PGDN"));
    QCOMPARE(bind->toolTip(), QStringLiteral("PGDN  (When active the player is looking up)"));
    QCOMPARE(bind->statusTip(), bind->toolTip());
    QCOMPARE(bind->objectName(), QStringLiteral("sublookup"));
    QCOMPARE(label->objectName(), QStringLiteral("lbllookup"));
    QCOMPARE(label->text(), QStringLiteral("Up"));
    QCOMPARE(label->pos(), labelPlacement(bind->geometry(), label->size(), PosLeft));
    QCOMPARE(bind->supNotes(), QStringList{"note"});
    QVERIFY(!highlighted(*bind));
}

void TestBindingEdit::namesFromCommand_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");
    QTest::newRow("plus") << "+lookup"
                          << "lookup";
    QTest::newRow("blanks") << "use grenade launcher"
                            << "use_grenade_launcher";
    QTest::newRow("plain") << "centerview"
                           << "centerview";
    QTest::newRow("only the leading plus") << "++x +y"
                                           << "+x_+y";
    QTest::newRow("empty") << ""
                           << "";
}

void TestBindingEdit::namesFromCommand() {
    QFETCH(QString, command);
    QFETCH(QString, name);
    QWidget tab;
    auto* bind = new BindingEdit(&tab);
    auto* label = new QLabel(QStringLiteral("Up"), &tab);
    bind->setSupLabel(label);
    bind->setSupCommand(command);
    QCOMPARE(bind->objectName(), "sub" + name);
    QCOMPARE(label->objectName(), "lbl" + name);
}

void TestBindingEdit::primaryKeyClearsFirstEqualFurtherKey_data() {
    QTest::addColumn<QStringList>("further");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("first of two equal")
        << QStringList{"MOUSE2", "", "MOUSE2"} << "MOUSE2" << QStringList{"", "", "MOUSE2"};
    QTest::newRow("case counts") << QStringList{"MOUSE2", "", ""} << "mouse2"
                                 << QStringList{"MOUSE2", "", ""};
    QTest::newRow("third") << QStringList{"a", "b", "b"} << "b" << QStringList{"a", "", "b"};
    QTest::newRow("fourth") << QStringList{"a", "b", "c"} << "c" << QStringList{"a", "b", ""};
    QTest::newRow("none equal") << QStringList{"a", "b", "c"} << "d" << QStringList{"a", "b", "c"};
}

void TestBindingEdit::primaryKeyClearsFirstEqualFurtherKey() {
    QFETCH(QStringList, further);
    QFETCH(QString, key);
    QFETCH(QStringList, after);
    BindingEdit bind;
    setKeys(bind, QStringList{"x"} + further);
    bind.setSupValue(key);
    QCOMPARE(keysOf(bind), QStringList{key} + after);
    QCOMPARE(bind.text(), key);
}

void TestBindingEdit::primaryKeyFromItsOwnFurtherSlot() {
    BindingEdit bind;
    setKeys(bind, {"x", "w", "", ""});
    bind.setSupValue(bind.supValue2()); // the very slot it clears
    QCOMPARE(keysOf(bind), (QStringList{"w", "", "", ""}));
    QCOMPARE(bind.text(), QStringLiteral("w"));
}

void TestBindingEdit::highlightedWhileFurtherKeys_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("highlight");
    QTest::newRow("one key") << QStringList{"a", "", "", ""} << false;
    QTest::newRow("no key") << QStringList{"", "", "", ""} << false;
    QTest::newRow("second") << QStringList{"a", "b", "", ""} << true;
    QTest::newRow("only third") << QStringList{"a", "", "c", ""} << true;
    QTest::newRow("fourth without primary") << QStringList{"", "", "", "d"} << true;
    QTest::newRow("blanks") << QStringList{"a", "  ", " ", ""} << false;
}

void TestBindingEdit::highlightedWhileFurtherKeys() {
    QFETCH(QStringList, keys);
    QFETCH(bool, highlight);
    BindingEdit bind;
    setKeys(bind, keys);
    QCOMPARE(highlighted(bind), highlight);
    QCOMPARE(bind.text(), keys[0]);

    // Clearing the further keys, by blanks or by the primary key taking them, restores the colours.
    bind.setSupValue2(QStringLiteral(" "));
    bind.setSupValue3(QString());
    bind.setSupValue(keys[3]);
    QVERIFY(!highlighted(bind));
}

void TestBindingEdit::defaultBecomesPrimaryKey() {
    BindingEdit bind;
    setKeys(bind, {"a", "b", "TAB", ""});
    bind.setSupDescription(QStringLiteral("Shows the scores"));
    bind.setSupDefault(QStringLiteral("TAB"));
    QCOMPARE(keysOf(bind), (QStringList{"TAB", "b", "", ""}));
    QCOMPARE(bind.text(), QStringLiteral("TAB"));
    QCOMPARE(bind.toolTip(), QStringLiteral("TAB  (Shows the scores)"));
}

void TestBindingEdit::backspaceUnbindsOnlyThePrimaryKey() {
    BindingEdit bind;
    setKeys(bind, {"END", "HOME", "", "INS"});
    QTest::keyClick(&bind, Qt::Key_Backspace);
    QCOMPARE(keysOf(bind), (QStringList{"", "HOME", "", "INS"}));
    QCOMPARE(bind.text(), QString());
    QVERIFY(highlighted(bind));
}

void TestBindingEdit::popupEntries() {
    BindingEdit bind;
    QTest::mousePress(&bind, Qt::RightButton);
    QMenu* menu = bind.popupMenu();
    QVERIFY(menu);
    QCOMPARE(menuEntries(*menu),
             (QStringList{"Bind Other Keys", "Bind Multiple Keys", "More Information"}));
    const QMenu* other = submenu(*menu, "Bind Other Keys");
    QCOMPARE(menuEntries(*other),
             (QStringList{"SHIFT", "DEL", "TAB", "F10", "-", "Mouse Actions", "-", "Keypad Keys"}));
    QCOMPARE(menuEntries(*submenu(*other, "Mouse Actions")),
             (QStringList{"MOUSE1", "MOUSE2", "MOUSE3", "-", "MWHEELUP", "MWHEELDOWN"}));
    QCOMPARE(menuEntries(*submenu(*other, "Keypad Keys")), keypadEntries);
}

void TestBindingEdit::choosingAnEntryBindsIt_data() {
    QTest::addColumn<QStringList>("path");
    QTest::newRow("SHIFT") << QStringList{"Bind Other Keys", "SHIFT"};
    QTest::newRow("DEL") << QStringList{"Bind Other Keys", "DEL"};
    QTest::newRow("MWHEELDOWN") << QStringList{"Bind Other Keys", "Mouse Actions", "MWHEELDOWN"};
    for (const QString& key : keypadEntries)
        QTest::newRow(qPrintable(key)) << QStringList{"Bind Other Keys", "Keypad Keys", key};
}

void TestBindingEdit::choosingAnEntryBindsIt() {
    QFETCH(QStringList, path);
    BindingEdit bind;
    setKeys(bind, {"a", "", path.last(), ""});
    choose(bind, path);
    QCOMPARE(keysOf(bind), (QStringList{path.last(), "", "", ""}));
    QCOMPARE(bind.text(), path.last());
}

void TestBindingEdit::submenuEntriesChangeNothing() {
    BindingEdit bind;
    setKeys(bind, {"a", "b", "", ""});
    QMenu& menu = popupOf(bind);
    QMenu* other = submenu(menu, "Bind Other Keys");
    for (QMenu* opened :
         {other, submenu(*other, "Mouse Actions"), submenu(*other, "Keypad Keys")}) {
        opened->menuAction()->trigger();
        opened->menuAction()->hover();
    }
    QCOMPARE(keysOf(bind), (QStringList{"a", "b", "", ""}));
    QCOMPARE(bind.text(), QStringLiteral("a"));
}

void TestBindingEdit::moreInformationShowsTheKeys() {
    BindingEdit bind;
    bind.setSupDefault(QStringLiteral("END"));
    setKeys(bind, {"HOME", "", "MOUSE3", "x"});
    bind.setSupCommand(QStringLiteral("centerview"));
    InfoSnapshot info;
    probeNextInfo(info);
    choose(bind, {"More Information"});
    QVERIFY(info.seen);
    QCOMPARE(info.title, QStringLiteral("centerview"));
    const QStringList fields = {"txtDefault", "txtCurrent1", "txtCurrent2", "txtCurrent3",
                                "txtCurrent4"};
    QStringList shown;
    for (const QString& field : fields)
        shown << info.texts.value(field);
    QCOMPARE(shown, (QStringList{"END", "HOME", "", "MOUSE3", "x"}));
}

void TestBindingEdit::multiKeyDialogShowsTheBinding() {
    BindingEdit bind;
    bind.setSupDefault(QStringLiteral("MOUSE1"));
    setKeys(bind, {"MOUSE1", "CTRL", "", "x"});
    bind.setSupCommand(QStringLiteral("+attack"));
    QCursor::setPos(210, 140);
    bool seen = false;
    onMultiKey(seen, [](MultiKeyDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("+attack"));
        QCOMPARE(dialog.size(), QSize(183, 285));
        QVERIFY(dialog.minimumSize() != dialog.maximumSize()); // sizeable
        QCOMPARE(dialog.frameGeometry().topLeft(), QPoint(210, 140));
        QCOMPARE(dialog.defaultBox()->text(), QStringLiteral("MOUSE1"));
        QCOMPARE(dialog.defaultBox()->palette().color(QPalette::Base),
                 dialog.palette().color(QPalette::Button));
        const QStringList names = {"keyValue1", "keyValue2", "keyValue3", "keyValue4"};
        const QStringList keys = {"MOUSE1", "CTRL", "", "x"};
        for (int i = 0; i < 4; ++i) {
            auto* box = dialog.findChild<KeyCaptureEdit*>(names[i]);
            QVERIFY(box);
            QCOMPARE(box->text(), keys[i]);
            QCOMPARE(box->width(), 121);
        }
        QCOMPARE(dialog.findChild<QPushButton*>("BitBtn1")->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.findChild<QPushButton*>("BitBtn2")->text(), QStringLiteral("Cancel"));
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    });
    choose(bind, {"Bind Multiple Keys"});
    QVERIFY(seen);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(bind.findChildren<MultiKeyDialog*>().isEmpty());
}

void TestBindingEdit::multiKeyOkAppliesKeysPrimaryLast() {
    BindingEdit bind;
    setKeys(bind, {"a", "b", "c", "d"});
    bool seen = false;
    onMultiKey(seen, [](MultiKeyDialog& dialog) {
        QTest::keyClick(dialog.keyBox(0), Qt::Key_X);
        QTest::keyClick(dialog.keyBox(2), Qt::Key_X);
        // Enter is a key to bind here, not the dialog's OK.
        QTest::keyClick(dialog.keyBox(3), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QTest::mousePress(dialog.keyBox(1), Qt::RightButton);
        menuEntry(*submenu(*dialog.keyBox(1)->popupMenu(), "Bind Other Keys"), "MOUSE2")->trigger();
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    });
    bind.bindMultipleKeys();
    QVERIFY(seen);
    QCOMPARE(keysOf(bind), (QStringList{"x", "MOUSE2", "", "ENTER"}));
    QCOMPARE(bind.text(), QStringLiteral("x"));
    QVERIFY(highlighted(bind));
}

void TestBindingEdit::multiKeyCancelChangesNothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Esc in a key box") << true;
}

void TestBindingEdit::multiKeyCancelChangesNothing() {
    QFETCH(bool, escape);
    BindingEdit bind;
    setKeys(bind, {"a", "", "", ""});
    bool seen = false;
    onMultiKey(seen, [escape](MultiKeyDialog& dialog) {
        QTest::keyClick(dialog.keyBox(0), Qt::Key_X);
        QTest::keyClick(dialog.keyBox(3), Qt::Key_Y);
        if (escape)
            QTest::keyClick(dialog.keyBox(3), Qt::Key_Escape);
        else
            QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    });
    bind.bindMultipleKeys();
    QVERIFY(seen);
    QCOMPARE(keysOf(bind), (QStringList{"a", "", "", ""}));
    QVERIFY(!highlighted(bind));
}

VEXA_TEST(TestBindingEdit)
#include "tst_bindingedit.moc"
