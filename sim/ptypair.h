#pragma once

#include <QString>

// A pseudo-terminal pair in raw mode: the master is where the module's side
// (the simulator) reads and writes; the slave path is the "serial port" that
// the program opens. Closing the master is a hang-up of the line.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    // Hands the master over (for example to a simulator that closes it itself).
    int takeMaster();
    void closeMaster();
    QString slavePath() const { return m_slavePath; }
    QString errorString() const { return m_error; }

private:
    int m_master = -1;
    int m_slave = -1; // kept open so the line stays up between the program's opens
    QString m_slavePath;
    QString m_error;
};
