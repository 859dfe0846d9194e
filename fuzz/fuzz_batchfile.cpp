// Any file as the launch script: readBatchFile gives its contents for either shell, never a
// crash, a hang or a leak.

#include "launch/BatchFile.h"
#include "platform/VexaError.h"

#include "FuzzWorld.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzWorld& world = FuzzWorld::get();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = world.writeFile(QStringLiteral("q2.sh"), bytes);
    for (const auto* conventions :
         {&PlatformConventions::posix(), &PlatformConventions::windows()}) {
        const BatchFileContents read = readBatchFile(path, world.quake2Dir(), *conventions);
        FUZZ_CHECK(!read.created, bytes);
        FUZZ_CHECK(read.cfgLines.size() == (bytes.isEmpty() ? 0 : read.commands.size() + 1), bytes);
        for (const CommandWords& command : read.commands)
            FUZZ_CHECK(!command.isEmpty() && command.first().startsWith(u'+'), bytes);
    }
    FUZZ_CHECK(FuzzWorld::readFile(path) == bytes, "reading changed the script");
    return 0;
}
