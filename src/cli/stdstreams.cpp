#include "stdstreams.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace cli {

#ifdef Q_OS_WIN

namespace {

UINT g_consoleCodePage = 0; // the console's output code page before we changed it

void restoreConsoleCodePage()
{
    ::SetConsoleOutputCP(g_consoleCodePage);
}

} // namespace

void useSameBytesEverywhere()
{
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // A console turns the bytes into characters by its output code page, the
    // OEM one (852 in Hungary) unless told otherwise; without a console it is 0.
    const UINT codePage = ::GetConsoleOutputCP();
    if (codePage != 0 && codePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
        g_consoleCodePage = codePage;
        std::atexit(restoreConsoleCodePage);
    }
}

#else

void useSameBytesEverywhere()
{
}

#endif

} // namespace cli
