// The window's test classes, each registered by its file and run one after the other by one
// program, in one application object.
#pragma once

#include <QtTest>
#include <functional>
#include <vector>

namespace zelk::test {

using TestRun = std::function<int(int argc, char** argv)>;

inline std::vector<TestRun>& TestClasses() {
    static std::vector<TestRun> classes;
    return classes;
}

template <typename TestClass>
struct RegisterTest {
    RegisterTest() {
        TestClasses().push_back([](int argc, char** argv) {
            TestClass tests;
            return QTest::qExec(&tests, argc, argv);
        });
    }
};

}  // namespace zelk::test
