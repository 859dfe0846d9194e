#include "app/EditorWindow.h"
#include "platform/IniFile.h"
#include "platform/VexaError.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString Question = QStringLiteral("Do you want to save any changes you may have made?");
const QByteArray Config = "set name \"Player\"\r\nbind a \"+attack\"\r\n";

// An editor on a file of the test environment, recording what it hands back to the window.
struct Fixture {
    TestEnvironment env;
    ScriptedPrompts prompts;
    QWidget owner;
    QStringList reread;

    QPointer<EditorWindow> open(const QString& file,
                                const QString& ending = QStringLiteral("\r\n")) {
        auto* editor = new EditorWindow(&owner, prompts, file, ending,
                                        [this](const QString& name) { reread << name; });
        editor->setWindowTitle(QStringLiteral("Editing Config File"));
        editor->show();
        return editor;
    }
    QString ini(const char* key) const {
        return IniFile(env.iniPath()).readString("edit", key, QStringLiteral("<missing>"));
    }
};

} // namespace

class TestEditorWindow : public QObject {
    Q_OBJECT

private slots:
    void showsTheFileAndFillsTheWindow();
    void everyChangeAsks_data();
    void everyChangeAsks();
    void yesSavesAndRereads();
    void ctrlSSavesAndCancelKeepsEditing();
    void unchangedCloseAsksNothingButStoresPlace();
    void nextEditorOpensWhereTheLastClosed();
    void missingFileOpensNothing();
    void failedSaveKeepsTheEditorOpen();
    void severalEditorsAtOnce();
    void everyByteComesBackUnchanged();
    void placementChangedByAnotherProgram();
    void longLinesOpenAtOnceReadOnly();
    void placementKeptOnTheScreen_data();
    void placementKeptOnTheScreen();
};

