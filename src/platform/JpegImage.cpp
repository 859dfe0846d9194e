#include "JpegImage.h"

#include "VexaError.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// Larger pictures are refused before any memory is taken for them: a damaged header can claim
// up to 65535 x 65535 pixels.
constexpr unsigned long maxPixels = 64UL * 1024 * 1024;

// libjpeg reports errors through these callbacks; every error and every warning about damaged
// data jumps back to the phase that started the work, never into exit().
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failWithMessage(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings about metadata only leave the picture intact; all others mean damaged or missing
// scan data, which libjpeg would otherwise paint grey and pass off as a picture.
bool isHarmlessWarning(int code) {
    return code == JWRN_ADOBE_XFORM || code == JWRN_JFIF_MAJOR;
}

void emitMessage(j_common_ptr info, int level) {
    if (level < 0 && !isHarmlessWarning(info->err->msg_code))
        failWithMessage(info);
}

void outputMessage(j_common_ptr) {}

struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager err;
};

// The phases below run under setjmp; they hold no C++ object with a destructor, so the jump
// back skips nothing that needs cleaning up.

bool readHeader(Decoder* d, const unsigned char* data, unsigned long size) {
    if (setjmp(d->err.jump))
        return false;
    jpeg_mem_src(&d->info, const_cast<unsigned char*>(data), size);
    jpeg_read_header(&d->info, TRUE);
    switch (d->info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        d->info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        d->info.out_color_space = JCS_CMYK;
        break;
    default:
        d->info.out_color_space = JCS_RGB;
        break;
    }
    jpeg_start_decompress(&d->info);
    return true;
}

// Adobe writes CMYK inverted (0 = full ink); plain CMYK is the other way round.
void cmykRowToRgb32(const JSAMPLE* in, unsigned char* out, JDIMENSION width, bool inverted) {
    auto* pixels = reinterpret_cast<unsigned int*>(out);
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        const unsigned int c = inverted ? in[0] : 255 - in[0];
        const unsigned int m = inverted ? in[1] : 255 - in[1];
        const unsigned int y = inverted ? in[2] : 255 - in[2];
        const unsigned int k = inverted ? in[3] : 255 - in[3];
        pixels[x] = 0xff000000u | (c * k / 255) << 16 | (m * k / 255) << 8 | (y * k / 255);
    }
}

bool readScanlines(Decoder* d, unsigned char* bits, long bytesPerLine) {
    if (setjmp(d->err.jump))
        return false;
    jpeg_decompress_struct* info = &d->info;
    JSAMPARRAY cmykRow = nullptr;
    if (info->out_color_space == JCS_CMYK)
        cmykRow = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                             info->output_width * 4, 1);
    while (info->output_scanline < info->output_height) {
        unsigned char* line = bits + bytesPerLine * info->output_scanline;
        JSAMPROW row = cmykRow ? cmykRow[0] : line;
        jpeg_read_scanlines(info, &row, 1);
        if (cmykRow)
            cmykRowToRgb32(cmykRow[0], line, info->output_width, info->saw_Adobe_marker);
    }
    jpeg_finish_decompress(info);
    return true;
}

QImage::Format imageFormat(J_COLOR_SPACE space) {
    switch (space) {
    case JCS_GRAYSCALE:
        return QImage::Format_Grayscale8;
    case JCS_CMYK:
        return QImage::Format_RGB32;
    default:
        return QImage::Format_RGB888;
    }
}

class DecoderGuard {
public:
    explicit DecoderGuard(Decoder& d) : d_(d) {}
    ~DecoderGuard() { jpeg_destroy_decompress(&d_.info); }
    DecoderGuard(const DecoderGuard&) = delete;
    DecoderGuard& operator=(const DecoderGuard&) = delete;

private:
    Decoder& d_;
};

[[noreturn]] void throwInvalid(const QString& source, const QString& reason) {
    const QString where = source.isEmpty() ? QString() : QStringLiteral(" in %1").arg(source);
    throw VexaError(QStringLiteral("Invalid picture data%1: %2").arg(where, reason));
}

QImage decode(const QByteArray& data, const QString& source) {
    Decoder d{};
    d.info.err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = failWithMessage;
    d.err.pub.emit_message = emitMessage;
    d.err.pub.output_message = outputMessage;
    jpeg_create_decompress(&d.info);
    DecoderGuard guard(d);

    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    if (!readHeader(&d, bytes, static_cast<unsigned long>(data.size())))
        throwInvalid(source, QString::fromLatin1(d.err.message));

    const JDIMENSION width = d.info.output_width;
    const JDIMENSION height = d.info.output_height;
    if (static_cast<unsigned long>(width) * height > maxPixels)
        throwInvalid(
            source,
            QStringLiteral("picture of %1 x %2 pixels is too large").arg(width).arg(height));
    QImage image(static_cast<int>(width), static_cast<int>(height),
                 imageFormat(d.info.out_color_space));
    if (image.isNull())
        throwInvalid(source,
                     QStringLiteral("not enough memory for %1 x %2 pixels").arg(width).arg(height));

    if (!readScanlines(&d, image.bits(), image.bytesPerLine()))
        throwInvalid(source, QString::fromLatin1(d.err.message));
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage decodeJpeg(const QByteArray& data) {
    return decode(data, QString());
}

QImage loadJpeg(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw VexaError(ErrorText::cannotOpen(fileName));
    return decode(file.readAll(), fileName);
}
