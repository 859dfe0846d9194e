#pragma once

#include <QString>
#include <stdexcept>

// A failure the user is told about: the message is shown as it stands.
class VexaError : public std::runtime_error {
public:
    explicit VexaError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// The system's own message texts, with %s filled in.
namespace ErrorText {
inline QString cannotOpen(const QString& file) {
    return QStringLiteral("Cannot open file %1").arg(file);
}
inline QString cannotRead(const QString& file) {
    return QStringLiteral("Cannot read file %1: it is kept as it is").arg(file);
}
inline QString cannotCreate(const QString& file) {
    return QStringLiteral("Cannot create file %1").arg(file);
}
inline QString unableToWrite(const QString& file) {
    return QStringLiteral("Unable to write to %1").arg(file);
}
inline QString notAnInteger(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}
inline QString notAFloat(const QString& text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}
} // namespace ErrorText
