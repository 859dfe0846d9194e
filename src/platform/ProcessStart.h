#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Starts a program detached, with its arguments passed as they are, byte for byte (no shell in
// between), in the given working directory, in a session of its own. Returns false when the
// program could not be started.
bool startDetached(const QString& program, const QList<QByteArray>& arguments,
                   const QString& workingDirectory);
// The same with the arguments spelt as the system spells file names.
bool startDetached(const QString& program, const QStringList& arguments,
                   const QString& workingDirectory);

// Whether a shell started in `workingDirectory` can run `program`, given as the bytes of its name:
// a name holding a "/" is taken from the working directory, any other is searched along PATH; it
// has to be an executable regular file.
bool isRunnable(const QByteArray& program, const QString& workingDirectory);
