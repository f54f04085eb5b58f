#pragma once

class QWidget;

// Runs the event loop until the window's first frame has been painted, then prints
// one line "frame <peak resident memory in KiB>" on stdout and ends the loop.
// The caller measures the time from starting the process to that line.
int runToFirstFrame(QWidget &window);
