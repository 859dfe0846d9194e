#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

// Test classes of one area register themselves; the area's executable runs them all.
namespace TestRegistry {
using Factory = std::function<std::unique_ptr<QObject>()>;
int add(const char* name, Factory factory);
int runAll(int argc, char** argv);
} // namespace TestRegistry

#define VEXA_TEST(Class)                                                                           \
    static const int vexaTestRegistered_##Class =                                                  \
        TestRegistry::add(#Class, [] { return std::unique_ptr<QObject>(new Class); });
