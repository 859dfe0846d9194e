#include "launch/LaunchStatusDialog.h"
#include "platform/IniFile.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

Q_DECLARE_METATYPE(CommandLine)

namespace {

void setStatusTime(const TestEnvironment& env, const QString& seconds) {
    IniFile(env.iniPath()).writeString("vexa", "StatusTime", seconds);
}

// Runs `action` on the status box once it is shown modally.
void whenShown(std::function<void(LaunchStatusDialog&)> action) {
    QTimer::singleShot(0, [action] {
        QTRY_VERIFY(qobject_cast<LaunchStatusDialog*>(QApplication::activeModalWidget()));
        action(*qobject_cast<LaunchStatusDialog*>(QApplication::activeModalWidget()));
    });
}

LaunchSummary someSummary() {
    return summariseLaunch({{"+exec", "config.cfg"}}, "/q2/vexa.sh", false);
}

} // namespace

class TstStatusBox : public QObject {
    Q_OBJECT

private slots:
    void summary_data();
    void summary();
    void boxShowsTheSummary();
    void warningIsShownWhole();
    void warningReadsOnEveryPalette_data();
    void warningReadsOnEveryPalette();
    void timerProceedsByItself();
    void zeroWaitsForTheUser();
    void timerSetting_data();
    void timerSetting();
    void stoppingEndsTheRun_data();
    void stoppingEndsTheRun();
};

void TstStatusBox::summary_data() {
    QTest::addColumn<CommandLine>("pieces");
    QTest::addColumn<bool>("startServer");
    QTest::addColumn<QStringList>(
        "texts"); // config, game, map, server?, dedicated, connecting, server

    QTest::newRow("bare client") << CommandLine{{"+exec", "config.cfg"}} << false
                                 << QStringList{"config.cfg", "Quake2", "None",         "No",
                                                "No",         "No",     "None selected"};
    QTest::newRow("dedicated server")
        << CommandLine{{"+set basedir", "/q2/baseq2"},
                       {"+set dedicated", "1"},
                       {"+map", "q2dm1"},
                       {"+set deathmatch", "1"},
                       {"+set game", "ctf"},
                       {"+exec", "my cfg.cfg"}}
        << true << QStringList{"my cfg.cfg", "ctf", "q2dm1", "Yes", "Yes", "No", "None selected"};
    QTest::newRow("listen server")
        << CommandLine{{"+set dedicated", "0"}, {"+set coop", "1"}, {"+exec", "a.cfg"}} << true
        << QStringList{"a.cfg", "Quake2", "None", "Yes", "No", "No", "None selected"};
    QTest::newRow("connecting") << CommandLine{{"+connect", "10.0.0.1:27910"}, {"+exec", "a.cfg"}}
                                << false << QStringList{"a.cfg", "Quake2", "None",          "No",
                                                        "No",    "Yes",    "10.0.0.1:27910"};
    QTest::newRow("empty names") << CommandLine{{"+set game", ""}, {"+exec", ""}} << false
                                 << QStringList{
                                        "Couldn't find value", "Quake2", "None", "No", "No", "No",
                                        "None selected"};
    QTest::newRow("values holding +")
        << CommandLine{{"+map", "a+b"}, {"+exec", "+x.cfg"}} << false
        << QStringList{"+x.cfg", "Quake2", "a+b", "No", "No", "No", "None selected"};
}

void TstStatusBox::summary() {
    QFETCH(CommandLine, pieces);
    QFETCH(bool, startServer);
    QFETCH(QStringList, texts);
    const LaunchSummary s = summariseLaunch(pieces, "/home/me/quake2/vexa.sh", startServer,
                                            PlatformConventions::posix());
    QCOMPARE(s.batchFile, QStringLiteral("vexa.sh"));
    QCOMPARE((QStringList{s.configFiles, s.game, s.map, s.startingServer, s.dedicated, s.connecting,
                          s.server}),
             texts);
}

void TstStatusBox::boxShowsTheSummary() {
    TestEnvironment env;
    LaunchStatusDialog box;
    box.showSummary(summariseLaunch({{"+connect", "server.example:27910"}, {"+exec", "x.cfg"}},
                                    "/q2/vexa.sh", true, PlatformConventions::posix()));
    QCOMPARE(box.windowTitle(), QStringLiteral("Loading Quake2"));
    QCOMPARE(box.size(), QSize(354, 182));
    QVERIFY(!(box.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
    QCOMPARE(box.configFilesText()->toPlainText(), QStringLiteral("x.cfg"));
    QCOMPARE(box.serverBox()->text(), QStringLiteral("server.example:27910"));
    QCOMPARE(box.startingServerBox()->text(), QStringLiteral("Yes"));
    QCOMPARE(box.proceedButton()->text(), QStringLiteral("Proceed to Quake2"));
    QCOMPARE(box.cancelButton()->text(), QStringLiteral("Cancel"));

    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QRect inside = box.rect();
    QList<QWidget*> shown{box.configFilesText(), box.proceedButton(), box.cancelButton()};
    for (QLineEdit* edit : box.findChildren<QLineEdit*>()) {
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->palette().color(QPalette::Base), edit->palette().color(QPalette::Button));
        shown << edit;
    }
    QStringList captions;
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (label == box.warningLabel()) {
            QVERIFY(!label->isVisible()); // no warning, no line for it
            continue;
        }
        captions << label->text();
        shown << label;
    }
    QCOMPARE(captions, (QStringList{"Batch File", "Config Files", "Game", "Map", "Starting Server",
                                    "Dedicated ", "Connecting", "server"}));
    for (QWidget* w : shown) {
        QVERIFY2(inside.contains(w->geometry()), qPrintable(w->objectName()));
        for (QWidget* other : shown)
            QVERIFY2(w == other || !w->geometry().intersects(other->geometry()),
                     qPrintable(w->objectName() + " " + other->objectName()));
    }
}

