#include "config/SettingControls.h"
#include "controls/BindingEdit.h"
#include "controls/SettingCheckBox.h"
#include "controls/SettingSpinBox.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QGroupBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

namespace {

SettingCheckBox* checkBox(QWidget* parent, const QString& command, bool value = false,
                          bool def = false) {
    auto* box = new SettingCheckBox(parent);
    box->setSupCommand(command);
    box->setSupDefault(def);
    box->setSupValue(value);
    return box;
}

SettingSpinBox* spin(QWidget* parent, const QString& command, int value = 0, int def = 0) {
    auto* edit = new SettingSpinBox(parent);
    edit->setSupCommand(command);
    edit->setSupDefault(def);
    edit->setSupValue(value);
    return edit;
}

BindingEdit* binding(QWidget* parent, const QString& command, const QString& def = {},
                     const QStringList& keys = {}) {
    auto* bind = new BindingEdit(parent);
    bind->setSupCommand(command);
    bind->setSupDefault(def);
    for (int slot = 1; slot <= keys.size(); ++slot)
        bind->setKeySlot(slot, keys[slot - 1]);
    return bind;
}

QStringList commandsInOrder(QWidget* root) {
    QStringList commands;
    forEachSettingControl(root, [&](SettingControl& c) { commands << c.supCommand(); });
    return commands;
}

QStringList keys(const BindingEdit& bind) {
    return {bind.supValue(), bind.supValue2(), bind.supValue3(), bind.supValue4()};
}

// Runs the lines and gives the controls below `root` what they end with; returns what each
// control read.
std::vector<CfgOrigin> runLines(ControlIndex& index, const QStringList& lines) {
    CfgVariables variables;
    addControlVariables(variables, index, 0, Engine::id);
    CfgScript script(lines, variables, Engine::id);
    return applyCfgScript(index, script, 0, currentEngine());
}

std::vector<CfgOrigin> runLines(QWidget* root, const QStringList& lines) {
    ControlIndex index = indexSettingControls(root);
    return runLines(index, lines);
}

} // namespace

class TestSettingControls : public QObject {
    Q_OBJECT
private slots:
    void walksInWindowOrder();
    void indexFilesFirstControlIgnoringCase();
    void checkBoxValues_data();
    void checkBoxValues();
    void applyLines();
    void bindLinesFillFourSlotsInFileOrder();
    void valuesAControlCannotShow();
    void writeLines();
    void writeWhatWasRead();
    void optimizedSaving();
    void resetToDefaults();
    void settingsTheEngineLacks();
};

void TestSettingControls::walksInWindowOrder() {
    QWidget root;
    checkBox(&root, "a");
    auto* group = new QGroupBox(&root);
    spin(group, "b");
    binding(group, "c");

    // Qt keeps the children of a stack in stacking order, the current page last; the walk
    // keeps page order whichever page is shown.
    auto* tabs = new QTabWidget(&root);
    for (const char* name : {"tab1", "tab2"}) {
        auto* page = new QWidget;
        checkBox(page, name);
        tabs->addTab(page, name);
    }
    tabs->setCurrentIndex(1);
    tabs->setCurrentIndex(0);

    auto* stack = new QStackedWidget(&root);
    auto* later = new QWidget(stack);
    checkBox(later, "page2");
    auto* earlier = new QWidget(stack);
    checkBox(earlier, "page1");
    stack->addWidget(later);
    stack->insertWidget(0, earlier);
    stack->setCurrentIndex(1);
    stack->setCurrentIndex(0);

    // A dialog the window owns is a window of its own.
    auto* dialog = new QDialog(&root);
    checkBox(dialog, "dialog");
    checkBox(&root, "z");

    QCOMPARE(commandsInOrder(&root),
             (QStringList{"a", "b", "c", "tab1", "tab2", "page1", "page2", "z"}));
}

