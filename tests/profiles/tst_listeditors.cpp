#include "controls/ChoiceBox.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "profiles/MapListDialog.h"
#include "profiles/MapLists.h"
#include "profiles/ServerListDialog.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <memory>

namespace {

enum class Editor { Map, Server };

std::unique_ptr<ListFileEditor> makeEditor(Editor kind, const TestEnvironment& env,
                                           Prompts& prompts, std::function<void()> reload) {
    if (kind == Editor::Map)
        return std::make_unique<MapListDialog>(env.programDir(), prompts, std::move(reload));
    return std::make_unique<ServerListDialog>(env.programDir(), prompts, std::move(reload));
}

QPlainTextEdit* memoOf(ListFileEditor& editor) {
    return editor.findChild<QPlainTextEdit*>();
}

QString fileOf(Editor kind) {
    return QLatin1String(kind == Editor::Map ? MapLists::MapListName : MapLists::ServerListName);
}

QStringList initialLinesOf(Editor kind) {
    return kind == Editor::Map ? MapListDialog::initialLines() : ServerListDialog::initialLines();
}

// The ways a person closes the editor.
enum class Closing { Ok, Cancel, Escape, CloseBox };

void closeBy(ListFileEditor& editor, Closing closing) {
    auto* buttons = editor.findChild<QDialogButtonBox*>();
    switch (closing) {
    case Closing::Ok:
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        break;
    case Closing::Cancel:
        QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        break;
    case Closing::Escape:
        QTest::keyClick(memoOf(editor), Qt::Key_Escape);
        break;
    case Closing::CloseBox:
        editor.close();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Editor)
Q_DECLARE_METATYPE(Closing)

class TestListEditors : public QObject {
    Q_OBJECT

private slots:
    void windowsAsDesigned() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        MapListDialog maps(env.programDir(), prompts, {});
        QCOMPARE(maps.windowTitle(), QStringLiteral("Map List"));
        QCOMPARE(maps.mmoMapList->objectName(), QStringLiteral("mmoMapList"));
        QVERIFY(maps.minimumSize() != maps.maximumSize()); // resizable
        ServerListDialog servers(env.programDir(), prompts, {});
        QCOMPARE(servers.windowTitle(), QStringLiteral("Server List"));
        QCOMPARE(servers.mmoServerList->objectName(), QStringLiteral("mmoServerList"));
        QCOMPARE(servers.minimumSize(), servers.maximumSize()); // fixed
        QCOMPARE(MapListDialog::initialLines(),
                 (QStringList{"Type Here to Add Maps.", "example:", "exMap \"My Map\""}));
        const QStringList serverText = ServerListDialog::initialLines();
        QCOMPARE(serverText.mid(0, 2), (QStringList{"Type Here to Add Servers.", "example:"}));
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9.]+:[0-9]+$"))
                    .match(serverText.value(2))
                    .hasMatch());
    }

    // OK saves and reloads the boxes; Cancel and Esc leave the file alone; the close box asks
    // when something was typed.
    void closingSavesAndReloads_data() {
        QTest::addColumn<Editor>("kind");
        QTest::addColumn<Closing>("closing");
        QTest::addColumn<QByteArray>("before"); // file content; empty: no file
        QTest::addColumn<QString>("typed");     // replaces the memo's text; null: nothing typed
        QTest::addColumn<int>("answer");        // to the close box's question; -1: none asked
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QStringList>("after"); // the file's lines
        const QByteArray none, two("a\r\nb\r\n");
        const QString untouched, typed = QStringLiteral("one\ntwo\n");
        const QStringList kept{"a", "b"}, typedLines{"one", "two"};
        for (Editor kind : {Editor::Map, Editor::Server}) {
            const char* name = kind == Editor::Map ? "maps" : "servers";
            auto row = [&](const char* what) {
                return &QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(name, what)));
            };
            *row("no file, nothing typed, OK")
                << kind << Closing::Ok << none << untouched << -1 << true << initialLinesOf(kind);
            *row("no file, nothing typed, escape")
                << kind << Closing::Escape << none << untouched << -1 << false << QStringList{};
            *row("file kept, Cancel")
                << kind << Closing::Cancel << two << typed << -1 << false << kept;
            *row("typed lines, OK")
                << kind << Closing::Ok << two << typed << -1 << true << typedLines;
            *row("typed lines, escape")
                << kind << Closing::Escape << two << typed << -1 << false << kept;
            *row("typed lines, close box, Yes")
                << kind << Closing::CloseBox << two << typed << 1 << true << typedLines;
            *row("typed lines, close box, No")
                << kind << Closing::CloseBox << two << typed << 0 << false << kept;
            *row("nothing typed, close box")
                << kind << Closing::CloseBox << two << untouched << -1 << false << kept;
            *row("everything deleted, OK")
                << kind << Closing::Ok << two << QString("") << -1 << true << QStringList{};
        }
    }
    void closingSavesAndReloads() {
        QFETCH(Editor, kind);
        QFETCH(Closing, closing);
        QFETCH(QByteArray, before);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        QFETCH(QStringList, after);
        TestEnvironment env;
        ScriptedPrompts prompts;
        if (answer >= 0)
            prompts.answerConfirm(answer == 1);
        const QString file = env.programDir() + QLatin1Char('/') + fileOf(kind);
        if (!before.isEmpty())
            env.writeFile(QStringLiteral("program/") + fileOf(kind), before);
        QStringList reloadedWith;
        int reloads = 0;
        auto editor = makeEditor(kind, env, prompts, [&] {
            ++reloads;
            reloadedWith = MapLists::readListFile(file);
        });
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        const QStringList shown = before.isEmpty()
                                      ? initialLinesOf(kind)
                                      : TextFile::splitLines(QString::fromLatin1(before));
        QCOMPARE(memoOf(*editor)->toPlainText(), shown.join(QLatin1Char('\n')));
        if (!typed.isNull()) {
            memoOf(*editor)->selectAll();
            memoOf(*editor)->insertPlainText(typed);
        }
        closeBy(*editor, closing);

        QVERIFY(!editor->isVisible());
        QCOMPARE(QFileInfo::exists(file), saved || !before.isEmpty());
        QCOMPARE(MapLists::readListFile(file), after);
        QCOMPARE(reloads, saved ? 1 : 0);
        if (saved)
            QCOMPARE(reloadedWith, after); // the boxes are reloaded after the file is written
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    // 8-bit names, no-break spaces among them, are written back as they were read.
    void latin1NamesComeBackUnchanged() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        const QByteArray before = "d\xe9j\xe0 vu\xa0\r\n\xa0\xff\x01\r\n";
        const QString file =
            env.writeFile(QStringLiteral("program/") + fileOf(Editor::Map), before);
        auto editor = makeEditor(Editor::Map, env, prompts, [] {});
        editor->show();
        closeBy(*editor, Closing::Ok);
        QCOMPARE(env.readFile(file), QByteArray(before).replace("\r\n", "\n"));
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    void mapEditorRebuildsBothStartMapBoxes() {
        TestEnvironment env;
        env.seedKnownDirectories();
        IniFile ini(env.iniPath());
        ini.writeString(QStringLiteral("vexa"), QStringLiteral("path"), env.programDir());
        ScriptedPrompts prompts;
        QComboBox client, server;
        for (QComboBox* box : {&client, &server}) {
            box->setEditable(true);
            box->setEditText(QStringLiteral("base1"));
        }
        MapListDialog editor(env.programDir(), prompts, [&] {
            const QStringList maps = MapLists::buildMapList(ini, env.programDir());
            replaceChoiceItems(client, maps);
            replaceChoiceItems(server, maps);
        });
        editor.show();
        editor.accept();
        for (QComboBox* box : {&client, &server}) {
            QStringList items;
            for (int i = 0; i < box->count(); ++i)
                items << box->itemText(i);
            QCOMPARE(items, MapListDialog::initialLines());
            QCOMPARE(box->currentText(), QStringLiteral("base1"));
        }
    }

    void failedSaveIsReportedAndReloadsNothing() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        prompts.expectError();
        const QString file = env.writeFile(QStringLiteral("program/servers.txt"), "old\n");
        QFile::setPermissions(file, QFileDevice::ReadOwner);
        int reloads = 0;
        ServerListDialog editor(env.programDir(), prompts, [&] { ++reloads; });
        editor.show();
        editor.mmoServerList->setPlainText(QStringLiteral("new"));
        editor.accept();
        QVERIFY(editor.isVisible()); // the list is still there to keep or to cancel
        QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error),
                 QStringList{QStringLiteral("Cannot create file ") + file});
        QCOMPARE(reloads, 0);
        QCOMPARE(env.readFile(file), QByteArray("old\n"));
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    // Text the Latin-1 list cannot hold is refused by name, and the editor stays open with it.
    void textBeyondLatin1KeepsTheEditorOpen() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        prompts.answerConfirm(true); // save what was typed
        prompts.expectError();
        const QString file = env.writeFile(QStringLiteral("program/servers.txt"), "old\n");
        ServerListDialog editor(env.programDir(), prompts, [] {});
        editor.show();
        const QString typed = QStringLiteral(u"new \u20ac");
        editor.mmoServerList->selectAll();
        editor.mmoServerList->insertPlainText(typed);
        editor.close();
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.mmoServerList->toPlainText(), typed);
        QCOMPARE(env.readFile(file), QByteArray("old\n"));
        QVERIFY(prompts.texts(ScriptedPrompts::Kind::Error).value(0).contains(u"(U+20AC)"));
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }

    void fileThatCannotBeShownIsNotOverwritten() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        prompts.expectError();
        const QString file = env.makeDir(QStringLiteral("program/maps.lst"));
        int reloads = 0;
        MapListDialog editor(env.programDir(), prompts, [&] { ++reloads; });
        editor.show();
        editor.accept();
        QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error),
                 QStringList{QStringLiteral("Cannot open file ") + file});
        QCOMPARE(reloads, 0);
        QVERIFY(QFileInfo(file).isDir());
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }
};

VEXA_TEST(TestListEditors)
#include "tst_listeditors.moc"
