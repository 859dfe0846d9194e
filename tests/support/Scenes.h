#pragma once

// The windows of the program as a player sees them, on a demo installation: every tab and Video
// sub-page of the main window, the lists filled from the installation (open), the dialogs, the
// editor and the entry editors, each shown in turn. The screenshot tool saves each as a picture;
// the tests check how each is laid out, at several fonts and palettes.

#include "app/Demo.h"
#include "platform/Prompts.h"
#include "support/StandInServer.h"

#include <QPalette>
#include <QPixmap>
#include <QString>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

// A window shown, its name ("tab_video_gl", "dialog_options") and its picture (with an open list
// drawn where it shows on the screen).
using SceneVisitor =
    std::function<void(QWidget& window, const QString& name, const QPixmap& picture)>;

// Shows every scene to `visit`, with the demo's current directory and settings. The Connect list's
// servers get `serverWaitMs` to answer before their list is shown.
void showScenes(const DemoPaths& demo, Prompts& prompts, const SceneVisitor& visit,
                int serverWaitMs);

// Two servers that answer, one with bit-7 glyphs in its name as players like them, and one that
// never does, listed in the demo's servers.txt.
std::vector<std::unique_ptr<StandInServer>> standInServers(const QString& programDir);

// The Fusion style's colours for a dark desktop theme.
QPalette darkPalette();
// The application's font at `points`, as a desktop would set it.
void useFontSize(qreal points);

// Answers every question with No or Cancel and reports what it was shown.
class SilentPrompts : public Prompts {
public:
    bool confirm(const QString& text) override { return say("question", text), false; }
    void notice(const QString& text) override { say("notice", text); }
    void error(const QString& text) override { say("error", text); }
    int choose(const QString& text, const QStringList& answers) override {
        return say("question", text), int(answers.size()) - 1;
    }
    std::optional<QString> openFile(const FileRequest& r) override { return ask(r.title); }
    std::optional<QString> saveFile(const FileRequest& r) override { return ask(r.title); }
    std::optional<QString> browseFolder(const QString& caption, const QString&) override {
        return ask(caption);
    }

private:
    static void say(const char* kind, const QString& text) {
        std::fprintf(stderr, "%s: %s\n", kind, qPrintable(text));
    }
    static std::optional<QString> ask(const QString& title) {
        say("dialog", title);
        return std::nullopt;
    }
};
