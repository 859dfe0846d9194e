#pragma once

#include "FileAccess.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class Prompts;

// What a file held when the program read or wrote it, so that a later save can tell whether
// another program changed it since. The stamp tells at once that nothing happened; when it
// differs, the contents decide (a file only touched, or written again with the same bytes, has
// not changed).
class FileVersion {
public:
    FileVersion() = default; // no file: a save goes ahead
    // Taken before a read, with the contents given once read. Without them (a read that
    // failed), any file found there at a save counts as changed: what it held is unknown.
    explicit FileVersion(const QString& path);
    void setContents(QByteArrayView bytes);
    // The file as the program has just written it.
    static FileVersion written(const QString& path, QByteArrayView bytes);

    // Whether the file is `path` (both made absolute).
    bool isFile(const QString& path) const;
    // Whether the file holds something else than what was read or written (a file gone away
    // holds nothing to lose).
    bool changedOnDisk() const;

private:
    QString path_;
    FileStamp stamp_;
    QByteArray hash_; // empty: the contents are unknown
};

enum class SaveOverChange { Overwrite, Reload, Cancel };

// Asked before a save replaces `target`: Overwrite when it is not the file `read` came from, or
// still holds what was read; otherwise the player chooses to reload the file, overwrite it, or
// cancel the save.
SaveOverChange askBeforeSavingOver(Prompts& prompts, const FileVersion& read,
                                   const QString& target);