void TestSettingControls::indexFilesFirstControlIgnoringCase() {
    QWidget root;
    auto* first = checkBox(&root, "Fov");
    auto* second = spin(&root, "fov");
    auto* attack = binding(&root, "+attack", "CTRL", {"CTRL", "MOUSE1", "a", "b"});
    auto* disabled = binding(&root, "+use", "ENTER");
    disabled->setEnabled(false);
    auto* umlaut = checkBox(&root, QStringLiteral("\u00C4rger"));
    auto* kelvin = checkBox(&root, QStringLiteral("\u212Aelvin")); // the Kelvin sign folds to k

    ControlIndex index = indexSettingControls(&root);
    QCOMPARE(index.size(), 6);
    QCOMPARE(index.find(u"FOV")->control, first);
    QVERIFY(index.find(u"fov")->control != second);
    QCOMPARE(index.find(u"+ATTACK")->control, attack);
    QCOMPARE(index.find(u"\u00E4RGER")->control, umlaut);
    QCOMPARE(index.find(u"KELVIN")->control, kelvin);
    QVERIFY(!index.find(u"sv_gravity"));
    QVERIFY(!index.find(u"fo"));
    QVERIFY(!index.find(u"+attack "));
    QCOMPARE(keys(*attack), (QStringList{"CTRL", "MOUSE1", "a", "b"}));

    // Lines that bind nothing leave every binding, enabled or not, without keys.
    runLines(index, {"unbindall"});
    QCOMPARE(keys(*attack), (QStringList{"", "", "", ""}));
    QCOMPARE(attack->text(), QString());
    QCOMPARE(keys(*disabled), (QStringList{"", "", "", ""}));
}

void TestSettingControls::checkBoxValues_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("checked");
    QTest::newRow("1") << "1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("other number") << "2" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("comment after the value") << "1 // on" << false;
    QTest::newRow("word") << "yes" << false;
}

void TestSettingControls::checkBoxValues() {
    QFETCH(QString, value);
    QFETCH(bool, checked);
    QWidget root;
    auto* box = checkBox(&root, "in_mouse", !checked);
    runLines(&root, {"set in_mouse \"" + value + "\""});
    QCOMPARE(box->supValue(), checked);
    QCOMPARE(box->isChecked(), checked);
}

void TestSettingControls::applyLines() {
    QWidget root;
    auto* mouse = checkBox(&root, "in_mouse", false);
    auto* lookspring = checkBox(&root, "lookspring", true);
    auto* gravity = spin(&root, "sv_gravity", 800, 800);
    auto* fov = spin(&root, "fov", 90, 90);
    auto* attack = binding(&root, "+attack", "CTRL");
    auto* unmentioned = binding(&root, "+use", "ENTER");
    auto* duplicate = checkBox(&root, "IN_MOUSE", false);

    runLines(&root, {
                        "// generated by quake, do not modify",
                        "unbindall",
                        "Set in_mouse \"1\"",
                        "set sv_gravity \"-20\"",
                        "bind x \"+ATTACK\"",
                        "\tfov 120 // wide",
                        "alias message1 \"say hi\"",
                    });
    QCOMPARE(mouse->supValue(), true);
    QCOMPARE(duplicate->supValue(), false);
    QCOMPARE(lookspring->supValue(), true);
    QCOMPARE(gravity->supValue(), -20);
    QCOMPARE(gravity->value(), -20);
    QCOMPARE(fov->supValue(), 120);
    QCOMPARE(keys(*attack), (QStringList{"x", "", "", ""}));
    QCOMPARE(attack->text(), QStringLiteral("x"));
    QCOMPARE(keys(*unmentioned), (QStringList{"", "", "", ""}));
}

void TestSettingControls::bindLinesFillFourSlotsInFileOrder() {
    QWidget root;
    auto* attack = binding(&root, "+attack", "CTRL");
    runLines(&root, {"bind MOUSE1 \"+attack\"", "bind CTRL \"+attack\"", "Bind a \"+attack\"",
                     "bind b \"+Attack\"", "bind c \"+attack\""});
    // The last four: a save writes the first key's own line before the window's lines.
    QCOMPARE(keys(*attack), (QStringList{"CTRL", "a", "b", "c"}));

    // A key counts for the command it is bound to at the end, in the place of that binding; a
    // single character is its own key ("Y" is not "y"); commands the game drops for an unmatched
    // quote bind nothing.
    runLines(&root, {"bind x +attack", "bind y +attack", "bind x \"+moveup\"", "bind x +attack",
                     "bind z \"+att\"ack\"", "unbind Y", "bind w \"+attack"});
    QCOMPARE(keys(*attack), (QStringList{"y", "x", "", ""}));
    QCOMPARE(attack->text(), QStringLiteral("y"));
}

