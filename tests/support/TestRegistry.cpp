#include "TestRegistry.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QTest>
#include <cstdio>

namespace TestRegistry {

namespace {
struct Entry {
    const char* name;
    Factory factory;
};
std::vector<Entry>& entries() {
    static std::vector<Entry> list;
    return list;
}
} // namespace

int add(const char* name, Factory factory) {
    entries().push_back({name, std::move(factory)});
    return static_cast<int>(entries().size());
}

// Runs every registered class; "-only Name" restricts the run to one class, every other
// argument goes to QTest (a test function name, -v2, ...).
int runAll(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The windows were drawn for this compact font; a test of another font sets its own.
    QFont compact(QStringLiteral("DejaVu Sans"));
    compact.setPointSize(8);
    QApplication::setFont(compact);
    QByteArray only;
    QStringList args{QString::fromLocal8Bit(argv[0])};
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "-only" && i + 1 < argc)
            only = argv[++i];
        else
            args << QString::fromLocal8Bit(argv[i]);
    }
    int failures = 0;
    for (const Entry& entry : entries()) {
        if (!only.isEmpty() && only != entry.name)
            continue;
        std::unique_ptr<QObject> test = entry.factory();
        failures += QTest::qExec(test.get(), args);
    }
    std::printf("%d test classes run, %d failures\n", static_cast<int>(entries().size()), failures);
    return failures == 0 ? 0 : 1;
}

} // namespace TestRegistry

int main(int argc, char** argv) {
    return TestRegistry::runAll(argc, argv);
}
