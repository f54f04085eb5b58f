#pragma once

// Standard output and standard error carry the same bytes on every system:
// UTF-8 text with "\n" line ends, to a console, a pipe or a file alike. A table,
// a CSV or JSON redirected into a file on Windows is then the file Linux writes,
// and scripts read the same text on both.
namespace cli {

// Call before anything is printed. On Windows both streams leave text mode (no
// "\n" becomes "\r\n"), and a console shows UTF-8 while the program runs; the
// console's own code page is put back when it ends. Elsewhere nothing changes.
void useSameBytesEverywhere();

} // namespace cli
