#include "platform/GameArchives.h"
#include "platform/GameFiles.h"
#include "settings/Engine.h"
#include "support/SparseDevice.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QtEndian>

#include <zip.h>

namespace {

QByteArray int32(qint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray entry(const QByteArray& name, qint32 offset = 12, qint32 length = 0) {
    return name.leftJustified(56, '\0', true) + int32(offset) + int32(length);
}

// A PAK file: the header, then the directory right after it.
QByteArray pak(const QList<QByteArray>& entries) {
    QByteArray directory;
    for (const QByteArray& e : entries)
        directory += e;
    return "PACK" + int32(12) + int32(qint32(directory.size())) + directory;
}

QStringList namesOf(const std::optional<ArchiveNames>& names) {
    QStringList list;
    if (names)
        names->forEach([&](QByteArrayView name) { list << QString::fromLatin1(name); });
    return list;
}

std::optional<ArchiveNames> readPak(QByteArray bytes) {
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    return readPakDirectory(device);
}

template <typename Value> QByteArray le(Value value) {
    QByteArray bytes(sizeof(Value), '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// The last bytes of a zip64 file of `size` bytes whose end records say that its central
// directory of `entries` files starts at `offset` and runs up to them.
QByteArray zip64Tail(quint64 size, quint64 offset, quint64 entries) {
    const quint64 recordAt = size - 22 - 20 - 56;
    const QByteArray record = "PK\x06\x06" + le<quint64>(44) + le<quint16>(45) + le<quint16>(45) +
                              int32(0) + int32(0) + le<quint64>(entries) + le<quint64>(entries) +
                              le<quint64>(recordAt - offset) + le<quint64>(offset);
    const QByteArray locator = "PK\x06\x07" + int32(0) + le<quint64>(recordAt) + int32(1);
    const QByteArray end = "PK\x05\x06" + int32(0) + le<quint16>(0xFFFF) + le<quint16>(0xFFFF) +
                           int32(-1) + int32(-1) + le<quint16>(0);
    return record + locator + end;
}

QStringList childrenOf(const QStringList& stored, const QString& folder) {
    ArchiveNames names;
    for (const QString& name : stored)
        names.add(name.toLatin1());
    QStringList children;
    for (const ArchiveEntry& child : archiveChildren(names, folder))
        children << child.name + (child.folder ? QStringLiteral("/") : QString());
    return children;
}

} // namespace

class TestGameArchives : public QObject {
    Q_OBJECT

private slots:
    void pakDirectory_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QStringList>("names");
        const QByteArray grunt = entry("players/male/grunt.pcx");
        const QByteArray base1 = entry("maps/base1.bsp");
        const QByteArray good = pak({grunt, base1});
        QTest::newRow("names in order")
            << good << true << QStringList{"players/male/grunt.pcx", "maps/base1.bsp"};
        QTest::newRow("no files") << pak({}) << true << QStringList{};
        QTest::newRow("empty names left out")
            << pak({entry(""), base1}) << true << QStringList{"maps/base1.bsp"};
        QTest::newRow("a name filling its 56 bytes")
            << pak({entry(QByteArray(56, 'n'))}) << true << QStringList{QString(56, 'n')};
        QTest::newRow("not a PAK") << "PK\x03\x04" + good.mid(4) << false << QStringList{};
        QTest::newRow("header cut short") << good.left(10) << false << QStringList{};
        QTest::newRow("directory cut short") << good.chopped(1) << false << QStringList{};
        QTest::newRow("directory beyond the end")
            << "PACK" + int32(1000) + int32(64) + grunt << false << QStringList{};
        QTest::newRow("negative offset")
            << "PACK" + int32(-4) + int32(64) + grunt << false << QStringList{};
        QTest::newRow("directory over the header")
            << "PACK" + int32(4) + int32(64) + grunt << false << QStringList{};
        QTest::newRow("part of an entry")
            << "PACK" + int32(12) + int32(60) + grunt << false << QStringList{};
        QTest::newRow("a file's data cut off")
            << pak({grunt, entry("maps/base2.bsp", 12, 4000)}) << false << QStringList{};
    }
    void pakDirectory() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readable);
        const auto names = readPak(bytes);
        QCOMPARE(names.has_value(), readable);
        QTEST(namesOf(names), "names");
    }

