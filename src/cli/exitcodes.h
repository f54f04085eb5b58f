#pragma once

// What rzm417-cli returns; docs/cli.md lists the same table for scripts.
namespace cli {

enum ExitCode {
    ExitOk = 0,       // done; for diff and verify: no difference
    ExitRefused = 1,  // a difference, a mismatch, or a check or CSV row that refuses
    ExitUsage = 2,    // wrong arguments
    ExitPort = 3,     // a port could not be opened or configured
    ExitAnswer = 4,   // the module did not answer, or not as expected
    ExitFile = 5,     // a file could not be read or written
};

} // namespace cli
