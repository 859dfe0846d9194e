#include "app/OptionsDialog.h"
#include "app/UpDown.h"
#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

const QStringList TabBoxes = {"cbxMovement", "cbxWeapons", "cbxCommunications",
                              "cbxVideo",    "cbxSound",   "cbxMenus",
                              "cbxClient",   "cbxServer",  "cbxAlias"};
const QStringList CheckedWithoutKeys =
    TabBoxes + QStringList{"cbxSaveFilesonRun", "cbxSaveBoxOnExit", "cbxCloseOnRun", "cbxStatusBox",
                           "cbxIncludeAliases"};
const QStringList UncheckedWithoutKeys = {"cbxSaveFilesOnExit", "cbxMinimize", "cbxOptimized"};

// The dialog as the main window opens it, with a record of the tab callback.
struct OpenDialog {
    explicit OpenDialog(ScriptedPrompts& prompts, QWidget* mainWindow = nullptr,
                        std::function<void()> onApply = {}) {
        dialog = std::make_unique<OptionsDialog>(prompts, mainWindow, [this, onApply] {
            ++applied;
            if (onApply)
                onApply();
        });
        dialog->show();
    }
    QCheckBox* box(const QString& name) const {
        auto* found = dialog->findChild<QCheckBox*>(name);
        if (!found)
            qFatal("no check box %s", qPrintable(name));
        return found;
    }
    void click(QAbstractButton* button) const { QTest::mouseClick(button, Qt::LeftButton); }
    void click(const QString& name) const { click(box(name)); }

    std::unique_ptr<OptionsDialog> dialog;
    int applied = 0;
};

void writeIni(TestEnvironment& env, const QByteArray& text) {
    env.writeFile(QStringLiteral("config/vexa.ini"), text);
    IniFile::clearCache();
}

// Keys of the file in the order they stand, each as "section/key".
QStringList keyOrder(const QByteArray& text) {
    QStringList keys;
    QString section;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            section = line.mid(1, line.indexOf(QLatin1Char(']')) - 1).toLower();
        else if (line.contains(QLatin1Char('=')))
            keys << section + QLatin1Char('/') + line.section(QLatin1Char('='), 0, 0).toLower();
    }
    return keys;
}

QStringList everyKeyInWritingOrder() {
    QStringList keys = {"quake2/path", "quake2/baseq2", "quake2/cdrom", "quake2/engine",
                        "quake2/home"};
    for (const char* tab : VexaIni::TabKeys)
        keys << QStringLiteral("tabs/") + QString::fromLatin1(tab).toLower();
    keys << QStringList{"vexa/saveallonrun", "vexa/saveallonexit",   "vexa/saveboxonexit",
                        "vexa/closeonexit",  "vexa/minimize",        "vexa/statusbox",
                        "vexa/statustime",   "vexa/optimizedsaving", "vexa/includealiases"};
    return keys;
}

} // namespace

class TstOptions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void withoutKeysShowsTheDefaults_data();
    void withoutKeysShowsTheDefaults();
    void readsStoredValues_data();
    void readsStoredValues();
    void upDownStaysInItsRange_data();
    void upDownStaysInItsRange();
    void enablingOnLoad_data();
    void enablingOnLoad();
    void enablingOnClick_data();
    void enablingOnClick();
    void okWritesEveryKeyInOrder();
    void okHidesAnUncheckedTabAtOnce();
    void leavingWithoutOkWritesNothing_data();
    void leavingWithoutOkWritesNothing();
    void refusedWriteKeepsTheDialogOpen_data();
    void refusedWriteKeepsTheDialogOpen();
    void pickers_data();
    void pickers();
    void opensBesideTheMainWindow();
    void everyTextFits();
    void sizeFollowsTheFont_data();
    void sizeFollowsTheFont();
    void engineAndHome_data();
    void engineAndHome();
    void applyTabVisibility_data();
    void applyTabVisibility();

private:
    QFont oldFont_;
    QFont appFont_;
};

void TstOptions::initTestCase() {
    oldFont_ = QApplication::font();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    QApplication::setFont(font);
    appFont_ = font;
}

void TstOptions::cleanupTestCase() {
    QApplication::setFont(oldFont_);
}

void TstOptions::withoutKeysShowsTheDefaults_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::newRow("no file") << QByteArray();
    QTest::newRow("other keys only")
        << QByteArray("[vexa]\r\npath=/somewhere\r\nconfigfile=/q/config.cfg\r\n");
}

