#pragma once

#include "platform/Prompts.h"

#include <QString>

class QTextStream;

// Prompts for running without a window (the command-line modes). Notices and errors are written
// to a stream, one "vexa: " line each; nobody is there to answer a question or pick a file, so
// each of those throws VexaError, which ends the step that asked. Every error counts as a
// failure.
class HeadlessPrompts : public Prompts {
public:
    explicit HeadlessPrompts(QTextStream& messages) : messages_(messages) {}

    // Whether an error was reported.
    bool failed() const { return failed_; }

    bool confirm(const QString& text) override;
    void notice(const QString& text) override;
    void error(const QString& text) override;
    int choose(const QString& text, const QStringList& answers) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> browseFolder(const QString& caption, const QString& root) override;

private:
    void write(const QString& text);
    [[noreturn]] static void cannotAsk(const QString& what);

    QTextStream& messages_;
    bool failed_ = false;
};
