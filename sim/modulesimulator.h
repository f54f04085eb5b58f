#pragma once

#include "core/formcontent.h"
#include "moduleprotocol.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

// How the simulated module misbehaves, one fault at a time, with its parameters.
struct SimBehaviour
{
    enum class Fault {
        None,
        Silence,      // answers nothing at all
        NoReady,      // download: no "R"
        NoSecondByte, // download: "R" and nothing after it
        Preamble,     // read-out: a text before the two carriage returns
        Pad255,       // read-out: fields padded with bytes 255 instead of spaces
        LongGap,      // read-out: a pause of gapMs in the middle of the fields
        Garbage,      // any request: garbageBytes bytes of noise instead of the answer
        HangUp,       // closes the line after hangUpAfter bytes of an exchange
        FieldTooFew,  // read-out: the last field is missing
        FieldTooMany, // read-out: one field of spaces too many
        Flood,        // read-out: floodBytes bytes of field-like lines
    };

    Fault fault = Fault::None;
    QByteArray acknowledge = moduleprotocol::Acknowledge;    // download: sent after the last line
    quint8 secondByte = moduleprotocol::AfterReady;          // download: the byte after "R"
    quint8 uploadCommand = moduleprotocol::UploadCommand;    // the request that asks for the read-out
    QByteArray preamble = "RZM-417 v1.0";                    // for Fault::Preamble
    quint8 lastByte = moduleprotocol::AnswerEnd;             // read-out: the final byte, which the reader drops
    int gapMs = 1600;
    int gapAfterField = 46;
    int garbageBytes = 200;
    int hangUpAfter = 100;
    int floodBytes = 20000;
};

// Bytes as a trace shows them: printable ASCII as it is, the rest as \xNN.
QString printableBytes(const QByteArray &bytes);

// The steps of an exchange at which the program must answer the module, and so
// adds its own turnaround to the time the exchange takes on a line.
enum class Turnaround {
    ReadyToText,     // download: from the module's "R" to the first byte of the text
    TextToAckRead,   // download: from the text's last byte to the program reading the acknowledge
    RequestToRead,   // read-out: from the request's last byte to the program reading the answer
};

// The module's side of the download, read-out and verify, served on the master side
// of a pseudo-terminal. It runs in a thread of its own; every method may be called
// from any thread. Optionally paced like a real 1200-baud line (8.33 ms a byte).
class ModuleSimulator
{
public:
    static constexpr int FieldCount = moduleprotocol::FieldCount;
    static constexpr int FieldWidth = moduleprotocol::FieldWidth;

    ModuleSimulator();
    ~ModuleSimulator(); // stops the thread; closes the fd if it was handed over

    // Starts serving fd. With takeOwnership the simulator closes it when it stops
    // (or when it hangs up on purpose).
    void start(int masterFd, bool takeOwnership = false);
    void stop();
    bool isRunning() const;

    void setBehaviour(const SimBehaviour &behaviour);
    SimBehaviour behaviour() const;
    // Before start(): at a 1200-baud line's rate (the default), or as fast as the pty goes.
    void setPaced(bool paced);

    // The stored configuration: 92 fields of 16 Latin-1 characters.
    void setFields(const QStringList &fields);
    void setConfiguration(const FormContent &form);
    QStringList fields() const;
    // The checksum that came behind the last field of the last download, if any.
    QString lastChecksum() const;

    // Everything received from and sent to the program since the last clear.
    QByteArray received() const;
    QByteArray sent() const;
    void clearTranscript();

    // Exchanges finished (answered, or abandoned by the program) since start.
    int exchanges() const;
    bool waitForExchanges(int count, int timeoutMs) const;

    // A readable line for each event, called on the simulator's thread.
    void setTraceSink(std::function<void(const QString &)> sink);
    // Called on the simulator's thread after a download changed the stored fields.
    void setStoreSink(std::function<void(const QStringList &)> sink);
    // Before start(): measures the program's turnaround at each step and hands it
    // over on the simulator's thread. The module answers at once, and a read of the
    // program is seen when the kernel reports an access to the program's side of
    // the pty. Meant for an unpaced line, where no byte time hides in the figures.
    void setTurnaroundSink(std::function<void(Turnaround, std::chrono::nanoseconds)> sink);

private:
    using Clock = std::chrono::steady_clock;

    void run();
    bool nextByte(quint8 *byte, int timeoutMs);
    bool readAvailable();
    void waitForArrival(Clock::time_point arrival);
    void setGate(bool open);
    bool admitOneByte(Clock::time_point until);
    bool sendByte(quint8 byte);
    bool sendBytes(const QByteArray &bytes);
    void serveDownload();
    void serveReadout();
    void sendNoise(int count);
    bool countExchangeByte();
    void hangUp();
    void finishExchange(const QString &what);
    void trace(const QString &line) const;
    bool hasFault(SimBehaviour::Fault fault) const;
    void openReadWatch();
    void expectRead(Turnaround step, Clock::time_point from);
    void awaitExpectedRead();
    void reportTurnaround(Turnaround step, Clock::duration took) const;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    SimBehaviour m_behaviour;
    QList<QByteArray> m_fields;
    QString m_checksum;
    QByteArray m_received;
    QByteArray m_sent;
    int m_exchanges = 0;
    std::function<void(const QString &)> m_traceSink;
    std::function<void(const QStringList &)> m_storeSink;
    std::function<void(Turnaround, std::chrono::nanoseconds)> m_turnaroundSink;

    // Used by the serving thread only.
    QByteArray m_inbox;
    qsizetype m_inboxRead = 0;
    int m_hangUpAfter = -1;
    Clock::time_point m_rxFreeAt;
    Clock::time_point m_lastReadAt;
    bool m_catchingUp = false;
    bool m_inExchange = false;
    Clock::time_point m_txFreeAt;
    int m_exchangeBytes = 0;
    // The program read the module's next byte at the latest this step ago.
    std::optional<Turnaround> m_expectedRead;
    Clock::time_point m_expectedFrom;

    std::atomic<bool> m_paced{true};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    int m_fd = -1;
    bool m_ownsFd = false;
    int m_gateFd = -1; // the pty's program side, stopped while the module is busy
    bool m_gateOpen = true;
    int m_wake[2] = {-1, -1};
    int m_readWatch = -1; // inotify on the program's side: its reads, for the turnarounds
    std::thread m_thread;
};
