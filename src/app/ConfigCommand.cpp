#include "ConfigCommand.h"

#include "app/HeadlessPrompts.h"
#include "app/MainWindow.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"

#include <QFileInfo>

namespace {

struct DirectoryAndName {
    QString directory;
    QString name;
};

DirectoryAndName splitFileName(const QString& fileName) {
    const auto& platform = PlatformConventions::native();
    const QString path = fileName.isEmpty() ? fileName : QFileInfo(fileName).absoluteFilePath();
    return {platform.directoryOf(path), platform.fileNameOf(path)};
}

} // namespace

int runConfigFiles(const ConfigFiles& files, QTextStream& messages) {
    HeadlessPrompts prompts(messages);
    MainWindow window(prompts);
    // A start-up that failed left the window half filled: writing it would lose settings.
    // What the window shows on its hint line is said here.
    if (const QString missing = window.missingConfigNotice(); !missing.isEmpty())
        prompts.notice(missing);
    if (prompts.failed())
        return 1;
    runGuarded(prompts, [&] {
        if (files.load) {
            const DirectoryAndName in = splitFileName(*files.load);
            window.loadCfgFile(in.directory, in.name);
        }
        if (files.save) {
            const DirectoryAndName out = splitFileName(*files.save);
            window.saveCfgFile(out.directory, out.name);
        }
    });
    return prompts.failed() ? 1 : 0;
}
