#include "stdstreams.h"

#include <QFile>
#include <QStringDecoder>

#ifdef Q_OS_WIN
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif
#endif

namespace cli {
namespace {

std::unique_ptr<QIODevice> fileDevice(FILE *stream)
{
    auto file = std::make_unique<QFile>();
    file->open(stream, QIODevice::WriteOnly);
    return file;
}

} // namespace

#ifdef Q_OS_WIN

namespace {

UINT g_consoleCodePage = 0; // the console's output code page before we changed it

void restoreConsoleCodePage()
{
    ::SetConsoleOutputCP(g_consoleCodePage);
}

// A console shown UTF-8 bytes still garbles them where its font or an older
// console host does not follow the code page (a Hungarian cmd window printed
// "kiolvas��s.k83"); characters handed over as UTF-16 always show as they are.
class ConsoleWriter : public QIODevice
{
public:
    explicit ConsoleWriter(HANDLE console, DWORD mode)
        : m_console(console)
        , m_mode(mode)
    {
        // The progress bar clears its line with "\033[K"; a console that does not
        // read such sequences unless asked shows them as they are.
        ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    ~ConsoleWriter() override { ::SetConsoleMode(m_console, m_mode); }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 size) override
    {
        // The decoder keeps a character cut between two writes until its end comes.
        const QString text = m_decoder.decode(QByteArrayView(data, size));
        const auto *rest = reinterpret_cast<const wchar_t *>(text.utf16());
        qsizetype left = text.size();
        while (left > 0) {
            // Some console hosts refuse one long write; a few thousand characters pass everywhere.
            const DWORD piece = DWORD(qMin<qsizetype>(left, 8192));
            DWORD written = 0;
            if (!::WriteConsoleW(m_console, rest, piece, &written, nullptr) || written == 0)
                return -1;
            rest += written;
            left -= written;
        }
        return size;
    }

private:
    HANDLE m_console;
    DWORD m_mode; // the console's own, put back at the end
    QStringDecoder m_decoder{QStringDecoder::Utf8};
};

// The console `stream` writes to, and its mode; none where it goes to a pipe or a file.
HANDLE consoleOf(FILE *stream, DWORD *mode)
{
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, mode) ? handle : nullptr;
}

} // namespace

void useSameBytesEverywhere()
{
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // A console turns the bytes into characters by its output code page, the
    // OEM one (852 in Hungary) unless told otherwise; without a console it is 0.
    // Our own text goes as characters (ConsoleWriter); this is for the rest,
    // such as the developer's diagnostics.
    const UINT codePage = ::GetConsoleOutputCP();
    if (codePage != 0 && codePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
        g_consoleCodePage = codePage;
        std::atexit(restoreConsoleCodePage);
    }
}

std::unique_ptr<QIODevice> openStdStream(FILE *stream)
{
    DWORD mode = 0;
    if (const HANDLE console = consoleOf(stream, &mode)) {
        std::fflush(stream);
        return std::make_unique<ConsoleWriter>(console, mode);
    }
    return fileDevice(stream);
}

#else

void useSameBytesEverywhere()
{
}

std::unique_ptr<QIODevice> openStdStream(FILE *stream)
{
    return fileDevice(stream);
}

#endif

} // namespace cli
