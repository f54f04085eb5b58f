#pragma once

// A port folder of the test's own in which every COM name leads nowhere, so the
// port dialog lists the same on any machine, whatever ports the host has.
#include "core/serial/comassign.h"
#include "core/serial/portnames.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTemporaryDir>

class NoPorts
{
public:
    // Before the application exists: Qt reads XDG_DATA_HOME once.
    NoPorts() { qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit()); }

    // Once the application exists: every COM name leads to nothing.
    void linkNowhere() const
    {
        QDir().mkpath(portnames::portFolder());
        for (int n = 1; n <= comassign::kHighestNumber; ++n)
            QFile::link(m_home.filePath(QStringLiteral("absent%1").arg(n)), portnames::linkPath(n));
    }

private:
    QTemporaryDir m_home;
};

// A widget test's main() in a port folder where every COM name leads nowhere.
#define NOPORTS_TEST_MAIN(TestObject)                  \
    int main(int argc, char **argv)                    \
    {                                                  \
        NoPorts ports;                                 \
        QApplication app(argc, argv);                  \
        ports.linkNowhere();                           \
        TestObject test;                               \
        return QTest::qExec(&test, argc, argv);        \
    }