    // Vexa's zips and the reference library's: with a comment that holds what looks like an end
    // record, with more files than the first format could count (zip64), damaged.
    void zipDirectory_data() {
        QTest::addColumn<bool>("ours");
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("comment");
        QTest::addColumn<int>("cut"); // bytes cut off the end; -1: not a zip at all
        QTest::newRow("ours, read by libzip too") << true << 5 << QByteArray() << 0;
        QTest::newRow("a comment with a false end")
            << false << 3 << QByteArray("PK\x05\x06 not it") << 0;
        QTest::newRow("zip64") << false << 70000 << QByteArray() << 0;
        QTest::newRow("a download cut short") << false << 3 << QByteArray() << 10;
        QTest::newRow("not a zip") << false << 0 << QByteArray() << -1;
    }
    void zipDirectory() {
        QFETCH(bool, ours);
        QFETCH(int, count);
        QFETCH(QByteArray, comment);
        QFETCH(int, cut);
        TestEnvironment env;
        const QString path = env.root() + QStringLiteral("/big.pk3");
        QStringList names;
        for (int n = 0; n < count; ++n)
            names << QStringLiteral("textures/t%1.wal").arg(n);
        if (ours)
            QVERIFY(writeZipArchive(path, names));
        int error = 0;
        zip_t* zip = zip_open(QFile::encodeName(path).constData(), ours ? 0 : ZIP_CREATE, &error);
        QVERIFY(zip);
        QCOMPARE(zip_get_num_entries(zip, 0), ours ? count : 0);
        for (const QString& name : ours ? QStringList{} : names)
            zip_file_add(zip, name.toLatin1().constData(), zip_source_buffer(zip, nullptr, 0, 0),
                         0);
        if (!comment.isEmpty())
            zip_set_archive_comment(zip, comment.constData(), zip_uint16_t(comment.size()));
        QVERIFY(zip_close(zip) == 0);
        const QByteArray bytes = cut < 0 ? QByteArray("PACK not a zip") : env.readFile(path);
        env.writeFile(QStringLiteral("big.pk3"), bytes.chopped(qMax(cut, 0)));
        QCOMPARE(bytes.contains("PK\x06\x06"), count > 0xFFFF);
        QCOMPARE(namesOf(readZipDirectory(path)), cut == 0 ? names : QStringList{});
    }

    // Directories that claim most of a huge file are read piece by piece: no read asks for more
    // than a few pieces' worth, whatever the claim.
    void hugeDirectoriesReadInPieces() {
        constexpr qint64 Huge = 6LL << 30;
        SparseDevice zip({}, Huge - 98, zip64Tail(quint64(Huge), 0, 1000));
        QVERIFY(!readZipDirectory(zip));
        const qint64 directory = 64LL << 20; // of empty entries
        SparseDevice pak("PACK" + int32(12) + int32(qint32(directory)), directory, {});
        QCOMPARE(readPakDirectory(pak)->count(), 0);
        for (const SparseDevice* device : {&zip, &pak})
            QVERIFY2(device->longestRead() <= 256 * 1024,
                     QByteArray::number(device->longestRead()));
    }

    // Asking every folder of an archive, as the model and skin lists do, costs about as much as
    // reading its names once. The limit is generous: the cost once grew with the square of the
    // number of names and took minutes here.
    void everyFolderOfABigArchive() {
        constexpr int Models = 50000;
        TestEnvironment env;
        QStringList names;
        for (int n = 0; n < Models; ++n)
            names << QStringLiteral("players/m%1/skin.pcx").arg(n);
        QVERIFY(writePakArchive(env.baseDir() + QStringLiteral("/pak0.pak"), names));
        const GameFiles files({env.baseDir()}, engineArchivePatterns(Engine::id));
        QElapsedTimer timer;
        timer.start();
        const QList<ArchiveEntry> models =
            files.archivedEntries(QStringLiteral("players"), QStringLiteral("*"));
        QCOMPARE(models.size(), Models);
        for (const ArchiveEntry& model : models)
            QCOMPARE(files
                         .archivedEntries(QStringLiteral("players/") + model.name,
                                          QStringLiteral("*.pcx"))
                         .size(),
                     1);
        QVERIFY2(timer.elapsed() < 20000, QByteArray::number(timer.elapsed()));
    }