void TstOptions::withoutKeysShowsTheDefaults() {
    QFETCH(QByteArray, ini);
    TestEnvironment env;
    if (!ini.isNull())
        writeIni(env, ini);
    ScriptedPrompts prompts;
    OpenDialog d(prompts);
    for (const QString& name : CheckedWithoutKeys)
        QVERIFY2(d.box(name)->isChecked(), qPrintable(name));
    for (const QString& name : UncheckedWithoutKeys)
        QVERIFY2(!d.box(name)->isChecked(), qPrintable(name));
    QCOMPARE(d.dialog->statusTimeBox()->text(), QStringLiteral("8"));
    QCOMPARE(d.dialog->statusTimeUpDown()->position(), 8);
    QVERIFY(d.dialog->quake2DirBox()->text().isEmpty());
    QVERIFY(d.dialog->baseDirBox()->text().isEmpty());
    QVERIFY(d.dialog->cdDirBox()->text().isEmpty());
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
}

void TstOptions::readsStoredValues_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown"); // a check box shows "1" or "0"
    const struct {
        const char* row;
        const char* ini;
        const char* control;
        const char* shown;
    } rows[] = {
        {"true reads as default true", "[vexa]\nsaveAllOnRun=true", "cbxSaveFilesonRun", "1"},
        {"true reads as default false", "[vexa]\nMinimize=true", "cbxMinimize", "0"},
        {"2 is true", "[vexa]\nMinimize=2", "cbxMinimize", "1"},
        {"-1 is true", "[vexa]\nOptimizedSaving=-1", "cbxOptimized", "1"},
        {"0 is false", "[vexa]\nStatusBox=0", "cbxStatusBox", "0"},
        {"section VEXA", "[VEXA]\nIncludeAliases=0", "cbxIncludeAliases", "0"},
        {"key in other case", "[Vexa]\nSaveAllOnExit=1", "cbxSaveFilesOnExit", "1"},
        {"tab hidden", "[Tabs]\nSound=0", "cbxSound", "0"},
        {"tab key lower case", "[tabs]\ngames&aliases=0", "cbxAlias", "0"},
        {"other tab untouched", "[Tabs]\nSound=0", "cbxVideo", "1"},
        {"delay decimal", "[vexa]\nStatusTime=12", "txtStatusTime", "12"},
        {"delay hexadecimal", "[vexa]\nStatusTime=0x10", "txtStatusTime", "16"},
        {"delay hexadecimal upper", "[vexa]\nStatusTime=0X1f", "txtStatusTime", "31"},
        {"delay zero", "[vexa]\nStatusTime=0", "txtStatusTime", "0"},
        {"delay not a number", "[vexa]\nStatusTime=soon", "txtStatusTime", "8"},
        {"delay empty", "[vexa]\nStatusTime=", "txtStatusTime", "8"},
        {"delay above the range", "[vexa]\nStatusTime=500", "txtStatusTime", "360"},
        {"delay below the range", "[vexa]\nStatusTime=-4", "txtStatusTime", "0"},
        {"game directory", "[Quake2]\nPATH=/games/q2", "txtQ2Dir", "/games/q2"},
        {"base directory", "[quake2]\nbaseq2=/games/q2/baseq2", "txtBaseq2dir", "/games/q2/baseq2"},
        {"cd directory", "[quake2]\ncdrom=/media/cd", "txtCddir", "/media/cd"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.row) << QByteArray(r.ini) + "\n" << r.control << r.shown;
}

void TstOptions::readsStoredValues() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    TestEnvironment env;
    writeIni(env, ini);
    ScriptedPrompts prompts;
    OpenDialog d(prompts);
    if (auto* edit = d.dialog->findChild<QLineEdit*>(control))
        QCOMPARE(edit->text(), shown);
    else
        QCOMPARE(QString::fromLatin1(d.box(control)->isChecked() ? "1" : "0"), shown);
    QCOMPARE(d.dialog->statusTimeUpDown()->position(), d.dialog->statusTimeBox()->text().toInt());
}

