// Any bytes given to the JPEG decoder: a picture or a VexaError, never a crash, a hang or a leak.

#include "platform/JpegImage.h"
#include "platform/VexaError.h"

#include "FuzzWorld.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const QImage image = decodeJpeg(bytes);
        FUZZ_CHECK(!image.isNull(), "a decoded picture is never empty");
        // Touch every pixel: a picture that claims more than was filled in shows here.
        quint32 sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            const uchar* line = image.constScanLine(y);
            for (qsizetype x = 0; x < image.bytesPerLine(); ++x)
                sum += line[x];
        }
        (void)sum;
    } catch (const VexaError&) {
    }
    return 0;
}
