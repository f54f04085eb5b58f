#pragma once

// A port folder of the test's own in which every COM name leads nowhere, so the
// port dialog lists the same on any machine, whatever ports the host has.
#include "core/serial/portnames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class NoPorts
{
public:
    // Before the application exists: Qt reads XDG_DATA_HOME once.
    NoPorts() { qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit()); }

    // Once the application exists: COM1 to COM32 lead to nothing.
    void linkNowhere() const
    {
        QDir().mkpath(portnames::portFolder());
        for (int n = 1; n <= 32; ++n)
            QFile::link(m_home.filePath(QStringLiteral("absent%1").arg(n)), portnames::linkPath(n));
    }

private:
    QTemporaryDir m_home;
};