void TstOptions::upDownStaysInItsRange_data() {
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QString>("steps"); // + and - click the arrows, ^ and v press Up and Down
    QTest::addColumn<QString>("shown");
    QTest::newRow("up") << QByteArray("8") << "+++"
                        << "11";
    QTest::newRow("down") << QByteArray("8") << "--"
                          << "6";
    QTest::newRow("keys") << QByteArray("8") << "^^v^"
                          << "10";
    QTest::newRow("no wrap at the top") << QByteArray("359") << "++^"
                                        << "360";
    QTest::newRow("no wrap at the bottom") << QByteArray("1") << "-v-"
                                           << "0";
    QTest::newRow("down from the top") << QByteArray("360") << "+-"
                                       << "359";
}

void TstOptions::upDownStaysInItsRange() {
    QFETCH(QByteArray, start);
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    TestEnvironment env;
    writeIni(env, "[vexa]\nStatusTime=" + start + "\n");
    ScriptedPrompts prompts;
    OpenDialog d(prompts);
    QLineEdit* edit = d.dialog->statusTimeBox();
    for (QChar step : steps) {
        if (step == '+' || step == '-')
            d.click(step == '+' ? d.dialog->statusTimeUpDown()->upButton()
                                : d.dialog->statusTimeUpDown()->downButton());
        else
            QTest::keyClick(edit, step == '^' ? Qt::Key_Up : Qt::Key_Down);
    }
    QCOMPARE(edit->text(), shown);
    QVERIFY(edit->isReadOnly());

    d.click(d.dialog->okButton());
    QCOMPARE(IniFile(env.iniPath()).readString("vexa", "StatusTime", {}), shown);
}

void TstOptions::enablingOnLoad_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("minimizeEnabled");
    QTest::addColumn<bool>("saveBoxEnabled");
    QTest::newRow("no keys") << QByteArray() << true << true;
    // Loading a checked "Close on Exit" changes nothing, so the rule does not run.
    QTest::newRow("close checked") << QByteArray("[vexa]\nCloseOnExit=1\n") << true << true;
    QTest::newRow("close unchecked") << QByteArray("[vexa]\nCloseOnExit=0\n") << true << true;
    QTest::newRow("save on exit checked")
        << QByteArray("[vexa]\nsaveAllOnExit=1\n") << true << false;
    QTest::newRow("save on exit unchecked")
        << QByteArray("[vexa]\nsaveAllOnExit=0\n") << true << true;
    QTest::newRow("both changed") << QByteArray("[vexa]\nCloseOnExit=0\nSaveAllOnExit=5\n") << true
                                  << false;
}

void TstOptions::enablingOnLoad() {
    QFETCH(QByteArray, ini);
    QFETCH(bool, minimizeEnabled);
    QFETCH(bool, saveBoxEnabled);
    TestEnvironment env;
    if (!ini.isNull())
        writeIni(env, ini);
    ScriptedPrompts prompts;
    OpenDialog d(prompts);
    QCOMPARE(d.dialog->minimizeBox()->isEnabled(), minimizeEnabled);
    QCOMPARE(d.dialog->saveBoxOnExitBox()->isEnabled(), saveBoxEnabled);
}

void TstOptions::enablingOnClick_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("minimizeEnabled");
    QTest::addColumn<bool>("saveBoxEnabled");
    QTest::newRow("close unchecked")
        << QByteArray() << QStringList{"cbxCloseOnRun"} << true << true;
    QTest::newRow("close checked again")
        << QByteArray() << QStringList{"cbxCloseOnRun", "cbxCloseOnRun"} << false << true;
    QTest::newRow("close checked after loading unchecked")
        << QByteArray("[vexa]\nCloseOnExit=0\n") << QStringList{"cbxCloseOnRun"} << false << true;
    QTest::newRow("save on exit checked")
        << QByteArray() << QStringList{"cbxSaveFilesOnExit"} << true << false;
    QTest::newRow("save on exit unchecked again")
        << QByteArray() << QStringList{"cbxSaveFilesOnExit", "cbxSaveFilesOnExit"} << true << true;
    QTest::newRow("save on exit unchecked after loading checked")
        << QByteArray("[vexa]\nsaveAllOnExit=1\n") << QStringList{"cbxSaveFilesOnExit"} << true
        << true;
    QTest::newRow("other boxes change nothing")
        << QByteArray("[vexa]\nsaveAllOnExit=1\n")
        << QStringList{"cbxMinimize", "cbxStatusBox", "cbxSaveFilesonRun"} << true << false;
}

