#include "TabFixture.h"

#include "profiles/AliasDialog.h"
#include "profiles/BindingDialog.h"
#include "profiles/GameInputDialog.h"
#include "profiles/SettingDialog.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QByteArray globalProfile = "[NumberOfSections]\r\nAliases=1\r\nBindings=3\r\nSettings=2\r\n"
                                 "[Alias1]\r\nDescriptiveName=Rocket Jump\r\nAliasName=rj\r\n"
                                 "[Bind1]\r\nBindKey=a\r\nBindValue=rj\r\n"
                                 "[Bind2]\r\nBindKey=b\r\nBindValue=+attack\r\n"
                                 "[Bind3]\r\nBindKey=c\r\nBindValue=+use\r\n"
                                 "[Setting1]\r\nSetting=fov\r\nSettingValue=90\r\n"
                                 "[Setting2]\r\nSetting=rate\r\nSettingValue=25000\r\n";

const QByteArray ctfProfile = "[NumberOfSections]\r\nAliases=1\r\nBindings=1\r\nSettings=0\r\n"
                              "[Alias1]\r\nDescriptiveName=Grab Flag\r\nAliasName=flag\r\n"
                              "Checked=true\r\n[Bind1]\r\nBindKey=f\r\nBindValue=flag\r\n";

struct KindWidgets {
    QListWidget* list;
    QCheckBox* selectAll;
    QAbstractButton* add;
    QAbstractButton* remove;
    const char* section;
};

KindWidgets widgetsOf(const GamesPage& page, int kind) {
    const KindWidgets all[] = {
        {page.entryList(EntryKind::Alias), page.selectAllBox(EntryKind::Alias),
         page.addEntryButton(EntryKind::Alias), page.deleteEntryButton(EntryKind::Alias), "Alias"},
        {page.entryList(EntryKind::Binding), page.selectAllBox(EntryKind::Binding),
         page.addEntryButton(EntryKind::Binding), page.deleteEntryButton(EntryKind::Binding),
         "Bind"},
        {page.entryList(EntryKind::Setting), page.selectAllBox(EntryKind::Setting),
         page.addEntryButton(EntryKind::Setting), page.deleteEntryButton(EntryKind::Setting),
         "Setting"}};
    return all[kind];
}

// The new-game dialog, answered with a typed name.
void answerNewGame(ModalScript& script, const QString& name) {
    script.then<GameInputDialog>([name](GameInputDialog& dialog) {
        QTest::keyClicks(dialog.gamesBox()->lineEdit(), name);
        TabFixture::click(dialog.okButton());
    });
}

// Counts the writes of one file: a replacement ends in a rename onto its name.
struct ReplaceCounter {
    explicit ReplaceCounter(const QString& file)
        : name(QFile::encodeName(QFileInfo(file).fileName())) {
        inotify_add_watch(fd, QFile::encodeName(QFileInfo(file).absolutePath()).constData(),
                          IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~ReplaceCounter() { ::close(fd); }
    int count() const {
        alignas(inotify_event) char buffer[64 * 1024];
        int writes = 0;
        for (ssize_t size; (size = ::read(fd, buffer, sizeof buffer)) > 0;)
            for (char* at = buffer; at < buffer + size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                writes += event->len > 0 && name == event->name;
                at += sizeof(inotify_event) + event->len;
            }
        return writes;
    }
    const QByteArray name;
    const int fd = inotify_init1(IN_NONBLOCK);
};

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

} // namespace

class TestGamesAliases : public QObject {
    Q_OBJECT

private slots:
    void selectAllAndClearingOneMark_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("aliases") << 0;
        QTest::newRow("bindings") << 1;
        QTest::newRow("settings") << 2;
    }
    void selectAllAndClearingOneMark() {
        QFETCH(int, kind);
        TabFixture f;
        const QString g = f.writeProfile("Global Aliases", globalProfile);
        f.start();
        const KindWidgets w = widgetsOf(*f.page, kind);
        const int count = w.list->count();
        const auto flag = [&](int n) {
            return f.read(g, w.section + QString::number(n), "checked");
        };

        TabFixture::click(w.selectAll);
        QCOMPARE(TabFixture::marks(w.list), QList<bool>(count, true));
        for (int n = 1; n <= count; ++n)
            QCOMPARE(flag(n), QString("true"));

        TabFixture::tick(w.list, count - 1);
        QVERIFY(!w.selectAll->isChecked());
        QList<bool> expected(count, true);
        expected.last() = false;
        QCOMPARE(TabFixture::marks(w.list), expected);
        for (int n = 1; n <= count; ++n)
            QCOMPARE(flag(n), QString(n == count ? "false" : "true"));
        QCOMPARE(flag(count + 1), QString("<none>"));

        // Checking and clearing the box again marks and clears every entry.
        TabFixture::click(w.selectAll);
        TabFixture::click(w.selectAll);
        QCOMPARE(TabFixture::marks(w.list), QList<bool>(count, false));
        for (int n = 1; n <= count; ++n)
            QCOMPARE(flag(n), QString("false"));
    }

    void deleteAsksTheSameWordsForEveryKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("alias, no")
            << 0 << false << "Delete Alias Rocket Jump?" << QStringList{"Rocket Jump"};
        QTest::newRow("binding, no") << 1 << false << "Delete Alias b = +attack?"
                                     << QStringList{"a = Rocket Jump", "b = +attack", "c = +use"};
        QTest::newRow("binding, yes") << 1 << true << "Delete Alias b = +attack?"
                                      << QStringList{"a = Rocket Jump", "c = +use"};
        QTest::newRow("setting, yes")
            << 2 << true << "Delete Alias rate = 25000?" << QStringList{"fov = 90"};
    }
    void deleteAsksTheSameWordsForEveryKind() {
        QFETCH(int, kind);
        QFETCH(bool, yes);
        QFETCH(QString, question);
        QFETCH(QStringList, left);
        TabFixture f;
        const QString g = f.writeProfile("Global Aliases", globalProfile);
        f.start();
        const KindWidgets w = widgetsOf(*f.page, kind);

        // Nothing selected: nothing asked.
        TabFixture::click(w.remove);
        QVERIFY(f.prompts.shown.empty());

        TabFixture::select(w.list, w.list->count() == 1 ? 0 : 1);
        f.prompts.answerConfirm(yes);
        TabFixture::click(w.remove);
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
        QCOMPARE(f.prompts.texts(ScriptedPrompts::Kind::Confirm), QStringList{question});
        QCOMPARE(TabFixture::texts(w.list), left);
        if (!yes)
            QCOMPARE(f.env.readFile(g), globalProfile);
    }

    void clearingGlobalSettingsWithoutGames() {
        TabFixture f;
        f.writeProfile("Global Aliases", globalProfile);
        f.start();
        QVERIFY(f.page->showGlobalSettings()->isChecked());
        QVERIFY(f.page->useThisGameButton()->isEnabled()); // as the window opens
        TabFixture::click(f.page->showGlobalSettings());
        QVERIFY(f.page->showGlobalSettings()->isChecked());
        QVERIFY(!f.page->useThisGameButton()->isEnabled());
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Alias)),
                 QStringList{"Rocket Jump"});
        QCOMPARE(f.page->entryList(EntryKind::Setting)->count(), 2);
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    }

    void gamesAreTheProfilesButTheGlobalOne() {
        TabFixture f;
        f.writeProfile("Global Aliases", globalProfile);
        f.writeProfile("global aliases", "");
        f.writeProfile("ctf", ctfProfile);
        f.writeProfile("Rocket Arena", "");
        f.writeProfile(".hidden", "");
        f.env.writeFile("program/old.q2bk", "");
        f.env.writeFile("program/notes.txt", "");
        f.start();
        QCOMPARE(sorted(TabFixture::texts(f.page->games())),
                 QStringList({".hidden", "Rocket Arena", "ctf", "global aliases"}));
        QCOMPARE(f.page->games()->selectedItems().size(), 0);
    }

    void selectingAGameShowsItsProfile() {
        TabFixture f;
        f.writeProfile("Global Aliases", globalProfile);
        f.writeProfile("ctf", ctfProfile);
        f.writeProfile("dm", "[NumberOfSections]\r\nSettings=1\r\n"
                             "[Setting1]\r\nSetting=timelimit\r\nSettingValue=20\r\n");
        f.start();
        const int ctf = TabFixture::texts(f.page->games()).indexOf("ctf");

        TabFixture::select(f.page->games(), ctf);
        QVERIFY(!f.page->showGlobalSettings()->isChecked());
        QVERIFY(f.page->useThisGameButton()->isEnabled());
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Alias)), QStringList{"Grab Flag"});
        QCOMPARE(TabFixture::marks(f.page->entryList(EntryKind::Alias)), QList<bool>{true});
        // The game's alias names are replaced as in every other refill.
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Binding)),
                 QStringList{"f = Grab Flag"});
        QCOMPARE(f.page->entryList(EntryKind::Setting)->count(), 0);
        QCOMPARE(f.page->shownProfile(), std::optional<QString>(f.profile("ctf")));

        TabFixture::click(f.page->showGlobalSettings());
        QCOMPARE(f.page->games()->selectedItems().size(), 0);
        QVERIFY(!f.page->useThisGameButton()->isEnabled());
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Alias)),
                 QStringList{"Rocket Jump"});
        QCOMPARE(f.page->shownProfile(), std::optional<QString>(f.global()));

        // Clearing the box shows the first game.
        TabFixture::click(f.page->showGlobalSettings());
        QCOMPARE(f.page->games()->selectedItems().first()->text(),
                 f.page->games()->item(0)->text());
        QVERIFY(f.page->useThisGameButton()->isEnabled());
        QCOMPARE(f.page->shownProfile(),
                 std::optional<QString>(f.profile(f.page->games()->item(0)->text())));
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    }

    void addFillDeleteAndAddAgain() {
        TabFixture f;
        f.writeProfile("Global Aliases", globalProfile);
        f.start();
        ModalScript script;
        answerNewGame(script, "ctf");
        TabFixture::click(f.page->addGameButton());
        QVERIFY(script.done());
        const QString ctf = f.profile("ctf");
        QCOMPARE(f.env.readFile(ctf), QByteArray("[NumberOfSections]\r\naliases=0\r\nbindings=0\r\n"
                                                 "settings=0\r\n"));
        QCOMPARE(TabFixture::texts(f.page->games()), QStringList{"ctf"});
        // Added, not selected: the global entries stay shown.
        QVERIFY(f.page->showGlobalSettings()->isChecked());
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Alias)),
                 QStringList{"Rocket Jump"});

        TabFixture::select(f.page->games(), 0);
        script.then<AliasDialog>([](AliasDialog& editor) {
            QCOMPARE(editor.currentGameBox()->text(), QString("ctf"));
            QTest::keyClicks(editor.descriptiveNameBox(), "Grab Flag");
            QTest::keyClicks(editor.aliasNameBox(), "flag");
            QTest::keyClicks(editor.aliasText(), "use grapple");
            TabFixture::click(editor.okButton());
        });
        TabFixture::click(f.page->addEntryButton(EntryKind::Alias));
        script.then<BindingDialog>([](BindingDialog& editor) {
            QTest::keyClick(editor.bindKeyBox(), Qt::Key_G);
            QTest::keyClick(editor.bindValueBox(), Qt::Key_Down);
            TabFixture::click(editor.okButton());
        });
        TabFixture::click(f.page->addEntryButton(EntryKind::Binding));
        for (const char* setting : {"gl_modulate", "cl_run"}) {
            script.then<SettingDialog>([setting](SettingDialog& editor) {
                QTest::keyClicks(editor.settingBox(), setting);
                QTest::keyClicks(editor.settingValueBox(), "1");
                TabFixture::click(editor.okButton());
            });
            TabFixture::click(f.page->addEntryButton(EntryKind::Setting));
        }
        QVERIFY(script.done());
        TabFixture::tick(f.page->entryList(EntryKind::Alias), 0);
        TabFixture::tick(f.page->entryList(EntryKind::Binding), 0);
        TabFixture::tick(f.page->entryList(EntryKind::Setting), 1);
        QCOMPARE(f.read(ctf, "Bind1", "BindValue"), QString("flag"));

        f.prompts.answerConfirm(true);
        TabFixture::click(f.page->deleteGameButton());
        QCOMPARE(f.prompts.texts(ScriptedPrompts::Kind::Confirm),
                 QStringList{"Delete Game Setting for ctf?"});
        QVERIFY(!QFile::exists(ctf));
        QVERIFY(QFile::exists(f.env.programDir() + "/ctf.q2bk"));
        QCOMPARE(f.page->games()->count(), 0);
        // The lists keep what they showed.
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Alias)), QStringList{"Grab Flag"});
        QVERIFY(!f.page->showGlobalSettings()->isChecked());

        answerNewGame(script, "ctf");
        TabFixture::click(f.page->addGameButton());
        QVERIFY(script.done());
        QVERIFY(!QFile::exists(f.env.programDir() + "/ctf.q2bk"));
        TabFixture::select(f.page->games(), 0);
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Alias)), QStringList{"Grab Flag"});
        QCOMPARE(TabFixture::marks(f.page->entryList(EntryKind::Alias)), QList<bool>{true});
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Binding)),
                 QStringList{"g = Grab Flag"});
        QCOMPARE(TabFixture::marks(f.page->entryList(EntryKind::Binding)), QList<bool>{true});
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Setting)),
                 QStringList({"gl_modulate = 1", "cl_run = 1"}));
        QCOMPARE(TabFixture::marks(f.page->entryList(EntryKind::Setting)),
                 QList<bool>({false, true}));
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    }

    void newGameDialogOffersInstalledGames() {
        TabFixture f;
        for (const char* dir : {"CTF", "docs", "Vexa", "ab", "x.y", ".config"})
            f.env.makeDir(QString("quake2/") + dir);
        // Only folders are games: not the game program, nor its libraries.
        for (const char* file : {"quake2.exe", "README.TXT", "rogue.pak", "quake2", "ref_gl.so"})
            f.env.writeFile(QString("quake2/") + file, "");
        f.start();
        ModalScript script;
        script.then<GameInputDialog>([](GameInputDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("New Game"));
            QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
            QStringList labels;
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                labels << label->text();
            QCOMPARE(sorted(labels),
                     sorted({"Plese enter the name of the Game that you would like to add "
                             "settings for.  This should be the same as the folder it is in.",
                             "game",
                             "Note:  This combo box has been provided to choose from games "
                             "already installed on your system"}));
            QStringList offered;
            for (int i = 0; i < dialog.gamesBox()->count(); ++i)
                offered << dialog.gamesBox()->itemText(i);
            QCOMPARE(sorted(offered), QStringList({"CTF", "ab", "x.y"}));
            QCOMPARE(dialog.gamesBox()->currentIndex(), -1);
            QVERIFY(dialog.gamesBox()->currentText().isEmpty());
            // Typed or chosen, the game keeps the folder's capitals.
            QTest::keyClicks(dialog.gamesBox()->lineEdit(), "CTF");
            TabFixture::click(dialog.okButton());
        });
        TabFixture::click(f.page->addGameButton());
        QVERIFY(script.done());
        QCOMPARE(TabFixture::texts(f.page->games()), QStringList{"CTF"});
        QVERIFY(QDir(f.env.programDir()).entryList(QDir::Files).contains("CTF.vexa"));
    }

    void newGameNames_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("blank") << "   " << true << QStringList{};
        QTest::newRow("cancelled") << "ctf" << false << QStringList{};
        QTest::newRow("spaces kept") << " ctf " << true << QStringList{" ctf "};
    }
    void newGameNames() {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QStringList, listed);
        TabFixture f;
        f.start();
        ModalScript script;
        script.then<GameInputDialog>([&](GameInputDialog& dialog) {
            QTest::keyClicks(dialog.gamesBox()->lineEdit(), typed);
            TabFixture::click(ok ? dialog.okButton() : dialog.cancelButton());
            QCOMPARE(dialog.gameName(), ok ? listed.value(0) : QString());
        });
        TabFixture::click(f.page->addGameButton());
        QVERIFY(script.done());
        QCOMPARE(TabFixture::texts(f.page->games()), listed);
        QStringList files;
        for (const QString& game : listed)
            files << game + ".vexa";
        QCOMPARE(QDir(f.env.programDir()).entryList(QDir::Files), files);
    }

    // A name that is no plain folder name, or the global profile's, is refused with a message
    // and the dialog stays open with the name; nothing is written.
    void refusedGameNames_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"../evil", "a\\b", "..", ".hidden", "tab\there", "GLOBAL aliases"})
            QTest::newRow(name) << name;
    }
    void refusedGameNames() {
        QFETCH(QString, name);
        TabFixture f;
        f.start();
        ModalScript script;
        bool stayedOpen = false;
        script.then<GameInputDialog>([&](GameInputDialog& dialog) {
            dialog.gamesBox()->lineEdit()->setText(name);
            f.prompts.expectError();
            TabFixture::click(dialog.okButton());
            stayedOpen = dialog.isVisible() && dialog.gamesBox()->currentText() == name;
            TabFixture::click(dialog.cancelButton());
        });
        TabFixture::click(f.page->addGameButton());
        QVERIFY(script.done() && stayedOpen);
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
        const QString message = f.prompts.texts(ScriptedPrompts::Kind::Error).value(0);
        QVERIFY2(message.startsWith('"' + name + "\" "), qPrintable(message));
        QCOMPARE(f.page->games()->count(), 0);
        QCOMPARE(QDir(f.env.root()).entryList({"*.vexa"}, QDir::Files) +
                     QDir(f.env.programDir()).entryList(QDir::Files),
                 QStringList());
    }

    // A profile whose extension is in capitals is read and written under its own name.
    void profileWithExtensionInCapitals() {
        TabFixture f;
        const QString upper = f.env.writeFile("program/Upper.VEXA", ctfProfile);
        f.start();
        QCOMPARE(TabFixture::texts(f.page->games()), QStringList{"Upper"});
        TabFixture::select(f.page->games(), 0);
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Alias)), QStringList{"Grab Flag"});
        TabFixture::tick(f.page->entryList(EntryKind::Binding), 0);
        QCOMPARE(f.read(upper, "Bind1", "Checked"), "true");
        // Adding the game again shows it rather than making a second file.
        ModalScript script;
        answerNewGame(script, "Upper");
        TabFixture::click(f.page->addGameButton());
        QVERIFY(script.done());
        f.prompts.answerConfirm(true);
        TabFixture::click(f.page->deleteGameButton());
        QCOMPARE(QDir(f.env.programDir()).entryList(QDir::Files), QStringList{"Upper.q2bk"});
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    }

    // Every user operation replaces the profile once: a delete or Select All of a long list does
    // not write once per key (nor leave a half renumbered file when interrupted).
    void oneReplacePerOperation_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("operation");
        for (int kind : {0, 1, 2})
            QTest::newRow(qPrintable(QStringLiteral("delete %1").arg(kind))) << kind << "delete";
        QTest::newRow("select all") << 1 << "select all";
        QTest::newRow("edit alias") << 0 << "edit";
    }
    void oneReplacePerOperation() {
        QFETCH(int, kind);
        QFETCH(QString, operation);
        TabFixture f;
        QByteArray text = "[NumberOfSections]\r\nAliases=30\r\nBindings=30\r\nSettings=30\r\n";
        for (int n = 1; n <= 30; ++n)
            text += QStringLiteral("[Alias%1]\r\nDescriptiveName=a%1\r\nAliasName=a%1\r\n"
                                   "AliasLines=1\r\nAline1=x\r\n"
                                   "Checked=true\r\n[Bind%1]\r\nBindKey=k%1\r\nBindValue=v\r\n"
                                   "[Setting%1]\r\nSetting=s%1\r\nSettingValue=%1\r\n")
                        .arg(n)
                        .toLatin1();
        const ReplaceCounter replaces(f.writeProfile("Global Aliases", text));
        f.start();
        const KindWidgets w = widgetsOf(*f.page, kind);
        TabFixture::select(w.list, 2);
        ModalScript script;
        script.then<AliasDialog>([](AliasDialog& editor) {
            editor.aliasText()->setPlainText("one\ntwo\nthree");
            TabFixture::click(editor.okButton());
        });
        if (operation == "delete") {
            f.prompts.answerConfirm(true);
            TabFixture::click(w.remove);
            QCOMPARE(w.list->count(), 29);
        } else if (operation == "select all") {
            TabFixture::click(w.selectAll);
        } else {
            TabFixture::click(f.page->editEntryButton(EntryKind::Alias));
            QVERIFY(script.done());
        }
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
        QCOMPARE(replaces.count(), 1);
    }

    // An existing profile is never started afresh: the game is shown with its entries.
    void addingAnExistingGame_data() {
        QTest::addColumn<bool>("listed");
        QTest::newRow("listed") << true;
        QTest::newRow("made after the list") << false;
    }
    void addingAnExistingGame() {
        QFETCH(bool, listed);
        TabFixture f;
        f.writeProfile("Global Aliases", globalProfile);
        if (listed)
            f.writeProfile("ctf", ctfProfile);
        f.start();
        if (!listed)
            f.writeProfile("ctf", ctfProfile);
        ModalScript script;
        answerNewGame(script, "ctf");
        TabFixture::click(f.page->addGameButton());
        QVERIFY(script.done());
        QCOMPARE(f.env.readFile(f.profile("ctf")), ctfProfile);
        QCOMPARE(TabFixture::texts(f.page->games()), QStringList{"ctf"});
        QCOMPARE(f.page->games()->selectedItems().size(), 1);
        QVERIFY(!f.page->showGlobalSettings()->isChecked());
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Alias)), QStringList{"Grab Flag"});
    }

    void deletingAGame() {
        TabFixture f;
        f.writeProfile("ctf", ctfProfile);
        const QByteArray backup = "[NumberOfSections]\r\nAliases=0\r\n";
        const QString backupFile = f.env.writeFile("program/ctf.q2bk", backup);
        f.start();

        TabFixture::click(f.page->deleteGameButton()); // nothing selected: nothing asked
        QVERIFY(f.prompts.shown.empty());

        TabFixture::select(f.page->games(), 0);
        f.prompts.answerConfirm(false);
        TabFixture::click(f.page->deleteGameButton());
        QCOMPARE(f.page->games()->count(), 1);

        // A backup in the way keeps the profile; the game still leaves the list.
        f.prompts.answerConfirm(true);
        TabFixture::click(f.page->deleteGameButton());
        QCOMPARE(f.page->games()->count(), 0);
        QCOMPARE(f.env.readFile(f.profile("ctf")), ctfProfile);
        QCOMPARE(f.env.readFile(backupFile), backup);
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
        QCOMPARE(f.prompts.texts(ScriptedPrompts::Kind::Confirm),
                 QStringList(2, "Delete Game Setting for ctf?"));
    }

    // The lists still show the deleted game, but no game is selected: nothing is opened,
    // written or ticked.
    void entriesOfADeletedGameStayUntouched() {
        TabFixture f;
        const QString ctf = f.writeProfile("ctf", ctfProfile);
        f.start();
        TabFixture::select(f.page->games(), 0);
        f.prompts.answerConfirm(true);
        TabFixture::click(f.page->deleteGameButton());
        const QString backup = f.env.programDir() + "/ctf.q2bk";
        QCOMPARE(TabFixture::texts(f.page->entryList(EntryKind::Alias)), QStringList{"Grab Flag"});

        ModalScript script;
        TabFixture::select(f.page->entryList(EntryKind::Alias), 0);
        for (QAbstractButton* button :
             {f.page->addEntryButton(EntryKind::Alias), f.page->editEntryButton(EntryKind::Alias),
              f.page->deleteEntryButton(EntryKind::Alias),
              f.page->addEntryButton(EntryKind::Setting)})
            TabFixture::click(button);
        TabFixture::tick(f.page->entryList(EntryKind::Alias), 0);
        TabFixture::click(f.page->selectAllBox(EntryKind::Binding));
        QTest::qWait(20);
        QVERIFY(script.done());
        QCOMPARE(TabFixture::marks(f.page->entryList(EntryKind::Alias)), QList<bool>{true});
        QCOMPARE(f.env.readFile(backup), ctfProfile);
        QVERIFY(!QFile::exists(ctf));
        QCOMPARE(QDir(f.env.programDir()).entryList(QDir::Files), QStringList{"ctf.q2bk"});
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    }

    void useThisGame() {
        TabFixture f;
        f.start();
        TabFixture::click(f.page->useThisGameButton()); // no games: nothing
        QVERIFY(f.page->currentGame()->text().isEmpty());
        QVERIFY(!f.page->startWithGame()->isChecked());

        f.writeProfile("ctf", "");
        f.writeProfile("dm", "");
        f.page->fillGamesList();
        const QString first = f.page->games()->item(0)->text();
        const QString second = f.page->games()->item(1)->text();
        TabFixture::click(f.page->useThisGameButton());
        QCOMPARE(f.page->currentGame()->text(), first);
        QVERIFY(f.page->startWithGame()->isChecked());
        QCOMPARE(f.page->games()->selectedItems().size(), 0);

        TabFixture::select(f.page->games(), 1);
        TabFixture::click(f.page->useThisGameButton());
        QCOMPARE(f.page->currentGame()->text(), second);

        TabFixture::click(f.page->startWithGame());
        QVERIFY(f.page->currentGame()->text().isEmpty());
        // Checking it by hand brings no game back.
        TabFixture::click(f.page->startWithGame());
        QVERIFY(f.page->currentGame()->text().isEmpty());
    }
};

VEXA_TEST(TestGamesAliases)
#include "tst_gamesaliases.moc"
