#pragma once

#include <QIODevice>

#include <cstdio>
#include <memory>

// Standard output and standard error carry the same bytes on every system:
// UTF-8 text with "\n" line ends, to a pipe or a file alike. A table, a CSV or
// JSON redirected into a file on Windows is then the file Linux writes, and
// scripts read the same text on both. A Windows console gets the same text as
// characters, so it shows it whatever its code page and font.
namespace cli {

// Call before anything is printed. On Windows both streams leave text mode (no
// "\n" becomes "\r\n"), and a console shows UTF-8 while the program runs; the
// console's own code page is put back when it ends. Elsewhere nothing changes.
void useSameBytesEverywhere();

// The device to put a QTextStream (UTF-8) on for `stream`, stdout or stderr: on
// a Windows console one that writes the text as UTF-16 (WriteConsoleW); anywhere
// else the stream itself, which gets the UTF-8 bytes unchanged.
std::unique_ptr<QIODevice> openStdStream(FILE *stream);

} // namespace cli
