// Any bytes read as a PAK file: its names, or nothing, never a crash, a hang or a read beyond the
// data; a directory is believed only as far as the file holds it. The same bytes opening a sparse
// file of up to 64 MiB: the directory's claims are weighed against the file's size, and no read
// asks for more than a few pieces of it.

#include "platform/GameArchives.h"

#include "FuzzWorld.h"
#include "support/SparseDevice.h"

#include <QBuffer>
#include <QFile>
#include <QStringList>

#include <algorithm>

#include <cstddef>
#include <cstdint>

namespace {

void readSparse(const QByteArray& bytes) {
    SparseDevice device(bytes, bytes.isEmpty() ? 0 : 1LL << (quint8(bytes.back()) % 27), {});
    const std::optional<ArchiveNames> names = readPakDirectory(device);
    FUZZ_CHECK(device.longestRead() <= 256 * 1024, QByteArray::number(device.longestRead()));
    if (names)
        FUZZ_CHECK(12 + names->count() * 64 <= device.size(), QByteArray::number(names->count()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    readSparse(bytes);
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const std::optional<ArchiveNames> names = readPakDirectory(device);
    if (!names)
        return 0;
    FUZZ_CHECK(bytes.startsWith("PACK"), bytes.left(4));
    // Each name comes from one 64-byte entry of a directory inside the file.
    FUZZ_CHECK(12 + names->count() * 64 <= bytes.size(), QByteArray::number(names->count()));
    names->forEach([](QByteArrayView name) {
        FUZZ_CHECK(!name.isEmpty() && name.size() <= 56 && !name.contains('\0'),
                   name.toByteArray());
    });
    // The names read back the same from a file written with them, when they fit one.
    QStringList listed;
    names->forEach([&](QByteArrayView name) { listed << QString::fromLatin1(name); });
    const QString copy = FuzzWorld::get().root() + QStringLiteral("/copy.pak");
    if (std::all_of(listed.cbegin(), listed.cend(),
                    [](const QString& n) { return n.size() < 56; })) {
        FUZZ_CHECK(writePakArchive(copy, listed), "written");
        QFile file(copy);
        file.open(QIODevice::ReadOnly);
        const auto again = readPakDirectory(file);
        FUZZ_CHECK(again && again->count() == names->count(), "read back");
    }
    return 0;
}