    void childrenOfAFolder_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("children"); // a folder ends in "/"
        // Names are kept as stored: the lists lower-case them.
        QTest::newRow("models") << "players"
                                << QStringList{"male/", "Male/", "female/", "readme.txt"};
        QTest::newRow("letter case ignored, each name once")
            << "PLAYERS/male" << QStringList{"grunt.pcx", "Viper.PCX", "skins/"};
        QTest::newRow("maps") << "maps" << QStringList{"base1.bsp"};
        QTest::newRow("nothing there") << "sound" << QStringList{};
    }
    void childrenOfAFolder() {
        QFETCH(QString, folder);
        const QStringList stored{"players/male/grunt.pcx",
                                 "Players/Male/Viper.PCX",
                                 "players/male/grunt.pcx",
                                 "players/female/athena.pcx",
                                 "players/male/skins/x.pcx",
                                 "players/readme.txt",
                                 "playersx/fake.pcx",
                                 "maps/base1.bsp",
                                 "players/",
                                 "maps"};
        QTEST(childrenOf(stored, folder), "children");
    }

    void listingFollowsTheFile() {
        TestEnvironment env;
        const QString path = env.root() + QStringLiteral("/pak0.pak");
        // Only the folders the lists show are kept.
        QVERIFY(writePakArchive(
            path, {"sound/x.wav", "maps/base1.bsp", "mapsx/y.bsp", "Players/m/a.pcx", "players"}));
        QCOMPARE(namesOf(archiveListing(path)->names),
                 (QStringList{"maps/base1.bsp", "Players/m/a.pcx"}));
        QVERIFY(writePakArchive(path, {"maps/base1.bsp"}));
        QCOMPARE(namesOf(archiveListing(path)->names), QStringList{"maps/base1.bsp"});
        QVERIFY(writePakArchive(path, {"maps/base1.bsp", "maps/base2.bsp"}));
        QCOMPARE(archiveListing(path)->names.count(), 2);
        env.writeFile(QStringLiteral("pak0.pak"), "PACK");
        QVERIFY(archiveListing(path)->damaged);
        // A name longer than a PAK entry holds is refused rather than cut.
        QVERIFY(!writePakArchive(path, {QString(56, 'x')}));
    }

    // The archives of each folder, zips only for engines that read them; damaged ones told.
    void gameFilesFindTheArchives() {
        TestEnvironment env;
        const QString home = env.makeDir(QStringLiteral("home/.yq2/baseq2"));
        for (const char* name : {"pak0.pak", "pak1.pak", "a.pk3"})
            QVERIFY(writePakArchive(env.baseDir() + QLatin1Char('/') + name, {"maps/x.bsp"}));
        QVERIFY(writeZipArchive(home + QStringLiteral("/dl.zip"), {"maps/dl.bsp"}));
        env.writeFile(QStringLiteral("quake2/baseq2/PAK2.PAK"), "cut");
        env.writeFile(QStringLiteral("quake2/baseq2/other.pak"), "not pak*.pak");
        env.makeDir(QStringLiteral("quake2/baseq2/pak3.pak")); // a folder, not an archive
        env.writeFile(QStringLiteral("quake2/baseq2/.pak4.pak"), "hidden");

        const GameFiles idFiles({env.baseDir()}, engineArchivePatterns(Engine::id));
        const QString base = env.baseDir() + QLatin1Char('/');
        QCOMPARE(idFiles.archives(),
                 (QStringList{base + "pak0.pak", base + "pak1.pak", base + "PAK2.PAK"}));
        QCOMPARE(idFiles.damagedArchives(), QStringList{base + "PAK2.PAK"});

        // Yamagi reads a .pak of any name and the zips.
        const GameFiles yamagiFiles({home, QString(), env.baseDir()},
                                    engineArchivePatterns(Engine::yamagi));
        QCOMPARE(yamagiFiles.folders(), (QStringList{home, env.baseDir()}));
        QCOMPARE(yamagiFiles.archives(),
                 (QStringList{home + "/dl.zip", base + "a.pk3", base + "other.pak",
                              base + "pak0.pak", base + "pak1.pak", base + "PAK2.PAK"}));
        // A PAK file named .pk3 is no zip: told like any damaged archive.
        QCOMPARE(yamagiFiles.damagedArchives(),
                 (QStringList{base + "a.pk3", base + "other.pak", base + "PAK2.PAK"}));
        // Q2PRO never loads a .pk3 or a .zip.
        const GameFiles q2proFiles({home, env.baseDir()}, engineArchivePatterns(Engine::q2pro));
        QCOMPARE(q2proFiles.archives(), (QStringList{base + "other.pak", base + "pak0.pak",
                                                     base + "pak1.pak", base + "PAK2.PAK"}));
        QCOMPARE(yamagiFiles.archivedEntries(QStringLiteral("maps"), QStringLiteral("*.bsp")),
                 (QList<ArchiveEntry>{{"dl.bsp", false}, {"x.bsp", false}, {"x.bsp", false}}));
    }
};

VEXA_TEST(TestGameArchives)
#include "tst_gamearchives.moc"
