#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What identifies a file's current contents: any rewrite by another program changes at least one
// field (an in-place rewrite the times, a replacement the inode).
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0; // status change time; 0 where the system has none
    quint64 inode = 0;
    quint64 device = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp fileStamp(const QString& path);

// True when a write must be refused: the file or its directory is read-only. Permission bits are
// honoured even where the process could override them (root), the way a read-only attribute is
// honoured on Windows.
bool isWriteProtected(const QString& path);

// Replaces the file's contents atomically (a temporary file in the same directory, then a
// rename); the old file stays as it was when this returns false. A link is replaced at its end,
// so it stays a link. Copies that a killed save left beside the file are removed first.
bool replaceFile(const QString& path, const QByteArray& bytes);

// replaceFile for a save: throws VexaError with a message of its own when the file, or the end of
// a link to it, is there but no regular file (a device, FIFO, directory or socket is never
// replaced), and with `failure` when the file is write-protected or the write fails.
void saveFile(const QString& path, const QByteArray& bytes, const QString& failure);

// The whole contents of a regular file (a link to one included); nothing when the file is
// missing, unreadable or something else: a FIFO would block the read and a device might never
// end it.
std::optional<QByteArray> readWholeFile(const QString& path);

// The file name the way error messages show it: absolute, with the system's separators.
QString displayName(const QString& path);
