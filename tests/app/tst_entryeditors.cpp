#include "TabFixture.h"

#include "platform/VexaError.h"
#include "profiles/AliasDialog.h"
#include "profiles/BindingDialog.h"
#include "profiles/SettingDialog.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>

namespace {

const QByteArray twoAliases = "[NumberOfSections]\r\nAliases=2\r\nBindings=0\r\nSettings=0\r\n"
                              "[Alias1]\r\nDescriptiveName=Rocket Jump\r\nAliasName=rj\r\n"
                              "AliasLines=1\r\nAline1=+moveup\r\nChecked=true\r\n"
                              "[Alias2]\r\nDescriptiveName=Taunt\r\nAliasName=taunt\r\n"
                              "Description=say it\r\nAliasLines=3\r\nAline1=say one\r\n"
                              "Aline2=say two\r\nAline3=say three\r\n";

void typeLines(QPlainTextEdit* memo, const QStringList& lines) {
    memo->selectAll();
    QTest::keyClick(memo, Qt::Key_Delete);
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, lines[i]);
    }
}

void retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

class TestEntryEditors : public QObject {
    Q_OBJECT

private slots:
    void addingAnAliasWritesTheNextSection() {
        TabFixture f;
        f.writeProfile("Global Aliases", twoAliases);
        f.start();
        ModalScript script;
        script.then<AliasDialog>([](AliasDialog& editor) {
            QCOMPARE(editor.windowTitle(), QString("Alias"));
            QVERIFY(!editor.hiddenItems()->isVisible());
            QCOMPARE(editor.lineNumberBox()->text(), QString("2"));
            QCOMPARE(editor.newAliasBox()->text(), QString("true"));
            QCOMPARE(editor.currentGameBox()->text(), QString("Global Aliases"));
            QVERIFY(editor.descriptiveNameBox()->text().isEmpty());
            QTest::keyClicks(editor.descriptiveNameBox(), "Twenty characters!!!");
            QTest::keyClicks(editor.aliasNameBox(), "combo");
            typeLines(editor.descriptionText(), {"first half, ", "second half"});
            typeLines(editor.aliasText(), {"+attack", "wait", "-attack"});
            TabFixture::click(editor.okButton());
        });
        TabFixture::click(f.page->addEntryButton(EntryKind::Alias));
        QVERIFY(script.done());

        const QString g = f.global();
        QCOMPARE(f.read(g, "NumberOfSections", "Aliases"), QString("3"));
        QCOMPARE(f.read(g, "Alias3", "DescriptiveName"), QString("Twenty character"));
        QCOMPARE(f.read(g, "Alias3", "AliasName"), QString("combo"));
        QCOMPARE(f.read(g, "Alias3", "Description"), QString("first half, second half"));
        QCOMPARE(f.read(g, "Alias3", "AliasLines"), QString("3"));
        QCOMPARE(f.read(g, "Alias3", "Aline1"), QString("+attack"));
        QCOMPARE(f.read(g, "Alias3", "Aline2"), QString("wait"));
        QCOMPARE(f.read(g, "Alias3", "Aline3"), QString("-attack"));
        QCOMPARE(f.read(g, "Alias3", "Checked"), QString("<none>"));
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Alias)),
                 QStringList({"Rocket Jump", "Taunt", "Twenty character"}));
        QCOMPARE(TabFixture::marks(f.page->entryList(EntryKind::Alias)),
                 QList<bool>({true, false, false}));

        // Opened again, the description is one line.
        TabFixture::select(f.page->entryList(EntryKind::Alias), 2);
        script.then<AliasDialog>([](AliasDialog& editor) {
            QCOMPARE(editor.descriptionText()->toPlainText(), QString("first half, second half"));
            QCOMPARE(editor.aliasText()->toPlainText(), QString("+attack\nwait\n-attack"));
            TabFixture::click(editor.cancelButton());
        });
        TabFixture::click(f.page->editEntryButton(EntryKind::Alias));
        QVERIFY(script.done());
    }

    void editingAnAliasDownToTwoLines() {
        TabFixture f;
        f.writeProfile("Global Aliases", twoAliases);
        f.start();
        TabFixture::select(f.page->entryList(EntryKind::Alias), 1);
        ModalScript script;
        script.then<AliasDialog>([](AliasDialog& editor) {
            QCOMPARE(editor.newAliasBox()->text(), QString("false"));
            QCOMPARE(editor.lineNumberBox()->text(), QString("1"));
            QCOMPARE(editor.descriptiveNameBox()->text(), QString("Taunt"));
            QCOMPARE(editor.descriptionText()->toPlainText(), QString("say it"));
            QCOMPARE(editor.aliasText()->toPlainText(), QString("say one\nsay two\nsay three"));
            typeLines(editor.aliasText(), {"say one", "say three"});
            TabFixture::click(editor.okButton());
        });
        // A double-click edits too.
        const QRect cell = f.page->entryList(EntryKind::Alias)
                               ->visualItemRect(f.page->entryList(EntryKind::Alias)->item(1));
        QTest::mouseDClick(f.page->entryList(EntryKind::Alias)->viewport(), Qt::LeftButton, {},
                           cell.center());
        QVERIFY(script.done());

        const QString g = f.global();
        QCOMPARE(f.read(g, "NumberOfSections", "Aliases"), QString("2"));
        QCOMPARE(f.read(g, "Alias2", "AliasLines"), QString("2"));
        QCOMPARE(f.read(g, "Alias2", "Aline2"), QString("say three"));
        QCOMPARE(f.read(g, "Alias2", "Aline3"), QString("say three")); // left, past the count
        QCOMPARE(TabFixture::marks(f.page->entryList(EntryKind::Alias)),
                 QList<bool>({true, false}));

        script.then<AliasDialog>([](AliasDialog& editor) {
            QCOMPARE(editor.aliasText()->toPlainText(), QString("say one\nsay three"));
            TabFixture::click(editor.cancelButton());
        });
        TabFixture::select(f.page->entryList(EntryKind::Alias), 1);
        TabFixture::click(f.page->editEntryButton(EntryKind::Alias));
        QVERIFY(script.done());
    }

    // Cancel, Escape and the title bar close the editors without writing.
    void closingWithoutOkWritesNothing_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("how"); // 0 Cancel, 1 Escape, 2 title bar
        QTest::newRow("alias, title bar") << 0 << 2;
        QTest::newRow("binding, Escape") << 1 << 1;
        QTest::newRow("setting, Cancel") << 2 << 0;
    }
    void closingWithoutOkWritesNothing() {
        QFETCH(int, kind);
        QFETCH(int, how);
        TabFixture f;
        const QString g = f.writeProfile("Global Aliases", twoAliases);
        f.start();
        QAbstractButton* add[] = {f.page->addEntryButton(EntryKind::Alias),
                                  f.page->addEntryButton(EntryKind::Binding),
                                  f.page->addEntryButton(EntryKind::Setting)};
        ModalScript script;
        script.then<EntryEditor>([how](EntryEditor& editor) {
            for (QLineEdit* box : editor.findChildren<QLineEdit*>())
                if (box->isVisible())
                    QTest::keyClicks(box, "x");
            if (how == 0)
                TabFixture::click(editor.cancelButton());
            else if (how == 1)
                QTest::keyClick(&editor, Qt::Key_Escape);
            else
                editor.close();
        });
        TabFixture::click(add[kind]);
        QVERIFY(script.done());
        QCOMPARE(f.env.readFile(g), twoAliases);
    }

    void settingEditorKeepsTheCountOnEditAndRaisesItOnAdd() {
        TabFixture f;
        const QString g = f.writeProfile(
            "Global Aliases", "[NumberOfSections]\r\nSettings=2\r\n"
                              "[Setting1]\r\nSetting=fov\r\nSettingValue=90\r\nChecked=true\r\n"
                              "[Setting2]\r\nSetting=name\r\nSettingValue=me\r\nChecked=true\r\n");
        f.start();
        TabFixture::select(f.page->entryList(EntryKind::Setting), 0);
        ModalScript script;
        script.then<SettingDialog>([](SettingDialog& editor) {
            QCOMPARE(editor.windowTitle(), QString("Setting"));
            QVERIFY(!editor.windowFlags().testFlag(Qt::WindowCloseButtonHint));
            QCOMPARE(editor.okButton()->text(), QString("Ok"));
            QCOMPARE(editor.numberOfLinesBox()->text(), QString("1"));
            QCOMPARE(editor.settingBox()->text(), QString("fov"));
            QCOMPARE(editor.settingValueBox()->text(), QString("90"));
            retype(editor.settingValueBox(), "110");
            TabFixture::click(editor.okButton());
        });
        TabFixture::click(f.page->editEntryButton(EntryKind::Setting));
        QVERIFY(script.done());
        QCOMPARE(f.read(g, "NumberOfSections", "Settings"), QString("2"));
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Setting)),
                 QStringList({"fov = 110", "name = me"}));
        // The marks come back with the list.
        QCOMPARE(TabFixture::marks(f.page->entryList(EntryKind::Setting)),
                 QList<bool>({true, true}));

        script.then<SettingDialog>([](SettingDialog& editor) {
            QCOMPARE(editor.numberOfLinesBox()->text(), QString("2"));
            QVERIFY(editor.settingBox()->text().isEmpty());
            QTest::keyClicks(editor.settingBox(), "rate");
            QTest::keyClicks(editor.settingValueBox(), "25000");
            TabFixture::click(editor.okButton());
        });
        TabFixture::click(f.page->addEntryButton(EntryKind::Setting));
        QVERIFY(script.done());
        QCOMPARE(f.read(g, "NumberOfSections", "Settings"), QString("3"));
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Setting)),
                 QStringList({"fov = 110", "name = me", "rate = 25000"}));
        QCOMPARE(TabFixture::marks(f.page->entryList(EntryKind::Setting)),
                 QList<bool>({true, true, false}));
    }

    void bindingEditorStoresTheAliasNameOrTheText_data() {
        QTest::addColumn<QString>("typed"); // empty: the first alias chosen from the list
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QByteArray>("key"); // the spelling in the file
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const char* typed, const char* stored,
                            const char* key, const char* shown) {
            QTest::newRow(name) << QString(typed) << QString(stored) << QByteArray(key)
                                << QString(shown);
        };
        row("chosen", "", "rj", "Bindvalue=rj", "PGDN = Rocket Jump");
        row("typed in other case", "tAUNT", "taunt", "Bindvalue=taunt", "PGDN = Taunt");
        row("a plain command", "say hi", "say hi", "BindValue=say hi", "PGDN = say hi");
        row("part of a name", "Taun", "Taun", "BindValue=Taun", "PGDN = Taun");
        row("ended with Enter", "say hi\n", "say hi", "BindValue=say hi", "PGDN = say hi");
    }
    void bindingEditorStoresTheAliasNameOrTheText() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QByteArray, key);
        QFETCH(QString, shown);
        TabFixture f;
        const QString g = f.writeProfile("Global Aliases", twoAliases);
        f.start();
        ModalScript script;
        script.then<BindingDialog>([&](BindingDialog& editor) {
            QCOMPARE(editor.windowTitle(), QString("Key Binding"));
            QCOMPARE(editor.bindValueBox()->count(), 2);
            QCOMPARE(editor.bindValueBox()->itemText(1), QString("Taunt"));
            QCOMPARE(editor.bindValueBox()->currentIndex(), -1);
            QVERIFY(editor.bindValueBox()->currentText().isEmpty());
            // The key is captured, never typed.
            QTest::keyClick(editor.bindKeyBox(), Qt::Key_PageDown);
            QKeyEvent typing(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
            QApplication::sendEvent(editor.bindKeyBox(), &typing);
            QCOMPARE(editor.bindKeyBox()->text(), QString("PGDN"));
            if (typed.isEmpty())
                QTest::keyClick(editor.bindValueBox(), Qt::Key_Down);
            else
                QTest::keyClicks(editor.bindValueBox()->lineEdit(), typed.trimmed());
            if (typed.endsWith('\n'))
                QTest::keyClick(editor.bindValueBox()->lineEdit(), Qt::Key_Return);
            if (editor.isVisible())
                TabFixture::click(editor.okButton());
        });
        TabFixture::click(f.page->addEntryButton(EntryKind::Binding));
        QVERIFY(script.done());
        QCOMPARE(f.read(g, "NumberOfSections", "Bindings"), QString("1"));
        QCOMPARE(f.read(g, "Bind1", "BindKey"), QString("PGDN"));
        QCOMPARE(f.read(g, "Bind1", "BindValue"), stored);
        QVERIFY2(f.env.readFile(g).contains(key + "\r\n"), f.env.readFile(g).constData());
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Binding)), QStringList({shown}));
    }

    // The opening looks the command up among the global aliases, whichever profile is shown,
    // and never picks an entry whose alias OK would store instead of the command.
    void bindingEditorOpensWithTheGlobalAliasPicked_data() {
        QTest::addColumn<QString>("game"); // empty: the global profile is shown
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("picked");
        QTest::addColumn<QString>("text");
        QTest::newRow("global alias") << QString() << "taunt" << 1 << "Taunt";
        QTest::newRow("global, plain command") << QString() << "say hi" << -1 << "say hi";
        QTest::newRow("game's own alias") << "ctf"
                                          << "flag" << -1 << "flag";
        QTest::newRow("game alias named like a global one") << "ctf"
                                                            << "rj" << -1 << "rj";
    }
    void bindingEditorOpensWithTheGlobalAliasPicked() {
        QFETCH(QString, game);
        QFETCH(QString, command);
        QFETCH(int, picked);
        QFETCH(QString, text);
        TabFixture f;
        const QByteArray binding =
            "[Bind1]\r\nBindKey=f\r\nBindValue=" + command.toUtf8() + "\r\nChecked=true\r\n";
        QByteArray globalProfile = twoAliases;
        if (game.isEmpty())
            globalProfile.replace("Bindings=0", "Bindings=1").append(binding);
        f.writeProfile("Global Aliases", globalProfile);
        // The game's "Rocket Jump" runs its own alias, not the global one.
        const QString ctf = f.writeProfile(
            "ctf", "[NumberOfSections]\r\nAliases=2\r\nBindings=1\r\n"
                   "[Alias1]\r\nDescriptiveName=Grab Flag\r\nAliasName=flag\r\n"
                   "[Alias2]\r\nDescriptiveName=rocket jump\r\nAliasName=ctfjump\r\n" +
                       binding);
        f.start();
        if (!game.isEmpty())
            TabFixture::select(f.page->games(), 0);
        TabFixture::select(f.page->entryList(EntryKind::Binding), 0);
        const QString shown = game.isEmpty() ? f.global() : ctf;
        const QByteArray before = f.env.readFile(shown);
        ModalScript script;
        script.then<BindingDialog>([&](BindingDialog& editor) {
            QCOMPARE(editor.bindKeyBox()->text(), QString("f"));
            QCOMPARE(editor.bindValueBox()->currentIndex(), picked);
            QCOMPARE(editor.bindValueBox()->currentText(), text);
            TabFixture::click(editor.okButton());
        });
        TabFixture::click(f.page->editEntryButton(EntryKind::Binding));
        QVERIFY(script.done());
        // OK without a change stores the same command.
        QCOMPARE(f.read(shown, "Bind1", "BindValue"), command);
        QCOMPARE(f.read(shown, "NumberOfSections", "Bindings"), QString("1"));
        QCOMPARE(f.read(shown, "Bind1", "Checked"), QString("true"));
        if (picked < 0 && !game.isEmpty())
            QCOMPARE(f.env.readFile(shown), before);
    }

    void editWithoutSelectionOpensNothing() {
        TabFixture f;
        const QString g = f.writeProfile("Global Aliases", twoAliases);
        f.start();
        ModalScript script;
        for (QAbstractButton* edit : {f.page->editEntryButton(EntryKind::Alias),
                                      f.page->editEntryButton(EntryKind::Binding),
                                      f.page->editEntryButton(EntryKind::Setting)})
            TabFixture::click(edit);
        QTest::qWait(20);
        QVERIFY(script.done());
        QCOMPARE(f.env.readFile(g), twoAliases);
    }

    // A write the profile refuses (a read-only file, text beyond Latin-1) shows why and keeps the
    // editor open with what was typed.
    void refusedWriteKeepsTheEditorOpen_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("typed");
        QTest::newRow("read-only profile") << true << "fov";
        QTest::newRow("text beyond Latin-1") << false << QStringLiteral(u"fov\u20ac\u0416");
    }
    void refusedWriteKeepsTheEditorOpen() {
        QFETCH(bool, readOnly);
        QFETCH(QString, typed);
        TabFixture f;
        const QString g = f.writeProfile("Global Aliases", twoAliases);
        f.start();
        if (readOnly)
            QFile(g).setPermissions(QFileDevice::ReadOwner);
        f.prompts.expectError();
        ModalScript script;
        script.then<SettingDialog>([&](SettingDialog& editor) {
            editor.settingBox()->setText(typed);
            TabFixture::click(editor.okButton());
            QVERIFY(editor.isVisible());
            QCOMPARE(editor.settingBox()->text(), typed);
            TabFixture::click(editor.cancelButton());
        });
        TabFixture::click(f.page->addEntryButton(EntryKind::Setting));
        QVERIFY(script.done());
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
        const QStringList errors = f.prompts.texts(ScriptedPrompts::Kind::Error);
        QCOMPARE(errors.size(), 1);
        if (readOnly)
            QCOMPARE(errors[0], ErrorText::unableToWrite(g));
        else
            QVERIFY2(
                errors[0].startsWith(QStringLiteral(u"\"\u20ac\" (U+20AC), \"\u0416\" (U+0416)")),
                qPrintable(errors[0]));
        QCOMPARE(f.env.readFile(g), twoAliases);
        QCOMPARE(f.page->entryList(EntryKind::Setting)->count(), 0);
    }

    // A new entry's editor opens with the focus in its first field; OK with no name says why
    // and writes nothing; Esc, also in the key box, closes the editor without a word.
    void newEntryNeedsANameAndEscCancels_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("alias") << int(EntryKind::Alias)
                               << "The alias needs a name: the game runs it by that name";
        QTest::newRow("binding") << int(EntryKind::Binding)
                                 << "The binding needs a key: press it in the box after Bind";
        QTest::newRow("setting") << int(EntryKind::Setting)
                                 << "The setting needs the name of the variable it sets";
    }
    void newEntryNeedsANameAndEscCancels() {
        QFETCH(int, kind);
        QFETCH(QString, message);
        TabFixture f;
        f.writeProfile("Global Aliases", twoAliases);
        f.start();
        const QByteArray before = f.env.readFile(f.global());
        f.prompts.expectError();
        ModalScript script;
        script.then<EntryEditor>([](EntryEditor& editor) {
            QTRY_VERIFY(editor.focusWidget() && editor.focusWidget() != editor.okButton());
            QVERIFY(editor.focusWidget()->inherits("QLineEdit"));
            TabFixture::click(editor.okButton());
            QVERIFY(editor.isVisible());
            QTest::keyClick(editor.focusWidget(), Qt::Key_Escape);
            QVERIFY(!editor.isVisible());
        });
        TabFixture::click(f.page->addEntryButton(EntryKind(kind)));
        QVERIFY(script.done());
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
        QCOMPARE(f.prompts.texts(ScriptedPrompts::Kind::Error), QStringList{message});
        QCOMPARE(f.env.readFile(f.global()), before);
    }
};

VEXA_TEST(TestEntryEditors)
#include "tst_entryeditors.moc"