// The file's text stays what the control read; the control shows what the game would make of it.
void TestSettingControls::valuesAControlCannotShow() {
    QWidget root;
    auto* gravity = spin(&root, "sv_gravity", 0);
    auto* timeout = spin(&root, "timeout", 7);
    auto* mouse = checkBox(&root, "in_mouse", true);
    auto* unread = spin(&root, "fov", 110);
    const std::vector<CfgOrigin> origins =
        runLines(&root, {"set sv_gravity \"800.5\"", "timeout x", "set in_mouse \"2\""});
    QCOMPARE(gravity->supValue(), 800);
    QCOMPARE(timeout->supValue(), 0);
    QCOMPARE(mouse->supValue(), false);
    QCOMPARE(unread->supValue(), 110);
    QCOMPARE(origins[0].read.value_or("<none>"), QStringLiteral("800.5"));
    QCOMPARE(origins[0].loaded, QStringLiteral("800"));
    QCOMPARE(origins[1].read.value_or("<none>"), QStringLiteral("x"));
    QCOMPARE(origins[2].read.value_or("<none>"), QStringLiteral("2"));
    QVERIFY(!origins[3].read);
}

void TestSettingControls::writeLines() {
    QWidget root;
    checkBox(&root, "in_mouse", true, true);
    auto* off = checkBox(&root, "freelook", true);
    off->setEnabled(false);
    auto* group = new QGroupBox(&root);
    group->setEnabled(false);
    spin(group, "fov", -100, 90);
    binding(group, "+attack", "CTRL", {"CTRL", " ", "MOUSE1"});
    binding(&root, "+use");

    QStringList lines{"set name \"x\""};
    writeControlLines(lines, indexSettingControls(&root), false);
    QCOMPARE(lines, (QStringList{"set name \"x\"", "Set in_mouse \"1\"", "Set fov \"-100\"",
                                 "Bind CTRL \"+attack\"", "Bind MOUSE1 \"+attack\""}));

    // An index made before a control changes writes it as it is now, as a new index does.
    const ControlIndex index = indexSettingControls(&root);
    off->setEnabled(true);
    QStringList fromIndex;
    writeControlLines(fromIndex, index, false);
    lines.clear();
    writeControlLines(lines, indexSettingControls(&root), false);
    QCOMPARE(fromIndex, lines);
    QVERIFY(fromIndex.contains("Set freelook \"1\""));
}

void TestSettingControls::writeWhatWasRead() {
    QWidget root;
    auto* gravity = spin(&root, "sv_gravity", 0, 800);
    auto* mouse = checkBox(&root, "in_mouse", false, true);
    auto* attack = binding(&root, "+attack", "CTRL");
    auto* unread = checkBox(&root, "freelook", false, false);
    checkBox(&root, "dedicated");
    ControlIndex index = indexSettingControls(&root);
    const std::vector<CfgOrigin> origins = runLines(
        index, {"set sv_gravity 800.50", "set in_mouse 2", "bind CTRL +attack", "set dedicated 1"});
    // What was read is written, at its default or disabled too; the rest follows the rules.
    mouse->setEnabled(false);
    QStringList lines;
    writeControlLines(lines, index, true, origins);
    QCOMPARE(lines, (QStringList{"Set sv_gravity \"800.50\"", "Set in_mouse \"2\"",
                                 "Bind CTRL \"+attack\""}));

    gravity->setSupValue(801);
    attack->setSupValue("MOUSE1");
    unread->setSupValue(true);
    lines.clear();
    writeControlLines(lines, index, true, origins);
    QCOMPARE(lines, (QStringList{"Set sv_gravity \"801\"", "Set in_mouse \"2\"",
                                 "Bind MOUSE1 \"+attack\"", "Set freelook \"1\""}));
}

