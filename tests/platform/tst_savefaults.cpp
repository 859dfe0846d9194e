#include "platform/IniFile.h"
#include "platform/VexaError.h"
#include "support/ErrorOf.h"
#include "support/SaveLoop.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using SaveLoop::Kind;

namespace {

const Kind allKinds[] = {Kind::Config, Kind::LaunchScript, Kind::Profile, Kind::VexaIni};
const QString Cannot = QStringLiteral("Cannot create file ");
const QString Unable = QStringLiteral("Unable to write to ");

QString fileNameOf(Kind kind) {
    const char* const names[] = {"baseq2/config.cfg", "vexa.sh", "Global Aliases.vexa",
                                 "config/vexa.ini"};
    return QLatin1String(names[int(kind)]);
}

QString messageOf(Kind kind) {
    return kind == Kind::Config || kind == Kind::LaunchScript ? Cannot : Unable;
}

// The file's bytes after a save of `version` over its starting contents.
QByteArray savedVersion(Kind kind, const QString& path, int version) {
    SaveLoop::prepare(kind, path);
    SaveLoop::save(kind, path, version);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// No file in the process grows past `limit` bytes while this lives: a write beyond it fails as
// it would on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = old_;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_;
    void (*oldHandler_)(int);
};

// A small file system mounted over a directory, where the machine allows it.
class SmallFileSystem {
public:
    SmallFileSystem(const QString& dir, qint64 bytes) : dir_(QFile::encodeName(dir)) {
        const QByteArray options = "size=" + QByteArray::number(bytes);
        mounted_ = ::mount("tmpfs", dir_.constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_)
            ::umount2(dir_.constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    QByteArray dir_;
    bool mounted_ = false;
};

// The kind of what is at `path` itself (a link is not followed); 0 when nothing is there.
mode_t nodeType(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// Makes a node of that kind at `path`; false when the system does not let this process.
bool makeNode(const QString& kind, const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (kind == QLatin1String("FIFO"))
        return ::mkfifo(native.constData(), 0644) == 0;
    if (kind == QLatin1String("device")) // a null device of its own: nothing of the system's
        return ::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    return QDir().mkpath(path); // a directory
}

// Everything in the directory, in name order.
QStringList entriesOf(const QString& dir) {
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Writes a file until the file system has no room left.
bool fillUp(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'f');
    while (file.write(block) == block.size()) {
    }
    return file.error() != QFileDevice::NoError;
}

} // namespace

class TestSaveFaults : public QObject {
    Q_OBJECT

private slots:
    // A process killed in the middle of saving leaves the old or the new file, never a mix.
    void killedSaveLeavesAWholeFile_data() {
        QTest::addColumn<int>("kind");
        for (Kind kind : allKinds)
            QTest::newRow(qPrintable(SaveLoop::kindName(kind))) << int(kind);
    }
    void killedSaveLeavesAWholeFile() {
        QFETCH(int, kind);
        const Kind k = Kind(kind);
        TestEnvironment env;
        const QByteArray first = savedVersion(k, env.root() + QStringLiteral("/0"), 0);
        const QByteArray second = savedVersion(k, env.root() + QStringLiteral("/1"), 1);
        QVERIFY(first != second);
        const QString path = env.quake2Dir() + QLatin1Char('/') + fileNameOf(k);
        SaveLoop::prepare(k, path);
        QElapsedTimer timer;
        timer.start();
        SaveLoop::save(k, path, 0);
        // Kills land anywhere in the first few saves: while the text is built, while it is
        // written, around the rename. At least 100 ms: the saver's first save comes cold (some
        // 10 ms for the profile here, several times that on a loaded machine).
        const qint64 window = std::max<qint64>(100000, timer.nsecsElapsed() / 1000 * 3);

        int changes = 0;
        QByteArray last = first;
        for (int round = 0; round < 20; ++round) {
            QProcess saver;
            saver.start(QStringLiteral(VEXA_SAVE_LOOP), {SaveLoop::kindName(k), path});
            QVERIFY2(saver.waitForReadyRead(10000), qPrintable(saver.errorString()));
            QThread::usleep(QRandomGenerator::global()->bounded(window));
            saver.kill();
            QVERIFY(saver.waitForFinished(10000));
            const QByteArray now = contents(path);
            QVERIFY2(now == first || now == second,
                     qPrintable(QStringLiteral("round %1: %2 bytes, neither version")
                                    .arg(round)
                                    .arg(now.size())));
            changes += now != last;
            last = now;
        }
        QVERIFY(changes > 0); // the saver did get its saves through
        // What a kill left beside the file goes with the next save (one of these writes).
        SaveLoop::save(k, path, 1);
        SaveLoop::save(k, path, 0);
        const QFileInfo saved(path);
        QCOMPARE(QDir(saved.path())
                     .entryList({saved.fileName() + QStringLiteral(".*")},
                                QDir::AllEntries | QDir::Hidden | QDir::System),
                 QStringList());
    }

    // A save never replaces what is no regular file, also at the end of a link: a config linked
    // to a device would replace the device. A link to a regular file stays a link; the file it
    // leads to takes the save.
    void irregularTargetsAreKept_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("node");
        QTest::addColumn<bool>("linked");
        for (Kind kind : allKinds)
            for (const char* node : {"FIFO", "device", "directory", "regular file"})
                for (const bool linked : {false, true})
                    if (linked || QLatin1String(node) != QLatin1String("regular file"))
                        QTest::newRow(
                            qPrintable(QStringLiteral("%1 onto a %2%3")
                                           .arg(SaveLoop::kindName(kind), QLatin1String(node),
                                                linked ? " through a link" : "")))
                            << int(kind) << QString::fromLatin1(node) << linked;
    }
    void irregularTargetsAreKept() {
        QFETCH(int, kind);
        QFETCH(QString, node);
        QFETCH(bool, linked);
        TestEnvironment env;
        const QString dir = env.makeDir(QStringLiteral("saves"));
        const QString target = dir + QStringLiteral("/node");
        if (node == QLatin1String("regular file"))
            SaveLoop::prepare(Kind(kind), target);
        else if (!makeNode(node, target))
            QSKIP("this process may not make such a node");
        const mode_t type = nodeType(target);
        const QString path = linked ? dir + QStringLiteral("/link") : target;
        if (linked)
            QVERIFY(QFile::link(target, path));
        const QString message = errorOf([&] { SaveLoop::save(Kind(kind), path, 1); });
        QCOMPARE(nodeType(target), type);
        QCOMPARE(nodeType(path), linked ? mode_t(S_IFLNK) : type);
        if (type == S_IFREG) {
            QCOMPARE(message, QString());
            QCOMPARE(contents(target), savedVersion(Kind(kind), env.root() + "/expected", 1));
        } else {
            QVERIFY2(message.contains(QStringLiteral("not a regular file")), qPrintable(message));
            QVERIFY2(message.contains(path), qPrintable(message));
        }
        QCOMPARE(entriesOf(dir), (linked ? QStringList{"link", "node"} : QStringList{"node"}));
    }

    // A save clears the copies that killed saves left beside the file (its own name pattern,
    // nobody holding them locked), and nothing else: not a copy whose save is still running.
    void staleCopiesAreCleared() {
        TestEnvironment env;
        const QString dir = env.makeDir(QStringLiteral("saves"));
        const QString path = dir + QStringLiteral("/saved");
        SaveLoop::prepare(Kind::Config, path);
        const QStringList kept = {"other.vexa-Ab12Cd",   "saved",
                                  "saved.backup",        "saved.vexa-Held01",
                                  "saved.vexa-long1234", "saved.vexa-x"};
        for (const QString& name : kept + QStringList{"saved.vexa-Ab12Cd", "saved.vexa-000000"})
            env.writeFile(QStringLiteral("saves/") + name, "copy");
        const int held =
            ::open(QFile::encodeName(dir + "/saved.vexa-Held01").constData(), O_RDONLY);
        QVERIFY(::flock(held, LOCK_EX) == 0);
        SaveLoop::save(Kind::Config, path, 1);
        ::close(held);
        QCOMPARE(entriesOf(dir), kept);
    }

    // A write the file system refuses part-way gives the message and keeps the old file.
    void fullDiskKeepsTheOldFile_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("tmpfs");
        for (Kind kind : allKinds) {
            const QString name = SaveLoop::kindName(kind);
            QTest::newRow(qPrintable(name + QStringLiteral(", size limit"))) << int(kind) << false;
            QTest::newRow(qPrintable(name + QStringLiteral(", full tmpfs"))) << int(kind) << true;
        }
    }
    void fullDiskKeepsTheOldFile() {
        QFETCH(int, kind);
        QFETCH(bool, tmpfs);
        const Kind k = Kind(kind);
        TestEnvironment env;
        const QString dir = env.makeDir(QStringLiteral("disk"));
        const QByteArray next = savedVersion(k, env.root() + QStringLiteral("/next"), 1);
        std::optional<SmallFileSystem> disk;
        if (tmpfs) {
            disk.emplace(dir, next.size() * 3); // room for the file and one copy
            if (!disk->mounted())
                QSKIP("mounting a file system is not allowed here");
        }
        const QString path = dir + QStringLiteral("/saved");
        const QByteArray old = savedVersion(k, path, 0);
        QString message;
        if (tmpfs) {
            QVERIFY(fillUp(dir + QStringLiteral("/filler")));
            message = errorOf([&] { SaveLoop::save(k, path, 1); });
            QFile::remove(dir + QStringLiteral("/filler"));
        } else {
            FileSizeLimit limit(old.size() / 2);
            message = errorOf([&] { SaveLoop::save(k, path, 1); });
        }
        QCOMPARE(message, messageOf(k) + path);
        QCOMPARE(contents(path), old);
        QStringList left = QDir(dir).entryList(QDir::Files);
        QCOMPARE(left, QStringList{QStringLiteral("saved")}); // no half-written copy left behind
        // With room again, the next save goes through.
        QCOMPARE(errorOf([&] { SaveLoop::save(k, path, 1); }), QString());
        QCOMPARE(contents(path), next);
    }

    // A small save fails only when its buffered bytes are flushed at the end; the cut-off copy
    // must not replace the file.
    void fullDiskOnTheLastFlush() {
        TestEnvironment env;
        const QByteArray old("[vexa]\r\npath=/q2\r\n");
        const QString path = env.writeFile(QStringLiteral("vexa.ini"), old);
        IniFile ini(path);
        QString message;
        {
            FileSizeLimit limit(old.size() - 4); // a cut-off copy differs from the old file
            message = errorOf([&] {
                ini.writeString(QStringLiteral("vexa"), QStringLiteral("configfile"),
                                QStringLiteral("/q2/baseq2/config.cfg"));
            });
        }
        QCOMPARE(message, Unable + path);
        QCOMPARE(contents(path), old);
        QCOMPARE(ini.readString(QStringLiteral("vexa"), QStringLiteral("configfile"), "none"),
                 "none");
    }
};

VEXA_TEST(TestSaveFaults)
#include "tst_savefaults.moc"
