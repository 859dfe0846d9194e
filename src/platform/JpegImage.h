#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes JPEG data with libjpeg; corrupt or truncated data throws VexaError instead of
// crashing or ending the process.
QImage decodeJpeg(const QByteArray& data);

// Reads a file or a Qt resource (":/images/logo.jpg") and decodes it.
QImage loadJpeg(const QString& fileName);