void TstOptions::enablingOnClick() {
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, clicks);
    QFETCH(bool, minimizeEnabled);
    QFETCH(bool, saveBoxEnabled);
    TestEnvironment env;
    if (!ini.isNull())
        writeIni(env, ini);
    ScriptedPrompts prompts;
    OpenDialog d(prompts);
    for (const QString& name : clicks)
        d.click(name);
    QCOMPARE(d.dialog->minimizeBox()->isEnabled(), minimizeEnabled);
    QCOMPARE(d.dialog->saveBoxOnExitBox()->isEnabled(), saveBoxEnabled);
}

void TstOptions::okWritesEveryKeyInOrder() {
    TestEnvironment env;
    ScriptedPrompts prompts;
    QStringList seenByApply;
    OpenDialog d(prompts, nullptr, [&] {
        // The tabs are applied from what OK has already written.
        seenByApply = keyOrder(env.readFile(env.iniPath()));
    });
    const struct {
        QLineEdit* edit;
        QString text;
    } typed[] = {{d.dialog->quake2DirBox(), "/games/quake2"},
                 {d.dialog->baseDirBox(), "/games/quake2/baseq2"},
                 {d.dialog->cdDirBox(), "/media/cdrom/install/data"}};
    for (const auto& t : typed)
        QTest::keyClicks(t.edit, t.text);
    // Save Box ends disabled but checked: it is saved with its state.
    const QStringList clicked = {"cbxVideo",           "cbxServer",        "cbxSaveFilesonRun",
                                 "cbxSaveFilesOnExit", "cbxSaveBoxOnExit", "cbxCloseOnRun",
                                 "cbxMinimize",        "cbxOptimized",     "cbxIncludeAliases"};
    for (const QString& name : clicked)
        d.click(name);
    QVERIFY(!d.dialog->saveBoxOnExitBox()->isEnabled());
    for (int i = 0; i < 4; ++i)
        d.click(d.dialog->statusTimeUpDown()->upButton());

    d.click(d.dialog->okButton());

    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    QCOMPARE(d.dialog->result(), int(QDialog::Accepted));
    QVERIFY(!d.dialog->isVisible());
    QCOMPARE(d.applied, 1);
    const QByteArray text = env.readFile(env.iniPath());
    QCOMPARE(keyOrder(text), everyKeyInWritingOrder());
    QCOMPARE(seenByApply, everyKeyInWritingOrder());

    const IniFile ini(env.iniPath());
    QCOMPARE(ini.readString("quake2", "path", {}), QStringLiteral("/games/quake2"));
    QCOMPARE(ini.readString("quake2", "baseq2", {}), QStringLiteral("/games/quake2/baseq2"));
    QCOMPARE(ini.readString("quake2", "cdrom", {}), QStringLiteral("/media/cdrom/install/data"));
    const QString tabs[] = {"1", "1", "1", "0", "1", "1", "1", "0", "1"};
    for (std::size_t i = 0; i < VexaIni::TabCount; ++i)
        QCOMPARE(ini.readString("Tabs", VexaIni::TabKeys[i], {}), tabs[i]);
    const struct {
        const char* key;
        const char* value;
    } vexa[] = {{"saveAllOnRun", "0"}, {"saveAllOnExit", "1"},   {"SaveBoxOnExit", "1"},
                {"CloseOnExit", "0"},  {"Minimize", "1"},        {"StatusBox", "1"},
                {"StatusTime", "12"},  {"OptimizedSaving", "1"}, {"IncludeAliases", "0"}};
    for (const auto& v : vexa)
        QCOMPARE(ini.readString("vexa", v.key, {}), QString::fromLatin1(v.value));
}

void TstOptions::okHidesAnUncheckedTabAtOnce() {
    TestEnvironment env;
    ScriptedPrompts prompts;
    QWidget mainWindow;
    QTabWidget pages(&mainWindow);
    for (int i = 0; i < 10; ++i)
        pages.addTab(new QWidget, QString::number(i));
    OpenDialog d(prompts, &mainWindow,
                 [&] { ::applyTabVisibility(pages, IniFile(VexaIni::fileName())); });
    d.click("cbxSound");
    d.click(d.dialog->okButton());
    for (int i = 0; i < 10; ++i)
        QCOMPARE(pages.isTabVisible(i), i != 5);
}