// A warning takes its own lines below the summary: a long path wraps, the box grows downwards.
void TstStatusBox::warningIsShownWhole() {
    TestEnvironment env;
    LaunchStatusDialog box;
    LaunchSummary summary = someSummary();
    summary.warning = QStringLiteral("The game reads /home/a-player-with-a-long-name/.local/share/"
                                     "YamagiQ2/baseq2/config.cfg instead");
    box.showSummary(summary);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(box.warningLabel()->isVisible());
    QCOMPARE(box.warningLabel()->text().remove(QChar(0x200b)), summary.warning);
    QCOMPARE(box.width(), 354);
    QVERIFY(box.height() > 182);
    const QRect warning = box.warningLabel()->geometry();
    QVERIFY(box.rect().contains(warning));
    QVERIFY(box.warningLabel()->height() >= box.warningLabel()->heightForWidth(warning.width()));
    for (QWidget* other :
         {static_cast<QWidget*>(box.serverBox()), static_cast<QWidget*>(box.proceedButton())})
        QVERIFY(!warning.intersects(other->geometry()));
}

void TstStatusBox::timerProceedsByItself() {
    TestEnvironment env;
    setStatusTime(env, "1");
    QElapsedTimer clock;
    clock.start();
    QVERIFY(showStatusBox(nullptr, someSummary()));
    QVERIFY(clock.elapsed() >= 900);
    QVERIFY(clock.elapsed() < 5000);
}

void TstStatusBox::zeroWaitsForTheUser() {
    TestEnvironment env;
    setStatusTime(env, "0");
    bool stillOpen = false;
    whenShown([&](LaunchStatusDialog& box) {
        QVERIFY(!box.proceedTimer()->isActive());
        QTest::qWait(1500);
        stillOpen = box.isVisible();
        QTest::mouseClick(box.proceedButton(), Qt::LeftButton);
    });
    QVERIFY(showStatusBox(nullptr, someSummary()));
    QVERIFY(stillOpen);
}

void TstStatusBox::timerSetting_data() {
    QTest::addColumn<QString>("stored"); // null: no key
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("active");
    QTest::newRow("default") << QString() << 10000 << true;
    QTest::newRow("three seconds") << "3" << 3000 << true;
    QTest::newRow("zero") << "0" << 0 << false;
    QTest::newRow("negative") << "-5" << 0 << false;
    QTest::newRow("too large") << "5000000" << INT_MAX << true;
    QTest::newRow("not a number") << "soon" << 10000 << true;
}

void TstStatusBox::timerSetting() {
    QFETCH(QString, stored);
    QFETCH(int, interval);
    QFETCH(bool, active);
    TestEnvironment env;
    if (!stored.isNull())
        setStatusTime(env, stored);
    LaunchStatusDialog box;
    QCOMPARE(box.proceedTimer()->interval(), interval);
    QCOMPARE(box.proceedTimer()->isActive(), active);
}

void TstStatusBox::stoppingEndsTheRun_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Cancel") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("closed") << 2;
}

void TstStatusBox::stoppingEndsTheRun() {
    QFETCH(int, way);
    TestEnvironment env;
    setStatusTime(env, "1");
    whenShown([way](LaunchStatusDialog& box) {
        if (way == 0)
            QTest::mouseClick(box.cancelButton(), Qt::LeftButton);
        else if (way == 1)
            QTest::keyClick(&box, Qt::Key_Escape);
        else
            box.close();
    });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!showStatusBox(nullptr, someSummary()));
    QVERIFY(clock.elapsed() < 900); // ended by the user, not by the timer
}

void TstStatusBox::warningReadsOnEveryPalette_data() {
    QTest::addColumn<QColor>("window");
    QTest::newRow("light") << QColor(240, 240, 240);
    QTest::newRow("dark") << QColor(53, 53, 53);
}

// The warning's text stands out from the window behind it, on a dark desktop theme too.
void TstStatusBox::warningReadsOnEveryPalette() {
    QFETCH(QColor, window);
    const QPalette old = QApplication::palette();
    QApplication::setPalette(QPalette(window, window));
    LaunchStatusDialog box;
    QApplication::setPalette(old);
    const QPalette shown = box.warningLabel()->palette();
    const int contrast = qAbs(shown.color(QPalette::WindowText).lightness() -
                              shown.color(QPalette::Window).lightness());
    QVERIFY2(contrast >= 80, qPrintable(QString::number(contrast)));
}

VEXA_TEST(TstStatusBox)
#include "tst_statusbox.moc"
