#include "firstframe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <sys/resource.h>

namespace {

// The high-water mark of the resident set. VmHWM is exact; getrusage is the fallback
// where /proc is missing.
long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class FirstFrameWatch : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The window's paint event opens the frame; its children are drawn and the
            // backing store flushed in the same pass, so a zero timer fires after the
            // whole frame is done.
            QTimer::singleShot(0, this, &FirstFrameWatch::report);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report()
    {
        std::printf("frame %ld\n", peakResidentKiB());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    bool m_seen = false;
};

} // namespace

int runToFirstFrame(QWidget &window)
{
    FirstFrameWatch watch;
    watch.setObjectName("firstFrameWatch");
    window.installEventFilter(&watch);
    window.show();
    return QCoreApplication::exec();
}

#include "firstframe.moc"