void TstOptions::leavingWithoutOkWritesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QByteArray>("ini");
    const QByteArray seeded("[quake2]\r\npath=/games/q2\r\n[VEXA]\r\nMinimize=1\r\n");
    for (const char* how : {"cancel", "close button", "escape"}) {
        QTest::addRow("%s, keys present", how) << how << seeded;
        QTest::addRow("%s, no file", how) << how << QByteArray();
    }
}

void TstOptions::leavingWithoutOkWritesNothing() {
    QFETCH(QString, how);
    QFETCH(QByteArray, ini);
    TestEnvironment env;
    if (!ini.isNull())
        writeIni(env, ini);
    ScriptedPrompts prompts;
    OpenDialog d(prompts);
    d.click("cbxSound");
    d.click("cbxSaveFilesOnExit");
    d.click(d.dialog->statusTimeUpDown()->upButton());
    QTest::keyClicks(d.dialog->cdDirBox(), "/media/cdrom");

    if (how == "cancel")
        d.click(d.dialog->cancelButton());
    else if (how == "close button")
        d.dialog->close();
    else
        QTest::keyClick(d.dialog.get(), Qt::Key_Escape);

    QVERIFY(!d.dialog->isVisible());
    QCOMPARE(d.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(d.applied, 0);
    QCOMPARE(QFile::exists(env.iniPath()), !ini.isNull());
    QCOMPARE(env.readFile(env.iniPath()), ini);
}

void TstOptions::refusedWriteKeepsTheDialogOpen_data() {
    QTest::addColumn<bool>("lockDirectory");
    QTest::newRow("read-only file") << false;
    QTest::newRow("read-only directory") << true;
}

void TstOptions::refusedWriteKeepsTheDialogOpen() {
    QFETCH(bool, lockDirectory);
    TestEnvironment env;
    const QByteArray original("[quake2]\r\npath=/games/q2\r\n");
    writeIni(env, original);
    const QString locked = lockDirectory ? env.configHome() : env.iniPath();
    const QFile::Permissions before = QFile::permissions(locked);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    ScriptedPrompts prompts;
    prompts.expectError();
    OpenDialog d(prompts);
    d.click("cbxSound");
    d.click(d.dialog->okButton());
    QFile::setPermissions(locked, before);

    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error),
             QStringList{QStringLiteral("Unable to write to ") + env.iniPath()});
    QVERIFY(d.dialog->isVisible());
    QCOMPARE(d.applied, 0);
    QCOMPARE(env.readFile(env.iniPath()), original);
}

void TstOptions::pickers_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("picks");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("shown");
    QTest::newRow("game picked") << "btnQ2Dir"
                                 << "txtQ2Dir" << true << "/games/id/quake2"
                                 << "/games/id";
    QTest::newRow("game at the root") << "btnQ2Dir"
                                      << "txtQ2Dir" << true << "/quake2"
                                      << "/";
    QTest::newRow("game cancelled") << "btnQ2Dir"
                                    << "txtQ2Dir" << false << ""
                                    << "/old/q2";
    QTest::newRow("base picked") << "btnBaseq2dir"
                                 << "txtBaseq2dir" << true << "/data/baseq2"
                                 << "/data/baseq2";
    QTest::newRow("base cancelled") << "btnBaseq2dir"
                                    << "txtBaseq2dir" << false << ""
                                    << "/old/q2/baseq2";
    QTest::newRow("cd picked") << "btnCddir"
                               << "txtCddir" << true << "/media/cd"
                               << "/media/cd";
    QTest::newRow("cd cancelled") << "btnCddir"
                                  << "txtCddir" << false << ""
                                  << "/old/cd";
}

void TstOptions::pickers() {
    QFETCH(QString, button);
    QFETCH(QString, edit);
    QFETCH(bool, picks);
    QFETCH(QString, answer);
    QFETCH(QString, shown);
    TestEnvironment env;
    const QByteArray original("[quake2]\npath=/old/q2\nbaseq2=/old/q2/baseq2\ncdrom=/old/cd\n");
    writeIni(env, original);
    ScriptedPrompts prompts;
    const bool isGame = button == "btnQ2Dir";
    const std::optional<QString> reply = picks ? std::optional<QString>(answer) : std::nullopt;
    if (isGame)
        prompts.answerOpenFile(reply);
    else
        prompts.answerBrowseFolder(reply);
    OpenDialog d(prompts);
    d.click(d.dialog->findChild<QToolButton*>(button));

    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    QCOMPARE(d.dialog->findChild<QLineEdit*>(edit)->text(), shown);
    const ScriptedPrompts::Shown& asked = prompts.shown.at(0);
    const PlatformConventions& native = PlatformConventions::native();
    if (isGame) {
        QCOMPARE(asked.text, QStringLiteral("Quake2 Location"));
        QCOMPARE(asked.directory, QStringLiteral("/old/q2"));
        QCOMPARE(asked.filter, native.gameExecutableFilter());
    } else {
        QCOMPARE(asked.text, QStringLiteral("Baseq2 Directory"));
        QCOMPARE(asked.directory, QDir::homePath()); // the folders named are gone
    }
    QCOMPARE(env.readFile(env.iniPath()), original); // only OK writes
}

