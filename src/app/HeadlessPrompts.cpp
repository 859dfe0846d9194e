#include "HeadlessPrompts.h"

#include "platform/VexaError.h"

#include <QTextStream>

void HeadlessPrompts::write(const QString& text) {
    messages_ << QStringLiteral("vexa: ") << text << Qt::endl;
}

void HeadlessPrompts::cannotAsk(const QString& what) {
    throw VexaError(QStringLiteral("Cannot ask without a window: %1").arg(what));
}

bool HeadlessPrompts::confirm(const QString& text) {
    cannotAsk(text);
}

void HeadlessPrompts::notice(const QString& text) {
    write(text);
}

void HeadlessPrompts::error(const QString& text) {
    failed_ = true;
    write(text);
}

int HeadlessPrompts::choose(const QString& text, const QStringList&) {
    cannotAsk(text);
}

std::optional<QString> HeadlessPrompts::openFile(const FileRequest& request) {
    cannotAsk(request.title);
}

std::optional<QString> HeadlessPrompts::saveFile(const FileRequest& request) {
    cannotAsk(request.title);
}

std::optional<QString> HeadlessPrompts::browseFolder(const QString& caption, const QString&) {
    cannotAsk(caption);
}
