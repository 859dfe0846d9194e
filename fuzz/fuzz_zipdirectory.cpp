// Any bytes read as a zip file: its names, or nothing, never a crash, a hang or a read beyond the
// data; only a central directory that lies inside the file gives names. The same bytes closing a
// sparse file of up to 64 MiB: every size the records claim is weighed against the file's, and
// no read asks for more than a few pieces of a directory.

#include "platform/GameArchives.h"

#include "FuzzWorld.h"
#include "support/SparseDevice.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

namespace {

void readSparse(const QByteArray& bytes) {
    SparseDevice device({}, bytes.isEmpty() ? 0 : 1LL << (quint8(bytes.front()) % 27), bytes);
    const std::optional<ArchiveNames> names = readZipDirectory(device);
    FUZZ_CHECK(device.longestRead() <= 256 * 1024, QByteArray::number(device.longestRead()));
    if (names)
        FUZZ_CHECK(names->count() * 46 + 22 <= device.size(), QByteArray::number(names->count()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    readSparse(bytes);
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const std::optional<ArchiveNames> names = readZipDirectory(device);
    if (!names)
        return 0;
    FUZZ_CHECK(bytes.contains("PK\x05\x06"), "no end record");
    // Each name comes from a header of at least 46 bytes before the end record.
    FUZZ_CHECK(names->count() * 46 + 22 <= bytes.size(), QByteArray::number(names->count()));
    names->forEach([&](QByteArrayView name) {
        FUZZ_CHECK(!name.isEmpty() && !name.contains('\0') && bytes.contains(name),
                   name.toByteArray());
    });
    return 0;
}
