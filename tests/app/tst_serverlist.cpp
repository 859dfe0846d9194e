#include "app/MainWindow.h"
#include "app/ServerListStatus.h"
#include "app/pages/ClientPage.h"
#include "support/ScriptedPrompts.h"
#include "support/StandInServer.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {

// Player names come from the network: one holds markup that a tooltip must not render.
const QByteArray Arena =
    StandInServer::statusReply("\\hostname\\Vexa Arena\\mapname\\q2dm1\\maxclients\\16",
                               {"12 48 \"<b>Grunt</b><img src=x.png>\"", "3 60 \"Viper\""});

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program headless in `directory`; this process's event loop keeps running meanwhile,
// so its stand-in servers answer.
Run runVexa(const QString& directory, const QStringList& arguments) {
    QProcess vexa;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    vexa.setProcessEnvironment(environment);
    vexa.setWorkingDirectory(directory);
    QSignalSpy finished(&vexa, &QProcess::finished);
    vexa.start(QStringLiteral(VEXA_PROGRAM), arguments);
    if (!finished.wait(60000))
        return {};
    return {vexa.exitCode(), QString::fromUtf8(vexa.readAllStandardOutput()),
            QString::fromUtf8(vexa.readAllStandardError())};
}

QString cellText(const QComboBox* box, int row, int column) {
    return box->model()->index(row, column).data().toString();
}

} // namespace

class TstServerList : public QObject {
    Q_OBJECT

private slots:
    void queryServersPrintsOneLinePerServer() {
        TestEnvironment env;
        StandInServer arena({Arena}), silent;
        env.writeFile(
            QStringLiteral("program/servers.txt"),
            (arena.address() + "\r\n\r\n " + silent.address() + "\r\nexample:\r\n").toLatin1());
        const Run run = runVexa(env.programDir(), {QStringLiteral("--query-servers")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(QRegularExpression(QStringLiteral("^%1\t\\d+ ms\tq2dm1\t2/16\tVexa Arena$")
                                        .arg(QRegularExpression::escape(arena.address())))
                     .match(lines[0])
                     .hasMatch(),
                 qPrintable(lines[0]));
        QCOMPARE(lines[1], silent.address() + QStringLiteral("\tno answer"));
        QCOMPARE(lines[2], QStringLiteral("example:\tnot an address"));

        for (const QString& unreadable : {env.programDir(), QStringLiteral("missing.txt")}) {
            const Run refused = runVexa(env.programDir(), {"--query-servers", unreadable});
            QCOMPARE(refused.exitCode, 2);
            QVERIFY2(refused.err.contains(QStringLiteral("vexa: Cannot open file ")),
                     qPrintable(refused.err));
        }
        const Run twoFiles = runVexa(env.programDir(), {"--query-servers", "a", "b"});
        QCOMPARE(twoFiles.exitCode, 2);
        QVERIFY(twoFiles.err.contains(QStringLiteral("Unexpected argument: b")));
    }

    void connectListShowsStatusAndKeepsTheAddress() {
        TestEnvironment env;
        env.seedKnownDirectories();
        StandInServer arena({Arena}), silent;
        env.writeFile(QStringLiteral("program/servers.txt"),
                      (arena.address() + '\n' + silent.address() + '\n').toLatin1());
        ScriptedPrompts prompts;
        MainWindow window(prompts);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.tabs()->setCurrentWidget(window.clientPage());
        QComboBox* box = window.clientPage()->servers();
        QCOMPARE(arena.requests(), 0); // nothing is asked before the list opens

        box->showPopup();
        QTRY_COMPARE(cellText(box, 0, ServerListStatus::Name), QStringLiteral("Vexa Arena"));
        QCOMPARE(cellText(box, 0, ServerListStatus::Players), QStringLiteral("2/16"));
        QCOMPARE(cellText(box, 0, ServerListStatus::Map), QStringLiteral("q2dm1"));
        QVERIFY(cellText(box, 0, ServerListStatus::Ping).endsWith(QStringLiteral(" ms")));
        const QString tip =
            box->model()->index(0, ServerListStatus::Name).data(Qt::ToolTipRole).toString();
        QTextDocument tipShown; // as a tooltip reads its text
        Qt::mightBeRichText(tip) ? tipShown.setHtml(tip) : tipShown.setPlainText(tip);
        QVERIFY(
            tipShown.toPlainText().startsWith(QStringLiteral("<b>Grunt</b><img src=x.png>  (")));
        QTRY_COMPARE(cellText(box, 1, ServerListStatus::Name), QStringLiteral("no answer"));
        QCOMPARE(cellText(box, 1, ServerListStatus::Ping), QStringLiteral("-"));
        window.fillServerList(); // as when the editor closes: what is known shows again
        QCOMPARE(cellText(box, 0, ServerListStatus::Name), QStringLiteral("Vexa Arena"));

        // Chosen from the list, the entry is the address alone.
        box->view()->setCurrentIndex(box->model()->index(0, 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
        QTRY_VERIFY(!box->view()->isVisible());
        QCOMPARE(box->currentText(), arena.address());
        window.clientPage()->connectToServer()->setChecked(true);
        QVERIFY(window.buildCommandLine().endsWith(QStringLiteral("+connect ") + arena.address()));

        window.clientPage()->refreshServersButton()->click();
        QTRY_COMPARE(arena.requests(), 2);
        QVERIFY2(prompts.done() && prompts.shown.empty(), qPrintable(prompts.report()));
    }

    void serverEditorAsksForItsLines() {
        TestEnvironment env;
        env.seedKnownDirectories();
        StandInServer arena({Arena}), other({Arena});
        env.writeFile(QStringLiteral("program/servers.txt"), arena.address().toLatin1());
        ScriptedPrompts prompts;
        MainWindow window(prompts);
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(editor);
            seen = true;
            QVERIFY(editor->findChild<QWidget*>(QStringLiteral("pnlServerStatus")));
            QVERIFY(editor->width() > 260); // room for the status beside the lines
            QTRY_COMPARE(arena.requests(), 1);
            auto* memo = editor->findChild<QPlainTextEdit*>(QStringLiteral("mmoServerList"));
            memo->appendPlainText(other.address());
            editor->findChild<QPushButton*>(QStringLiteral("btnRefreshStatus"))->click();
            QTRY_COMPARE(other.requests(), 1);
            QCOMPARE(arena.requests(), 2);
            editor->close();
        });
        window.clientPage()->serverListButton()->click();
        QVERIFY(seen);
    }

    // Thousands of results at once fill the list in batches: the cost of showing a result does
    // not grow with the length of the list. Lines that name no server have theirs at once.
    void aLongListFills() {
        constexpr int Lines = 8000;
        QStringList lines;
        for (int n = 0; n < Lines; ++n)
            lines << QStringLiteral("Type Here to Add Server %1.").arg(n);
        QComboBox box;
        box.setEditable(true);
        QPushButton refresh;
        ServerListStatus status(box, refresh);
        box.addItems(lines);
        QBENCHMARK_ONCE {
            status.askAgain();
            QTRY_COMPARE(cellText(&box, Lines - 1, ServerListStatus::Name),
                         QStringLiteral("not an address"));
        }
    }
};

VEXA_TEST(TstServerList)
#include "tst_serverlist.moc"
