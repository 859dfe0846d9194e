// The config reader and writer, the profile lists and the INI files against the least work the
// same files need: reading and splitting them into lines, stat calls, a plain write and read.

#include "Installation.h"
#include "Ratios.h"

#include "app/HeadlessPrompts.h"
#include "app/MainWindow.h"
#include "config/ConfigCheck.h"
#include "config/ConfigScript.h"
#include "settings/Catalogue.h"
#include "platform/FileAccess.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "profiles/ProfileFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

const int ConfigSizes[] = {1000, 10000, 100000};
constexpr int IniSections = 10;
constexpr int IniKeysPerSection = 100;
constexpr int IniCalls = 10000;
const QString BindingsGame = QStringLiteral("bindings1000");
const QString AliasesGame = QStringLiteral("aliases1000");

const QString CrLf = QStringLiteral("\r\n");

// The floor: the file's bytes as Latin-1 text, split at line ends.
QStringList readAndSplit(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

QString configName(int lines) {
    return QStringLiteral("bench%1.cfg").arg(lines);
}

struct Setup {
    QTemporaryDir root;
    DemoPaths paths;
    QTextStream messages{stderr};
    HeadlessPrompts prompts{messages};
    std::unique_ptr<MainWindow> window;
    QString iniPath;
    QString bindingsProfile;
    QString aliasesProfile;
};

void writeIni(const QString& path) {
    QStringList lines;
    for (int s = 1; s <= IniSections; ++s) {
        lines << QStringLiteral("[Section%1]").arg(s);
        for (int k = 1; k <= IniKeysPerSection; ++k)
            lines << QStringLiteral("Key%1=value of key %1 in section %2").arg(k).arg(s);
    }
    TextFile::writeLines(path, lines, CrLf);
}

std::unique_ptr<Setup> prepare() {
    auto setup = std::make_unique<Setup>();
    DemoContent content = BenchInstallation::realisticContent();
    content.gameProfiles << std::pair{BindingsGame, BenchInstallation::profile(100, 1000, 0)}
                         << std::pair{AliasesGame, BenchInstallation::profile(1000, 0, 0)};
    setup->paths = BenchInstallation::enter(setup->root.filePath(QStringLiteral("q2")), content);
    for (int lines : ConfigSizes)
        TextFile::writeLines(QDir(setup->paths.baseDir).filePath(configName(lines)),
                             BenchInstallation::gameStyleConfig(lines), CrLf);
    setup->iniPath = setup->root.filePath(QStringLiteral("bench.ini"));
    writeIni(setup->iniPath);
    setup->bindingsProfile = ProfileFile::profilePath(setup->paths.programDir, BindingsGame);
    setup->aliasesProfile = ProfileFile::profilePath(setup->paths.programDir, AliasesGame);
    setup->window = std::make_unique<MainWindow>(setup->prompts);
    return setup;
}

// ---- Config ----

void registerConfig(Setup& s) {
    for (int lines : ConfigSizes) {
        const QString path = QDir(s.paths.baseDir).filePath(configName(lines));
        benchmark::RegisterBenchmark("ReadAndSplit", [path](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(readAndSplit(path));
        })->Arg(lines);
        benchmark::RegisterBenchmark("LoadCfgFile", [&s, lines](benchmark::State& state) {
            for (auto _ : state)
                s.window->loadCfgFile(s.paths.baseDir, configName(lines));
        })->Arg(lines);
        benchmark::RegisterBenchmark("SaveCfgFile", [&s, lines](benchmark::State& state) {
            s.window->loadCfgFile(s.paths.baseDir, configName(lines));
            for (auto _ : state)
                s.window->saveCfgFile(s.root.path(), QStringLiteral("written.cfg"));
        })->Arg(lines);
        // The writer's own floor: the bytes it wrote, replaced atomically and synced to disk.
        benchmark::RegisterBenchmark("AtomicWrite", [&s, lines](benchmark::State& state) {
            s.window->loadCfgFile(s.paths.baseDir, configName(lines));
            s.window->saveCfgFile(s.root.path(), QStringLiteral("written.cfg"));
            QFile written(s.root.filePath(QStringLiteral("written.cfg")));
            written.open(QIODevice::ReadOnly);
            const QByteArray bytes = written.readAll();
            for (auto _ : state) {
                QSaveFile out(s.root.filePath(QStringLiteral("plain.cfg")));
                out.open(QIODevice::WriteOnly);
                out.write(bytes);
                out.commit();
            }
        })->Arg(lines);
    }
}

// ---- Config checker ----

// Two configs that give every binding other keys: each its own key (no two commands share one),
// or keys from a set far smaller than the bindings (every command shares its keys).
QStringList bindingsConfig(int keyCount, int shift) {
    QStringList lines;
    int n = 0;
    for (const CatalogueRow& row : catalogue()) {
        if (row.kind == SettingKind::Binding)
            lines
                << QStringLiteral("bind K%1 \"%2\"").arg((n++ + shift) % keyCount).arg(row.command);
    }
    return lines;
}

const char* const BindingConfigs[] = {"own0.cfg", "own1.cfg", "shared0.cfg", "shared1.cfg"};

void writeBindingConfigs(const QString& dir) {
    for (int shift = 0; shift < 2; ++shift) {
        TextFile::writeLines(QDir(dir).filePath(BindingConfigs[shift]), bindingsConfig(1000, shift),
                             CrLf);
        TextFile::writeLines(QDir(dir).filePath(BindingConfigs[2 + shift]),
                             bindingsConfig(20, shift), CrLf);
    }
}

// Loads of two such configs in turn, with the conflict marks the new keys bring (worked out when
// the event loop runs) or without them.
void alternateLoads(benchmark::State& state, Setup* s, bool shared, bool marks) {
    const QString names[] = {QLatin1String(BindingConfigs[shared * 2]),
                             QLatin1String(BindingConfigs[shared * 2 + 1])};
    int n = 0;
    for (auto _ : state) {
        s->window->loadCfgFile(s->paths.baseDir, names[n++ % 2]);
        if (marks)
            QApplication::processEvents();
    }
}

// The file read as the game reads it and checked, for each engine.
void registerConfigCheck(Setup& s) {
    writeBindingConfigs(s.paths.baseDir);
    for (const bool shared : {false, true}) {
        const std::string keys = shared ? "/sharedKeys" : "/ownKeys";
        benchmark::RegisterBenchmark(("AlternateLoads" + keys).c_str(), alternateLoads, &s, shared,
                                     false);
        benchmark::RegisterBenchmark(("AlternateLoadsAndMarks" + keys).c_str(), alternateLoads, &s,
                                     shared, true);
    }
    for (int lines : ConfigSizes) {
        const QString path = QDir(s.paths.baseDir).filePath(configName(lines));
        for (Engine engine : AllEngines) {
            const std::string name = std::string("CheckConfig/") + engineFacts(engine).iniName;
            benchmark::RegisterBenchmark(name.c_str(), [path, engine](benchmark::State& state) {
                for (auto _ : state)
                    benchmark::DoNotOptimize(checkConfig(readScriptLines(path), engine));
            })->Arg(lines);
        }
    }
}

// ---- Profiles and INI ----

void iniReads(benchmark::State& state, const QString& path) {
    const IniFile ini(path);
    QStringList sections, keys;
    for (int i = 0; i < IniCalls; ++i) {
        sections << QStringLiteral("Section%1").arg(i % IniSections + 1);
        keys << QStringLiteral("Key%1").arg(i / IniSections % IniKeysPerSection + 1);
    }
    for (auto _ : state) {
        for (int i = 0; i < IniCalls; ++i)
            benchmark::DoNotOptimize(ini.readString(sections[i], keys[i], QString()));
    }
}

void statCalls(benchmark::State& state, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    for (auto _ : state) {
        for (int i = 0; i < IniCalls; ++i)
            benchmark::DoNotOptimize(::stat(name.constData(), &st));
    }
}

void iniWriteThenRead(benchmark::State& state, const QString& path) {
    IniFile ini(path);
    int n = 0;
    for (auto _ : state) {
        ini.writeString(QStringLiteral("Section5"), QStringLiteral("Key50"), QString::number(++n));
        benchmark::DoNotOptimize(
            ini.readString(QStringLiteral("Section5"), QStringLiteral("Key50"), QString()));
    }
}

// The floor of a write and a read: the file's bytes replaced atomically, then read back.
void plainWriteThenRead(benchmark::State& state, const QString& path) {
    QFile original(path);
    original.open(QIODevice::ReadOnly);
    const QByteArray bytes = original.readAll();
    const QString copy = path + QStringLiteral(".plain");
    for (auto _ : state) {
        QSaveFile out(copy);
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        out.commit();
        QFile in(copy);
        in.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(in.readAll());
    }
}

void registerProfilesAndIni(Setup& s) {
    const QString profile = s.bindingsProfile;
    benchmark::RegisterBenchmark("LoadBindingList", [profile](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(ProfileFile::loadBindingList(profile));
    });
    benchmark::RegisterBenchmark("ReadAndSplitProfile", [profile](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(readAndSplit(profile));
    });
    benchmark::RegisterBenchmark("IniReads10000", iniReads, s.iniPath);
    benchmark::RegisterBenchmark("Stat10000", statCalls, s.iniPath);
    benchmark::RegisterBenchmark("IniWriteThenRead", iniWriteThenRead, s.iniPath);
    benchmark::RegisterBenchmark("PlainWriteThenRead", plainWriteThenRead, s.iniPath);
}

// ---- One operation, one replace ----

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Deletes entry 1 of the profile, put back as it was before each time. The list showing the
// profile has just been filled, so its parse is at hand, as it is when the user deletes.
void deleteFirstEntry(benchmark::State& state, const QString& profile, EntryKind kind) {
    const QByteArray original = contentsOf(profile);
    for (auto _ : state) {
        state.PauseTiming();
        QFile restore(profile);
        restore.open(QIODevice::WriteOnly | QIODevice::Truncate);
        restore.write(original);
        restore.close();
        benchmark::DoNotOptimize(IniFile(profile).sectionCount());
        state.ResumeTiming();
        ProfileFile::deleteEntry(profile, kind, 1);
    }
}

// The floor: the profile's bytes replaced once the way the program replaces a file.
void replaceProfile(benchmark::State& state, const QString& profile) {
    const QByteArray original = contentsOf(profile);
    const QString copy = profile + QStringLiteral(".copy");
    for (auto _ : state)
        benchmark::DoNotOptimize(replaceFile(copy, original));
}

void registerOneReplace(Setup& s) {
    const std::pair<const char*, std::pair<QString, EntryKind>> profiles[] = {
        {"Binding", {s.bindingsProfile, EntryKind::Binding}},
        {"Alias", {s.aliasesProfile, EntryKind::Alias}},
    };
    for (const auto& [name, profile] : profiles) {
        const auto& [path, kind] = profile;
        benchmark::RegisterBenchmark((std::string("DeleteFirst") + name).c_str(), deleteFirstEntry,
                                     path, kind)
            ->UseRealTime();
        benchmark::RegisterBenchmark((std::string("ReplaceProfile") + name).c_str(), replaceProfile,
                                     path)
            ->UseRealTime();
    }
}

// ---- Summary ----

std::string sizeName(int lines) {
    return std::to_string(lines / 1000) + "k lines";
}

// The per-line cost at the largest size against the smallest: near 1 when linear.
double growth(const RatioReporter& r, const char* name) {
    const int small = ConfigSizes[0];
    const int large = ConfigSizes[std::size(ConfigSizes) - 1];
    const double a = r.seconds(std::string(name) + "/" + std::to_string(small));
    const double b = r.seconds(std::string(name) + "/" + std::to_string(large));
    return a <= 0 || b < 0 ? -1 : (b / large) / (a / small);
}

void printSummary(const RatioReporter& r) {
    std::printf("\nCPU time against the floor (read and split the same file into lines)\n");
    for (const char* name : {"LoadCfgFile", "SaveCfgFile"}) {
        for (int lines : ConfigSizes) {
            const std::string size = std::to_string(lines);
            printRatio(std::string(name) + " " + sizeName(lines),
                       r.ratio(std::string(name) + "/" + size, "ReadAndSplit/" + size), 3.0);
        }
    }
    std::printf("\nThe writer against writing its own bytes (an atomic replace synced to disk)\n");
    for (int lines : ConfigSizes) {
        const std::string size = std::to_string(lines);
        printRatio("SaveCfgFile " + sizeName(lines),
                   r.ratio("SaveCfgFile/" + size, "AtomicWrite/" + size), 3.0);
    }
    for (const char* name : {"LoadCfgFile", "ReadAndSplit"}) {
        const double g = growth(r, name);
        std::printf("%-44s %7.2fx per line, 100k against 1k lines (%s)\n", name, g,
                    g > 0 && g < 1.5 ? "linear" : "NOT linear");
    }
    std::printf("\nLoads with the conflict marks they bring, against the loads alone\n");
    for (const char* keys : {"ownKeys", "sharedKeys"})
        printRatio(std::string("Bindings config, ") + keys,
                   r.ratio(std::string("AlternateLoadsAndMarks/") + keys,
                           std::string("AlternateLoads/") + keys),
                   0);
    std::printf("\nThe config checker (reading the file included), against 1 s for 100k lines\n");
    for (Engine engine : AllEngines) {
        const std::string name = std::string("CheckConfig/") + engineFacts(engine).iniName + "/" +
                                 std::to_string(ConfigSizes[std::size(ConfigSizes) - 1]);
        const double seconds = r.seconds(name);
        std::printf("%-44s %7.3f s (%s)\n", name.c_str(), seconds,
                    seconds >= 0 && seconds < 1 ? "ok" : "MISSED");
    }
    std::printf("\nProfiles and INI\n");
    printRatio("LoadBindingList (1,000 bindings, 100 aliases)",
               r.ratio("LoadBindingList", "ReadAndSplitProfile"), 0);
    std::printf("%-44s %7.3f ms\n", "  its time", r.seconds("LoadBindingList") * 1e3);
    printRatio("10,000 INI reads / 10,000 stat calls", r.ratio("IniReads10000", "Stat10000"), 10.0);
    printRatio("INI write then read / plain write and read",
               r.ratio("IniWriteThenRead", "PlainWriteThenRead"), 0);
    std::printf("%-44s %7.3f ms\n", "  its time", r.seconds("IniWriteThenRead") * 1e3);
    std::printf("\nDeleting entry 1 of 1,000 against one atomic replace of the same profile\n");
    for (const char* kind : {"Binding", "Alias"}) {
        // Measured in wall-clock time: the names carry Google Benchmark's suffix for it.
        const std::string del = std::string("DeleteFirst") + kind + "/real_time";
        const std::string floor = std::string("ReplaceProfile") + kind + "/real_time";
        printRatio(std::string(kind) + ", wall-clock time", r.realRatio(del, floor), 5.0);
        printRatio(std::string(kind) + ", CPU time", r.ratio(del, floor), 0);
        std::printf("%-44s %7.3f ms (replace %.3f ms)\n", "  its wall-clock time",
                    r.realSeconds(del) * 1e3, r.realSeconds(floor) * 1e3);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const std::unique_ptr<Setup> setup = prepare();
    registerConfig(*setup);
    registerConfigCheck(*setup);
    registerProfilesAndIni(*setup);
    registerOneReplace(*setup);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter);
    benchmark::Shutdown();
    return setup->prompts.failed() ? 1 : 0;
}
