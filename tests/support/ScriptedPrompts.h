#pragma once

#include "platform/Prompts.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

// Answers prompts from a queue and records every text it was shown. An unexpected prompt (none
// queued, or of another kind) is recorded as a failure; check `unexpected` at the end of a test
// (or call verifyDone()).
class ScriptedPrompts : public Prompts {
public:
    enum class Kind { Confirm, Notice, Error, Choose, OpenFile, SaveFile, BrowseFolder };

    struct Shown {
        Kind kind;
        QString text;      // question, message, dialog title or folder caption
        QString directory; // dialogs: starting directory / browse root
        QString filter;    // file dialogs
        QString fileName;  // save dialogs: the name proposed
    };

    // Queue the answer to the next prompt of that kind.
    void answerConfirm(bool yes);
    void expectNotice();
    void expectError();
    // The index of the answer to the next question with buttons of its own.
    void answerChoice(int index);
    void answerOpenFile(std::optional<QString> path);
    void answerSaveFile(std::optional<QString> path);
    void answerBrowseFolder(std::optional<QString> path);

    // Errors are always allowed without queuing when this is set (start-up failures etc.).
    bool allowErrors = false;

    std::vector<Shown> shown;
    QStringList unexpected;

    QStringList texts(Kind kind) const;
    bool done() const { return answers_.empty() && unexpected.isEmpty(); }
    // A readable account of what is left and what went wrong, for QVERIFY2.
    QString report() const;

    bool confirm(const QString& text) override;
    void notice(const QString& text) override;
    void error(const QString& text) override;
    int choose(const QString& text, const QStringList& answers) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> browseFolder(const QString& caption, const QString& root) override;

private:
    struct Answer {
        Kind kind;
        bool yes = false;
        QString path;    // a null string: cancelled
        int choice = -1; // -1: the last answer
        std::optional<QString> chosen() const {
            return path.isNull() ? std::nullopt : std::optional<QString>(path);
        }
    };
    Answer take(Kind kind, const QString& text);
    std::deque<Answer> answers_;
};