void TstOptions::opensBesideTheMainWindow() {
    TestEnvironment env;
    ScriptedPrompts prompts;
    QWidget mainWindow;
    mainWindow.setGeometry(210, 140, 500, 400);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    OpenDialog d(prompts, &mainWindow);
    QVERIFY(QTest::qWaitForWindowExposed(d.dialog.get()));
    QCOMPARE(d.dialog->frameGeometry().topLeft(),
             mainWindow.frameGeometry().topLeft() + QPoint(102, 25));
    QCOMPARE(d.dialog->minimumSize(), d.dialog->size());
    QCOMPARE(d.dialog->maximumSize(), d.dialog->size());
    QCOMPARE(d.dialog->windowTitle(), QStringLiteral("Options"));
    QCOMPARE(d.dialog->parentWidget(), &mainWindow);
}

// At the application's font every caption is whole and every control lies inside its parent.
void TstOptions::everyTextFits() {
    TestEnvironment env;
    ScriptedPrompts prompts;
    OpenDialog d(prompts);
    const QList<QWidget*> widgets = d.dialog->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue; // parts of a named control
        QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(name));
        if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap())
            QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(name));
        else if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w))
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(name));
        else if (auto* button = qobject_cast<QPushButton*>(w))
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 12 <=
                         button->width(),
                     qPrintable(name));
        if (auto* group = qobject_cast<QGroupBox*>(w))
            QVERIFY2(group->width() >= group->minimumSizeHint().width(), qPrintable(name));
    }
}

// The groups on the right grow (and the dialog with them) only when a caption needs it.
void TstOptions::sizeFollowsTheFont_data() {
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("asLaidOut");
    QTest::newRow("small font") << 6 << true;
    QTest::newRow("application font") << 8 << false;
}

void TstOptions::sizeFollowsTheFont() {
    QFETCH(int, pointSize);
    QFETCH(bool, asLaidOut);
    TestEnvironment env;
    ScriptedPrompts prompts;
    QFont font = QApplication::font();
    font.setPointSize(pointSize);
    QApplication::setFont(font);
    OpenDialog d(prompts);
    QApplication::setFont(appFont_);
    OptionsDialog& dialog = *d.dialog;
    QCOMPARE(dialog.height(), 496); // the engine group pushes the buttons down
    QCOMPARE(dialog.width() == 345, asLaidOut);
    QVERIFY(dialog.width() >= 345);
    QCOMPARE(dialog.runGroup()->width() == 184, asLaidOut);
    QCOMPARE(dialog.configGroup()->width() == 185, asLaidOut);
    QCOMPARE(dialog.runGroup()->geometry().right(), dialog.configGroup()->geometry().right());
    QCOMPARE(dialog.width() - dialog.runGroup()->geometry().right() - 1, 14);
    QCOMPARE(dialog.tabsGroup()->geometry(), QRect(4, 120, 131, 223));
    QCOMPARE(dialog.runGroup()->pos(), QPoint(147, 120));
    QCOMPARE(dialog.configGroup()->pos(), QPoint(146, 278));
    QCOMPARE(dialog.engineGroup()->geometry().topLeft(), QPoint(4, 348));
    QCOMPARE(dialog.engineGroup()->geometry().right(), dialog.runGroup()->geometry().right());
    QCOMPARE(dialog.okButton()->pos(), QPoint(152, 440));
}

