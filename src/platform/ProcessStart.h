#pragma once

#include <QString>
#include <QStringList>

// Starts a program detached, with its arguments passed as they are (no shell in between) and the
// given working directory. Returns false when the program could not be started.
bool startDetached(const QString& program, const QStringList& arguments,
                   const QString& workingDirectory);