void TestEditorWindow::showsTheFileAndFillsTheWindow() {
    Fixture f;
    const QString longLine = QString(QLatin1Char('x')).repeated(400);
    const QString file = f.env.writeFile("a.cfg", "one\r\n" + longLine.toLatin1() + "\nthree\r\n");
    QPointer<EditorWindow> editor = f.open(file);
    QCOMPARE(editor->fileText()->toPlainText(), "one\n" + longLine + "\nthree");
    QVERIFY(!editor->modified());
    QCOMPARE(editor->pos(), QPoint(425, 152));
    QCOMPARE(editor->size(), QSize(308, 472));
    QCOMPARE(editor->fileText()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(editor->fileText()->geometry(), editor->rect().adjusted(3, 3, -3, -3));
    editor->resize(500, 200);
    QCOMPARE(editor->fileText()->geometry(), QRect(3, 3, 494, 194));
    editor->close();
    QVERIFY2(f.prompts.done() && f.prompts.shown.empty(), qPrintable(f.prompts.report()));
}

void TestEditorWindow::everyChangeAsks_data() {
    QTest::addColumn<int>("change");
    QTest::newRow("Delete") << 0;
    QTest::newRow("cut") << 1;
    QTest::newRow("paste") << 2;
    QTest::newRow("typed letter") << 3;
    QTest::newRow("Backspace") << 4;
}

void TestEditorWindow::everyChangeAsks() {
    QFETCH(int, change);
    Fixture f;
    const QString file = f.env.writeFile("config.cfg", Config);
    QPointer<EditorWindow> editor = f.open(file);
    QPlainTextEdit* memo = editor->fileText();
    memo->setFocus();
    memo->moveCursor(QTextCursor::Start);
    switch (change) {
    case 0:
        QTest::keyClick(memo, Qt::Key_Delete);
        break;
    case 1:
        QTest::keyClick(memo, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(memo, Qt::Key_X, Qt::ControlModifier);
        break;
    case 2:
        QApplication::clipboard()->setText(QStringLiteral("pasted "));
        QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
        break;
    case 3:
        QTest::keyClicks(memo, QStringLiteral("q"));
        break;
    case 4:
        memo->moveCursor(QTextCursor::End);
        QTest::keyClick(memo, Qt::Key_Backspace);
        break;
    }
    QVERIFY(memo->toPlainText() != QString::fromLatin1(Config).replace("\r\n", "\n").chopped(1));
    QVERIFY(editor->modified());

    f.prompts.answerChoice(1); // No
    QVERIFY(editor->close());
    QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    QCOMPARE(f.prompts.texts(ScriptedPrompts::Kind::Choose), QStringList{Question});
    QCOMPARE(f.env.readFile(file), Config); // No writes nothing
    QVERIFY(f.reread.isEmpty());
    QTRY_VERIFY(editor.isNull());
}

void TestEditorWindow::yesSavesAndRereads() {
    Fixture f;
    const QString file = f.env.writeFile("vexa.sh", "/q2/quake2 +map 'a b'\n");
    QPointer<EditorWindow> editor = f.open(file, QStringLiteral("\n"));
    editor->setWindowTitle(QStringLiteral("Editing Batch File"));
    editor->fileText()->setFocus();
    editor->fileText()->moveCursor(QTextCursor::End);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(editor->fileText(), Qt::Key_Left);
    QTest::keyClick(editor->fileText(), Qt::Key_Delete);
    QTest::keyClick(editor->fileText(), Qt::Key_Delete);

    f.prompts.answerChoice(0); // Yes, save
    QVERIFY(editor->close());
    QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    QCOMPARE(f.env.readFile(file), QByteArray("/q2/quake2 +map 'a b'\n").remove(14, 2));
    QCOMPARE(f.reread, QStringList{file});
}

void TestEditorWindow::unchangedCloseAsksNothingButStoresPlace() {
    Fixture f;
    QPointer<EditorWindow> editor = f.open(f.env.writeFile("a.cfg", Config));
    editor->move(40, 50);
    editor->resize(333, 222);
    QVERIFY(editor->close());
    QVERIFY(f.prompts.shown.empty());
    QCOMPARE((QStringList{f.ini("x"), f.ini("y"), f.ini("w"), f.ini("h")}),
             (QStringList{"40", "50", "333", "222"}));
}

void TestEditorWindow::nextEditorOpensWhereTheLastClosed() {
    Fixture f;
    const QString file = f.env.writeFile("a.cfg", Config);
    QPointer<EditorWindow> first = f.open(file);
    first->move(60, 70);
    first->resize(420, 260);
    first->close();
    QPointer<EditorWindow> second = f.open(file);
    QCOMPARE(second->pos(), QPoint(60, 70));
    QCOMPARE(second->size(), QSize(420, 260));
    second->close();
}

void TestEditorWindow::missingFileOpensNothing() {
    Fixture f;
    const QString file = f.env.root() + QStringLiteral("/none.cfg");
    try {
        f.open(file);
        QFAIL("an editor opened on a missing file");
    } catch (const VexaError& e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot open file ") + file);
    }
    QVERIFY(f.owner.findChildren<EditorWindow*>().isEmpty());
    QVERIFY(!QFile::exists(file));
}

void TestEditorWindow::failedSaveKeepsTheEditorOpen() {
    Fixture f;
    const QString file = f.env.writeFile("a.cfg", Config);
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    QPointer<EditorWindow> editor = f.open(file);
    editor->fileText()->setFocus();
    QTest::keyClick(editor->fileText(), Qt::Key_Delete);

    f.prompts.answerChoice(0); // Yes, save
    f.prompts.expectError();
    QVERIFY(!editor->close());
    QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    QCOMPARE(f.prompts.texts(ScriptedPrompts::Kind::Error),
             QStringList{QStringLiteral("Cannot create file ") + file});
    QVERIFY(editor && editor->isVisible() && editor->modified());
    QVERIFY(f.reread.isEmpty());
    QCOMPARE(f.ini("x"), QStringLiteral("<missing>"));

    // Once the file can be written, the next close saves it.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    f.prompts.answerChoice(0); // Yes, save
    QVERIFY(editor->close());
    QCOMPARE(f.env.readFile(file), Config.mid(1));
}

void TestEditorWindow::severalEditorsAtOnce() {
    Fixture f;
    const QString config = f.env.writeFile("a.cfg", Config);
    const QString script = f.env.writeFile("vexa.sh", "quake2\n");
    QPointer<EditorWindow> first = f.open(config);
    QPointer<EditorWindow> second = f.open(script, QStringLiteral("\n"));
    QVERIFY(first->isVisible() && second->isVisible());
    QVERIFY(!first->isModal() && !second->isModal());
    second->fileText()->setFocus();
    QTest::keyClicks(second->fileText(), QStringLiteral("sh "));

    // Closing them all asks for the changed one only.
    f.prompts.answerChoice(0); // Yes, save
    QVERIFY(EditorWindow::closeAll(&f.owner));
    QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    QCOMPARE(f.env.readFile(script), QByteArray("sh quake2\n"));
    QCOMPARE(f.env.readFile(config), Config);
    QCOMPARE(f.reread, QStringList{script});
}

// Every byte but the line breaks, no-break space (0xA0) and NUL included, survives an edit
// elsewhere in the file.
// Ctrl+S saves and stays; Cancel at the close question goes back to the text, No leaves it.
void TestEditorWindow::ctrlSSavesAndCancelKeepsEditing() {
    Fixture f;
    const QString file = f.env.writeFile("a.cfg", "one\r\n");
    QPointer<EditorWindow> editor = f.open(file);
    editor->show();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    editor->fileText()->setFocus();
    editor->fileText()->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor->fileText(), QStringLiteral("x"));
    QTest::keyClick(editor->fileText(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.env.readFile(file), QByteArray("onex\r\n"));
    QCOMPARE(f.reread, QStringList{file});
    QVERIFY(editor->isVisible());

    QTest::keyClicks(editor->fileText(), QStringLiteral("y"));
    f.prompts.answerChoice(2); // Cancel
    QVERIFY(!editor->close());
    QCOMPARE(editor->fileText()->toPlainText(), QStringLiteral("onexy"));
    f.prompts.answerChoice(1); // No
    QVERIFY(editor->close());
    QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    QCOMPARE(f.env.readFile(file), QByteArray("onex\r\n"));
}

void TestEditorWindow::everyByteComesBackUnchanged() {
    QByteArray bytes;
    for (int c = 0; c < 256; ++c)
        if (c != '\r' && c != '\n')
            bytes += char(c);
    Fixture f;
    const QString file = f.env.writeFile("a.cfg", bytes + "\r\n\xa0name\xa0\r\n");
    QPointer<EditorWindow> editor = f.open(file);
    editor->fileText()->setFocus();
    editor->fileText()->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor->fileText(), QStringLiteral("x"));
    f.prompts.answerChoice(0); // Yes, save
    QVERIFY(editor->close());
    QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    QCOMPARE(f.env.readFile(file), bytes + "\r\n\xa0name\xa0x\r\n");
}

// Another program rewrites vexa.ini between two editors: the second opens where it says, and
// the first's close keeps what the other program wrote elsewhere in the file.
void TestEditorWindow::placementChangedByAnotherProgram() {
    Fixture f;
    const QString file = f.env.writeFile("a.cfg", Config);
    QPointer<EditorWindow> first = f.open(file);
    first->move(60, 70);
    first->close();
    QProcess other;
    other.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("sed -i 's/^x=.*/x=90/; s/^y=.*/y=80/; $a [mine]\\nkept=1' \"$0\""),
                 f.env.iniPath()});
    QVERIFY(other.waitForFinished(10000) && other.exitCode() == 0);
    QPointer<EditorWindow> second = f.open(file);
    QCOMPARE(second->pos(), QPoint(90, 80));
    second->move(10, 20);
    second->close();
    QCOMPARE(f.ini("x"), QStringLiteral("10"));
    QCOMPARE(IniFile(f.env.iniPath()).readString("mine", "kept", QString()), QStringLiteral("1"));
}

