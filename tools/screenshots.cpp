// Renders the main window (every tab and Video sub-page), and the dialogs, to PNG files, offscreen.
//
//   vexa_screenshots OUTPUT_DIRECTORY
//
// It runs in a temporary world of its own (settings file, program directory, Quake 2
// directory), so it never touches the real settings.

#include "app/About.h"
#include "app/Application.h"
#include "app/VexaEdit.h"
#include "app/VexaMain.h"
#include "controls/SupCommon.h"
#include "platform/IniFile.h"
#include "platform/VexaIni.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// Answers every question with No or Cancel and reports what it was shown.
class SilentPrompts : public Prompts {
public:
    bool confirm(const QString& text) override { return say("question", text), false; }
    void notice(const QString& text) override { say("notice", text); }
    void error(const QString& text) override { say("error", text); }
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

QString outputDir;

void save(QWidget& widget, const QString& name) {
    const QString file = QDir(outputDir).filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(file))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    else
        std::printf("%s\n", qPrintable(file));
}

QString fileNameOf(const QString& caption) {
    QString name = caption.toLower();
    name.remove(QLatin1Char('&'));
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    return name;
}

// A dialog shown modally by the code under test is grabbed and closed from the event loop.
void grabNextModal(const QString& name) {
    QTimer::singleShot(200, [name] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            save(*modal, name);
            modal->close();
        }
    });
}

void renderMainWindow(TfrmVexaMain& window) {
    window.show();
    save(window, QStringLiteral("main_splash"));
    window.Timer1->start(0);
    while (window.pnlSplash)
        QApplication::processEvents();
    save(window, QStringLiteral("main"));
    for (int i = 0; i < window.PageMain->count(); ++i) {
        window.PageMain->setCurrentIndex(i);
        const QString tab = fileNameOf(window.PageMain->tabText(i));
        save(window, QStringLiteral("tab_") + tab);
        if (window.PageMain->widget(i) != window.tabVideo)
            continue;
        for (int j = 0; j < window.pageVideo->count(); ++j) {
            window.pageVideo->setCurrentIndex(j);
            save(window, QStringLiteral("tab_video_") + fileNameOf(window.pageVideo->tabText(j)));
        }
    }
    window.PageMain->setCurrentIndex(0);
}

void renderDialogs(TfrmVexaMain& window) {
    TfrmAbout about(&window);
    about.show();
    save(about, QStringLiteral("dialog_about"));
    about.resize(about.minimumSize());
    save(about, QStringLiteral("dialog_about_small"));

    InfoContent info;
    info.command = QStringLiteral("allow_download");
    info.defaultValue = QStringLiteral("Yes");
    info.current[0] = QStringLiteral("No");
    info.description = QStringLiteral("Toggle the automatic downloading of game files");
    info.notes = {
        QStringLiteral("This command can be used by both, the client and the server "
                       "individually to prevent the automatic downloading of game files")};
    grabNextModal(QStringLiteral("dialog_info"));
    ShowInfoDialog(&window, info);

    // The status box of a run (closing it stops the run), and the text editor.
    {
        IniFile ini(VexaIni::fileName());
        VexaIni::write(ini, VexaIni::SaveAllOnRun, QStringLiteral("0"));
        VexaIni::write(ini, VexaIni::StatusTime, QStringLiteral("0"));
    }
    grabNextModal(QStringLiteral("dialog_status"));
    window.btnRun->click();
    window.ConfigFile1->trigger();
    for (TfrmEdit* editor : window.findChildren<TfrmEdit*>()) {
        save(*editor, QStringLiteral("dialog_edit"));
        editor->close();
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyApplicationLook(app);
    outputDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(outputDir);

    QTemporaryDir world;
    QDir(world.path()).mkpath(QStringLiteral("config"));
    QDir(world.path()).mkpath(QStringLiteral("quake2/baseq2"));
    QFile config(world.path() + QStringLiteral("/quake2/baseq2/config.cfg"));
    if (config.open(QIODevice::WriteOnly))
        config.write("set name \"Player\"\r\nbind MOUSE1 \"+attack\"\r\n");
    config.close();
    qputenv("XDG_CONFIG_HOME", (world.path() + QStringLiteral("/config")).toLocal8Bit());
    QDir::setCurrent(world.path());
    {
        IniFile ini(VexaIni::fileName());
        VexaIni::write(ini, VexaIni::Quake2Path, world.path() + QStringLiteral("/quake2"));
        VexaIni::write(ini, VexaIni::BaseDir, world.path() + QStringLiteral("/quake2/baseq2"));
    }

    SilentPrompts prompts;
    TfrmVexaMain window(prompts);
    renderMainWindow(window);
    renderDialogs(window);
    window.close();
    return 0;
}
