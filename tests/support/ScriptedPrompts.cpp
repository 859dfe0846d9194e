#include "ScriptedPrompts.h"

namespace {
const char* kindName(ScriptedPrompts::Kind kind) {
    switch (kind) {
    case ScriptedPrompts::Kind::Confirm:
        return "confirm";
    case ScriptedPrompts::Kind::Notice:
        return "notice";
    case ScriptedPrompts::Kind::Error:
        return "error";
    case ScriptedPrompts::Kind::Choose:
        return "choose";
    case ScriptedPrompts::Kind::OpenFile:
        return "open file";
    case ScriptedPrompts::Kind::SaveFile:
        return "save file";
    case ScriptedPrompts::Kind::BrowseFolder:
        return "browse folder";
    }
    return "?";
}
} // namespace

void ScriptedPrompts::answerConfirm(bool yes) {
    answers_.push_back({Kind::Confirm, yes, {}});
}
void ScriptedPrompts::expectNotice() {
    answers_.push_back({Kind::Notice, false, {}});
}
void ScriptedPrompts::expectError() {
    answers_.push_back({Kind::Error, false, {}});
}
void ScriptedPrompts::answerChoice(int index) {
    answers_.push_back({Kind::Choose, false, {}, index});
}
void ScriptedPrompts::answerOpenFile(std::optional<QString> path) {
    answers_.push_back({Kind::OpenFile, false, path.value_or(QString())});
}
void ScriptedPrompts::answerSaveFile(std::optional<QString> path) {
    answers_.push_back({Kind::SaveFile, false, path.value_or(QString())});
}
void ScriptedPrompts::answerBrowseFolder(std::optional<QString> path) {
    answers_.push_back({Kind::BrowseFolder, false, path.value_or(QString())});
}

QStringList ScriptedPrompts::texts(Kind kind) const {
    QStringList list;
    for (const Shown& s : shown)
        if (s.kind == kind)
            list << s.text;
    return list;
}

QString ScriptedPrompts::report() const {
    QStringList lines = unexpected;
    for (const Answer& a : answers_)
        lines << QStringLiteral("unused answer for a %1 prompt").arg(kindName(a.kind));
    return lines.join(QLatin1Char('\n'));
}

ScriptedPrompts::Answer ScriptedPrompts::take(Kind kind, const QString& text) {
    if (!answers_.empty() && answers_.front().kind == kind) {
        Answer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    if (!(kind == Kind::Error && allowErrors))
        unexpected << QStringLiteral("unexpected %1 prompt: %2").arg(kindName(kind), text);
    return Answer{kind, false, QString()}; // No, Cancel
}

bool ScriptedPrompts::confirm(const QString& text) {
    shown.push_back({Kind::Confirm, text, {}, {}, {}});
    return take(Kind::Confirm, text).yes;
}

void ScriptedPrompts::notice(const QString& text) {
    shown.push_back({Kind::Notice, text, {}, {}, {}});
    take(Kind::Notice, text);
}

void ScriptedPrompts::error(const QString& text) {
    shown.push_back({Kind::Error, text, {}, {}, {}});
    take(Kind::Error, text);
}

int ScriptedPrompts::choose(const QString& text, const QStringList& answers) {
    shown.push_back({Kind::Choose, text, {}, {}, {}});
    const int choice = take(Kind::Choose, text).choice;
    return choice < 0 ? int(answers.size()) - 1 : choice;
}

std::optional<QString> ScriptedPrompts::openFile(const FileRequest& request) {
    shown.push_back({Kind::OpenFile, request.title, request.directory, request.filter, {}});
    return take(Kind::OpenFile, request.title).chosen();
}

std::optional<QString> ScriptedPrompts::saveFile(const FileRequest& request) {
    shown.push_back(
        {Kind::SaveFile, request.title, request.directory, request.filter, request.fileName});
    return take(Kind::SaveFile, request.title).chosen();
}

std::optional<QString> ScriptedPrompts::browseFolder(const QString& caption, const QString& root) {
    shown.push_back({Kind::BrowseFolder, caption, root, {}, {}});
    return take(Kind::BrowseFolder, caption).chosen();
}
