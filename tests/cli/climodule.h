#pragma once

// A simulated module on a real pseudo-terminal, unpaced, for the device commands.
#include "core/serial/serialport.h"
#include "modulesimulator.h"
#include "ptypair.h"

struct Module
{
    PtyPair pty;
    ModuleSimulator sim;

    explicit Module(SimBehaviour::Fault fault = SimBehaviour::Fault::None)
    {
        SimBehaviour b;
        b.fault = fault;
        sim.setBehaviour(b);
        sim.setPaced(false);
        sim.start(pty.masterFd());
    }
    ~Module() { sim.stop(); }
    QString port() const { return pty.slavePath(); }
    // The port is free again: the tool closed it on its way out.
    bool portFree() const
    {
        SerialPort p;
        return p.open(pty.slavePath());
    }
};