VEXA_TEST(TestEditorWindow)
#include "tst_editorwindow.moc"

// A line is laid out whole: a line of megabytes once froze the editor for minutes. It is shown in
// pieces, read only, and the file stays as it is; the limit is generous.
void TestEditorWindow::longLinesOpenAtOnceReadOnly() {
    Fixture f;
    const QByteArray bytes = "first\r\n" + QByteArray(10 << 20, 'x') + "\r\nlast\r\n";
    const QString file = f.env.writeFile("long.cfg", bytes);
    QElapsedTimer timer;
    timer.start();
    QPointer<EditorWindow> editor = f.open(file);
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    editor->fileText()->moveCursor(QTextCursor::End);
    QApplication::processEvents();
    QVERIFY2(timer.elapsed() < 20000, QByteArray::number(timer.elapsed()));
    editor->goToLine(3); // the file's third line, after the pieces of the second
    QCOMPARE(editor->fileText()->textCursor().block().text(), QStringLiteral("last"));
    QTest::keyClick(editor->fileText(), Qt::Key_Backspace);
    QTest::keyClicks(editor->fileText(), QStringLiteral("!"));
    QVERIFY(!editor->modified());
    QVERIFY(editor->close());
    QVERIFY2(f.prompts.done() && f.prompts.shown.empty(), qPrintable(f.prompts.report()));
    QCOMPARE(f.env.readFile(file), bytes);
}

void TestEditorWindow::placementKeptOnTheScreen_data() {
    QTest::addColumn<QStringList>("placement"); // x, y, w, h as vexa.ini holds them
    QTest::newRow("a size of a billion") << QStringList{"10", "10", "1000000000", "1000000000"};
    QTest::newRow("far off the screen") << QStringList{"-1000000000", "2000000000", "300", "200"};
    QTest::newRow("partly off the screen") << QStringList{"-150", "-100", "300", "200"};
    QTest::newRow("no size at all") << QStringList{"0", "0", "-5", "0"};
}

void TestEditorWindow::placementKeptOnTheScreen() {
    QFETCH(QStringList, placement);
    Fixture f;
    IniFile ini(f.env.iniPath());
    const char* keys[] = {"x", "y", "w", "h"};
    for (int i = 0; i < 4; ++i)
        ini.writeString("edit", keys[i], placement[i]);
    QPointer<EditorWindow> editor = f.open(f.env.writeFile("a.cfg", Config));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Where the frame begins, and the size inside it: the frame's own margins are the system's.
    QVERIFY(screen.contains(QRect(editor->pos(), editor->size())));
    QVERIFY(editor->width() > 50 && editor->height() > 50);
    editor->close();
}
