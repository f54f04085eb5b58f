// Port loss: the USB adapter pulled out mid-transfer, played by closing the pty
// master while the program waits for the module. Each exchange must notice at
// once, report its failure, let go of the port, and not spin on the dead line.
#include "gui/app/mainwindow.h"
#include "gui/transfer/outcometexts.h"
#include "modaldriver.h"
#include "ptypair.h"
#include "sampleforms.h"
#include "windowdocument.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <atomic>
#include <ctime>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

enum class Exchange { Download, Readout, Verify };

qint64 processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

qint64 monotonicMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// The module's end of the line: reads until it has seen `expect` bytes, sends
// `reply`, lets the program wait a little, then pulls the plug.
class DyingModule
{
public:
    DyingModule(int masterFd, int expect, QByteArray reply)
        : m_fd(masterFd), m_thread([this, expect, reply] { serve(expect, reply); })
    {
    }
    ~DyingModule()
    {
        m_thread.join();
        if (m_fd >= 0)
            ::close(m_fd);
    }
    qint64 pulledAtMs() const { return m_pulledAt; }

private:
    void serve(int expect, const QByteArray &reply)
    {
        int seen = 0;
        const qint64 deadline = monotonicMs() + 10000;
        while (seen < expect && monotonicMs() < deadline) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char buffer[512];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n > 0)
                seen += int(n);
        }
        if (!reply.isEmpty())
            [[maybe_unused]] auto n = ::write(m_fd, reply.constData(), size_t(reply.size()));
        ::usleep(300 * 1000); // the program is now waiting for the rest
        m_pulledAt = monotonicMs();
        ::close(m_fd);
        m_fd = -1;
    }

    int m_fd;
    std::atomic<qint64> m_pulledAt{0};
    std::thread m_thread;
};

} // namespace

class tst_PortLoss : public QObject
{
    Q_OBJECT
private slots:
    void pulledMidTransfer_data();
    void pulledMidTransfer();
};

void tst_PortLoss::pulledMidTransfer_data()
{
    QTest::addColumn<int>("exchange");
    QTest::addColumn<int>("expect");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QByteArray someFields = "\r\r";
    for (int i = 0; i < 30; ++i)
        someFields += QByteArray("field").leftJustified(16, ' ') + '\r';
    const int lines = 1563 - 91 + 92; // the form's 92 lines as bytes
    // The download and the verify say why they failed.
    const QString lost = QLatin1Char('\n') + outcometexts::lineLost();
    const QString downloadFailed = QString::fromUtf8("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a portbeállításokat.");
    QTest::newRow("download, waiting for R") << int(Exchange::Download) << 2 << QByteArray()
        << QStringLiteral("Download") << downloadFailed + lost;
    QTest::newRow("download, waiting for the acknowledge") << int(Exchange::Download) << 2 + lines << QByteArray()
        << QStringLiteral("Download") << downloadFailed + lost;
    QTest::newRow("read-out, in the fields") << int(Exchange::Readout) << 2 << someFields
        << QStringLiteral("Hiba") << QString::fromUtf8("Sikertelen kiolvasás.\nEllenőrizze az eszközt, és próbálja meg újra!");
    QTest::newRow("verify, in the fields") << int(Exchange::Verify) << 2 << someFields
        << QString::fromUtf8("Ellenőrzés") << QString::fromUtf8("Sikertelen ellenőrzés.\nTöltse be újra a konfigurációt!") + lost;
}

void tst_PortLoss::pulledMidTransfer()
{
    QFETCH(int, exchange);
    QFETCH(int, expect);
    QFETCH(QByteArray, reply);
    QFETCH(QString, title);
    QFETCH(QString, text);

    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorString()));
    MainWindow window;
    window.applyForm(fixtures::filledForm());
    LinkSettings settings = window.linkSettings();
    settings.port = pty.slavePath();
    window.setLinkSettings(settings);
    // The download answers "R" and one more byte itself once it has the request.
    if (Exchange(exchange) == Exchange::Download && expect > 2) {
        const int fd = pty.masterFd();
        [[maybe_unused]] auto n = ::write(fd, "RD", 2);
    }

    ModalDriver modals;
    const bool readOut = Exchange(exchange) == Exchange::Readout;
    if (readOut)
        windowdocument::letEditsGo(modals); // asked before the port opens
    qint64 shownAt = 0;
    modals.whileOpen = [&](const ModalDriver::Shown &shown) {
        if (!shownAt && shown.line() != windowdocument::kUnsaved)
            shownAt = monotonicMs();
    };

    const qint64 cpuBefore = processCpuMs();
    const qint64 wallBefore = monotonicMs();
    {
        DyingModule module(pty.takeMaster(), expect, reply);
        switch (Exchange(exchange)) {
        case Exchange::Download: window.download(); break;
        case Exchange::Readout: window.readup(); break;
        case Exchange::Verify: window.verify_func(); break;
        }
        const qint64 wall = monotonicMs() - wallBefore;
        const qint64 cpu = processCpuMs() - cpuBefore;
        const qint64 noticedMs = (shownAt ? shownAt : monotonicMs()) - module.pulledAtMs();
        qInfo("outcome %lld ms after the plug was pulled; %lld ms CPU in %lld ms (%.0f %%)",
              noticedMs, cpu, wall, 100.0 * double(cpu) / double(qMax<qint64>(wall, 1)));
        // Well inside the read-out's 1500 ms: the loss itself ended the exchange.
        QVERIFY2(noticedMs < 1000, qPrintable(QString::number(noticedMs)));
        // Idle while it waited, and no busy loop on the dead line afterwards: a loop
        // takes a whole core; a sanitizer build's own work stays well below half.
        QVERIFY2(cpu * 2 < wall, qPrintable(QStringLiteral("%1 ms CPU in %2 ms").arg(cpu).arg(wall)));
    }
    if (readOut)
        QVERIFY(windowdocument::tookUnsavedQuestion(modals));
    QCOMPARE(modals.shown.size(), 1);
    QCOMPARE(modals.shown[0].title, title);
    QCOMPARE(modals.shown[0].text, text);
    // No descriptor of ours is left on the dead line.
    int held = 0;
    for (const QFileInfo &fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::NoDotAndDotDot))
        held += fd.symLinkTarget().startsWith(pty.slavePath());
    QCOMPARE(held, 1); // the pty pair's own slave end
    QCOMPARE(window.captureForm(), fixtures::filledForm());
}

QTEST_MAIN(tst_PortLoss)
#include "tst_portloss.moc"
