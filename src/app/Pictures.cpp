#include "Pictures.h"

#include "platform/JpegImage.h"
#include "platform/VexaError.h"

#include <QHash>

// The resources live in a static library; make sure they are registered before first use.
static void registerResources() {
    Q_INIT_RESOURCE(vexa);
}

QPixmap picture(const char* name) {
    static QHash<QByteArray, QPixmap> decoded;
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
    const QByteArray key(name);
    auto found = decoded.constFind(key);
    if (found != decoded.constEnd())
        return *found;
    const QPixmap pixmap = QPixmap::fromImage(
        loadJpeg(QStringLiteral(":/images/%1.jpg").arg(QString::fromLatin1(name))));
    decoded.insert(key, pixmap);
    return pixmap;
}

QPixmap decorationPicture(const char* name) {
    try {
        return picture(name);
    } catch (const VexaError& e) {
        qWarning("%s", qPrintable(e.message()));
        return {};
    }
}
