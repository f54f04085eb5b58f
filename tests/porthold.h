#pragma once

// "--hold DEVICE" in a test's main: holds a port the way another serial
// program does (QSerialPort's lock file and exclusive open) until standard
// input closes, so a test can have a port held by a process other than itself.
#include <QCoreApplication>
#include <QProcess>
#include <QSerialPort>

#include <cstdio>

namespace porthold {

// Call first thing in main(); true when this run was the holder (then return `*code`).
inline bool runHolder(int argc, char **argv, int *code)
{
    if (argc != 3 || qstrcmp(argv[1], "--hold") != 0)
        return false;
    QCoreApplication app(argc, argv);
    QSerialPort port(QString::fromLocal8Bit(argv[2]));
    *code = port.open(QIODevice::ReadWrite) ? 0 : 1;
    std::printf(*code == 0 ? "held\n" : "not held\n");
    std::fflush(stdout);
    while (*code == 0 && std::getchar() != EOF) {
    }
    return true;
}

// Starts this test executable as the holder of `device`; true once it holds it.
inline bool start(QProcess &holder, const QString &device)
{
    holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), device});
    return holder.waitForReadyRead(10000) && holder.readAllStandardOutput() == "held\n";
}

// Lets go of the port and waits for the holder to end.
inline bool stop(QProcess &holder)
{
    holder.closeWriteChannel();
    return holder.waitForFinished(10000) && holder.exitCode() == 0;
}

} // namespace porthold
