#include "Pictures.h"

#include "platform/JpegImage.h"

#include <QHash>

QPixmap picture(const char* name) {
    static QHash<QByteArray, QPixmap> decoded;
    const QByteArray key(name);
    auto found = decoded.constFind(key);
    if (found != decoded.constEnd())
        return *found;
    const QPixmap pixmap = QPixmap::fromImage(
        loadJpeg(QStringLiteral(":/images/%1.jpg").arg(QString::fromLatin1(name))));
    decoded.insert(key, pixmap);
    return pixmap;
}