void TstOptions::engineAndHome_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("yq2");  // ~/.yq2 exists
    QTest::addColumn<int>("steps"); // Down (+) or Up (-) presses on the engine box
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("home"); // "HOME" and "DATA" stand for those directories
    const QByteArray yamagi("[quake2]\nengine=yamagi\nhome=/games/yq2\n");
    QTest::newRow("nothing stored: id without a home") << QByteArray() << false << 0 << "id"
                                                       << "";
    QTest::newRow("stored choice shown and kept") << yamagi << false << 0 << "yamagi"
                                                  << "/games/yq2";
    QTest::newRow("Q2PRO proposes its home") << QByteArray() << false << 2 << "q2pro"
                                             << "HOME/.q2pro";
    QTest::newRow("Yamagi proposes ~/.yq2 where it is") << QByteArray() << true << 1 << "yamagi"
                                                        << "HOME/.yq2";
    QTest::newRow("else the data home") << QByteArray() << false << 1 << "yamagi"
                                        << "DATA/YamagiQ2";
    QTest::newRow("id has none") << yamagi << false << -1 << "id"
                                 << "";
}

void TstOptions::engineAndHome() {
    QFETCH(QByteArray, ini);
    QFETCH(bool, yq2);
    QFETCH(int, steps);
    QFETCH(QString, engine);
    QFETCH(QString, home);
    TestEnvironment env;
    writeIni(env, ini);
    if (yq2)
        env.makeDir(QStringLiteral("home/.yq2"));
    home.replace("HOME", env.root() + "/home").replace("DATA", env.root() + "/data");
    ScriptedPrompts prompts;
    OpenDialog d(prompts);
    d.dialog->engineBox()->setFocus();
    for (int i = 0; i < std::abs(steps); ++i)
        QTest::keyClick(d.dialog->engineBox(), steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(d.dialog->homeDirBox()->text(), home);
    QCOMPARE(d.dialog->homeDirBox()->isEnabled(), engine != "id");
    QCOMPARE(d.dialog->homeDirButton()->isEnabled(), engine != "id");
    d.click(d.dialog->okButton());
    const IniFile written(env.iniPath());
    QCOMPARE(written.readString("quake2", "engine", {}), engine);
    QCOMPARE(written.readString("quake2", "home", {}), home);
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
}

void TstOptions::applyTabVisibility_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("startHidden");
    QTest::addColumn<QString>("visible"); // one digit per tab
    QTest::newRow("no keys") << QByteArray() << false << "1111111111";
    QTest::newRow("no keys shows hidden tabs again") << QByteArray() << true << "1111111111";
    QTest::newRow("sound hidden") << QByteArray("[Tabs]\nSound=0\n") << false << "1111101111";
    QTest::newRow("first and last, other case")
        << QByteArray("[tabs]\nMOVEMENT=0\ngames&aliases=0\n") << false << "1011111110";
    QTest::newRow("unconvertible keeps the default")
        << QByteArray("[Tabs]\nVideo=false\nMenus=0\n") << false << "1111110111";
    QByteArray allHidden("[Tabs]\n");
    for (const char* key : VexaIni::TabKeys)
        allHidden += QByteArray(key) + "=0\n";
    QTest::newRow("all hidden, General stays") << allHidden << false << "1000000000";
    QByteArray someShown("[Tabs]\n");
    for (const char* key : VexaIni::TabKeys)
        someShown += QByteArray(key) + (QByteArray(key).startsWith("C") ? "=7\n" : "=0\n");
    QTest::newRow("shown again") << someShown << true << "1001000100";
}

void TstOptions::applyTabVisibility() {
    QFETCH(QByteArray, ini);
    QFETCH(bool, startHidden);
    QFETCH(QString, visible);
    TestEnvironment env;
    if (!ini.isNull())
        writeIni(env, ini);
    QTabWidget pages;
    QList<QWidget*> sheets;
    for (int i = 0; i < 10; ++i) {
        sheets << new QWidget;
        pages.addTab(sheets.last(), QString::number(i));
        pages.setTabVisible(i, !startHidden || i == 0);
    }
    ::applyTabVisibility(pages, IniFile(VexaIni::fileName()));
    QString shown;
    for (int i = 0; i < 10; ++i)
        shown += pages.isTabVisible(i) ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(shown, visible);
    QCOMPARE(pages.count(), 10); // hidden sheets stay in the page control
    for (int i = 0; i < 10; ++i)
        QCOMPARE(pages.widget(i), sheets.at(i));
}

VEXA_TEST(TstOptions)
#include "tst_options.moc"