void TestSettingControls::optimizedSaving() {
    QWidget root;
    auto* mouse = checkBox(&root, "in_mouse", true, true);
    auto* fov = spin(&root, "fov", 90, 90);
    auto* attack = binding(&root, "+attack", "CTRL", {"CTRL", "MOUSE1"});
    auto* jump = binding(&root, "+moveup", "SPACE", {"space"});

    QStringList lines;
    writeControlLines(lines, indexSettingControls(&root), true);
    QCOMPARE(lines, QStringList{"Bind space \"+moveup\""});

    mouse->setSupValue(false);
    fov->setSupValue(100);
    attack->setSupValue("MOUSE2");
    jump->setSupValue("SPACE");
    lines.clear();
    writeControlLines(lines, indexSettingControls(&root), true);
    QCOMPARE(lines, (QStringList{"Set in_mouse \"0\"", "Set fov \"100\"", "Bind MOUSE2 \"+attack\"",
                                 "Bind MOUSE1 \"+attack\""}));
}

void TestSettingControls::resetToDefaults() {
    QWidget root;
    auto* mouse = checkBox(&root, "in_mouse", false, true);
    auto* fov = spin(&root, "fov", 120, 90);
    auto* attack = binding(&root, "+attack", "CTRL", {"MOUSE1", "a", "CTRL", "b"});
    auto* strafe = binding(&root, "+moveleft", "", {"z"});

    resetSettingControls(indexSettingControls(&root));
    QCOMPARE(mouse->supValue(), true);
    QVERIFY(mouse->isChecked());
    QCOMPARE(fov->supValue(), 90);
    QCOMPARE(keys(*attack), (QStringList{"CTRL", "", "", ""}));
    QCOMPARE(keys(*strafe), (QStringList{"", "", "", ""}));
}

// A setting the engine has no cvar for is greyed out and named in the tooltip; a new config leaves
// it out, a value read from a file is written back; another engine gives it back.
void TestSettingControls::settingsTheEngineLacks() {
    QWidget root;
    auto* saturate = checkBox(&root, "gl_monolightmap"); // none in Yamagi and Q2PRO
    auto* warp = checkBox(&root, "sw_drawflat");         // none in Q2PRO
    auto* fov = spin(&root, "fov", 90, 90);                  // everywhere
    binding(&root, "+attack", "CTRL", {"CTRL"});
    ControlIndex index = indexSettingControls(&root);
    const auto greyed = [&] {
        QStringList names;
        for (QWidget* w : std::initializer_list<QWidget*>{saturate, warp, fov})
            if (!w->isEnabled())
                names << settingControlOf(w)->supCommand();
        return names.join(u' ');
    };

    markSettingsOfEngine(index, Engine::yamagi);
    QCOMPARE(greyed(), QStringLiteral("gl_monolightmap"));
    QVERIFY(saturate->toolTip().endsWith("Yamagi Quake II has no 'gl_monolightmap': the game "
                                         "ignores it"));
    markSettingsOfEngine(index, Engine::q2pro);
    QCOMPARE(greyed(), QStringLiteral("gl_monolightmap sw_drawflat"));

    QStringList fresh;
    writeControlLines(fresh, index, false);
    QCOMPARE(fresh, (QStringList{"Set fov \"90\"", "Bind CTRL \"+attack\""}));
    QStringList afterLoad;
    writeControlLines(afterLoad, index, false, runLines(index, {"set sw_drawflat 1"}));
    QCOMPARE(afterLoad, QStringList{"Set sw_drawflat \"1\""});

    markSettingsOfEngine(index, Engine::id);
    QCOMPARE(greyed(), QString());
    QCOMPARE(saturate->toolTip(), saturate->statusTip());
}

VEXA_TEST(TestSettingControls)
#include "tst_settingcontrols.moc"
