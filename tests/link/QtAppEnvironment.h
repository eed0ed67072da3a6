#pragma once
// One QCoreApplication for a whole test executable (QSerialPort and
// QProcess want an application object).
#include <QCoreApplication>
#include <gtest/gtest.h>

namespace corvane::test {

class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = new QCoreApplication(m_argc, m_argv); }
    void TearDown() override { delete m_app; }

private:
    int m_argc = 1;
    char m_name[5] = "test";
    char *m_argv[2] = {m_name, nullptr};
    QCoreApplication *m_app = nullptr;
};

inline const auto *const kQtApp = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

} // namespace corvane::test
