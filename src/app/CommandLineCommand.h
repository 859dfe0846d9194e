#pragma once

class QTextStream;

// Runs the main window's start-up without showing the window and without asking anything, then
// writes the game's command line, as Run would build it, to `out` on one line. Ends without the
// closing questions and saves. Notices and errors go to `messages`. Returns the exit code: 0, or
// 1 when the start-up failed (the launch controls would then be half read).
int printCommandLine(QTextStream& out, QTextStream& messages);
