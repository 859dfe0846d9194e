#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Every modal question, notice, error box, file dialog and folder browser of the program goes
// through this interface, so that tests can answer them from a script.
class Prompts {
public:
    struct FileRequest {
        QString title;
        QString directory; // where the dialog starts
        QString filter;    // Qt filter text, e.g. "Config Files (*.cfg)"
        QString fileName;  // proposed name, may be empty
    };

    virtual ~Prompts() = default;

    // A confirmation with Yes and No; true on Yes.
    virtual bool confirm(const QString& text) = 0;
    // A plain notice with OK.
    virtual void notice(const QString& text) = 0;
    // An error box with OK (the guard shows failures through this).
    virtual void error(const QString& text) = 0;
    // A question with a button for each answer; the index of the answer chosen. Closing the box
    // without one chooses the last, so that is the answer that changes nothing.
    virtual int choose(const QString& text, const QStringList& answers) = 0;
    // The full path chosen, or nothing when cancelled.
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;
    virtual std::optional<QString> browseFolder(const QString& caption, const QString& root) = 0;
};
