// The numbering rule on tables: which adapter gets which COM number, given the
// links already in the ports folder and the real built-in ports.
#include "core/serial/comassign.h"

#include <QTest>

using comassign::Adapter;
using comassign::Link;

namespace {

const QString kById = QStringLiteral("/dev/serial/by-id/");

// "ttyUSB0" → the adapter /dev/ttyUSB0 with stable name by-id/usb-ttyUSB0;
// "ttyUSB0!" has no stable name.
QList<Adapter> adapters(const QStringList &names)
{
    QList<Adapter> list;
    for (QString name : names) {
        const bool bare = name.endsWith(QLatin1Char('!'));
        name.remove(QLatin1Char('!'));
        list.append({QStringLiteral("/dev/") + name, bare ? QString() : kById + QStringLiteral("usb-") + name});
    }
    return list;
}

// "3 by-id:ttyUSB0 auto" → com3 naming ttyUSB0's stable name, made by the
// program. "+" means the device is there now; "=/dev/x" says where it leads
// when that is not the target itself. A target without "by-id:" stands as it is.
QList<Link> links(const QStringList &specs)
{
    QList<Link> list;
    for (const QString &spec : specs) {
        const QStringList parts = spec.split(QLatin1Char(' '));
        Link link;
        link.number = parts.at(0).toInt();
        QString target = parts.at(1);
        if (target.startsWith(QLatin1String("by-id:")))
            target = kById + QStringLiteral("usb-") + target.mid(6);
        link.target = target;
        link.automatic = parts.contains(QStringLiteral("auto"));
        if (parts.contains(QStringLiteral("+")))
            link.device = parts.at(1).startsWith(QLatin1String("by-id:")) ? QStringLiteral("/dev/") + parts.at(1).mid(6)
                                                                         : target;
        for (const QString &part : parts)
            if (part.startsWith(QLatin1Char('=')))
                link.device = part.mid(1);
        list.append(link);
    }
    return list;
}

QStringList changes(const comassign::Plan &plan)
{
    QStringList list;
    for (const auto &c : plan.changes) {
        QString target = c.target;
        target.replace(kById + QStringLiteral("usb-"), QStringLiteral("by-id:"));
        list << QStringLiteral("%1 %2%3").arg(c.number).arg(target, c.replaces ? QStringLiteral(" replaces") : QString());
    }
    return list;
}

} // namespace

class tst_comassign : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void allNumbersTaken();
};

void tst_comassign::numbers_data()
{
    QTest::addColumn<QStringList>("adapters");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QList<int>>("builtIn");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("laptop without serial ports: the adapter is COM1")
        << QStringList{"ttyUSB0"} << QStringList() << QList<int>() << QStringList{"1 by-id:ttyUSB0"};
    QTest::newRow("a real ttyS0 keeps COM1")
        << QStringList{"ttyUSB0"} << QStringList() << QList<int>{1} << QStringList{"2 by-id:ttyUSB0"};
    QTest::newRow("real ttyS0 and ttyS1")
        << QStringList{"ttyACM0"} << QStringList() << QList<int>{1, 2} << QStringList{"3 by-id:ttyACM0"};
    QTest::newRow("no stable name: the plain device")
        << QStringList{"ttyUSB0!"} << QStringList() << QList<int>() << QStringList{"1 /dev/ttyUSB0"};
    QTest::newRow("a hand-made link elsewhere keeps its number")
        << QStringList{"ttyUSB0"} << QStringList{"1 /dev/pts/4 +"} << QList<int>() << QStringList{"2 by-id:ttyUSB0"};
    QTest::newRow("a hand-made link to the plain device names it already")
        << QStringList{"ttyUSB0"} << QStringList{"5 /dev/ttyUSB0 +"} << QList<int>() << QStringList();
    QTest::newRow("a hand-made link through another path to it names it already")
        << QStringList{"ttyUSB0"} << QStringList{"5 /dev/my-adapter =/dev/ttyUSB0"} << QList<int>() << QStringList();
    QTest::newRow("a gap in the numbers is filled first")
        << QStringList{"ttyUSB0"} << QStringList{"1 /dev/pts/4 +", "3 /dev/pts/5 +"} << QList<int>() << QStringList{"2 by-id:ttyUSB0"};
    QTest::newRow("a gap held by a real built-in port is skipped")
        << QStringList{"ttyUSB0"} << QStringList{"1 /dev/pts/4 +"} << QList<int>{2} << QStringList{"3 by-id:ttyUSB0"};
    QTest::newRow("unplugged: its number stays reserved for it")
        << QStringList{"ttyUSB0"} << QStringList{"1 by-id:FTDI_A auto"} << QList<int>() << QStringList{"2 by-id:ttyUSB0"};
    QTest::newRow("plugged back, in another socket: same number, nothing to do")
        << QStringList{"ttyUSB3"} << QStringList{"1 by-id:ttyUSB3 auto"} << QList<int>() << QStringList();
    QTest::newRow("numbered in device order, not in the order listed")
        << QStringList{"ttyUSB10", "ttyACM0", "ttyUSB2"} << QStringList() << QList<int>()
        << QStringList{"1 by-id:ttyACM0", "2 by-id:ttyUSB2", "3 by-id:ttyUSB10"};
    QTest::newRow("one named, one new")
        << QStringList{"ttyUSB0", "ttyUSB1"} << QStringList{"4 by-id:ttyUSB1 auto +"} << QList<int>()
        << QStringList{"1 by-id:ttyUSB0"};
    QTest::newRow("automatic link on the plain name moves to the stable name")
        << QStringList{"ttyUSB0"} << QStringList{"2 /dev/ttyUSB0 auto +"} << QList<int>() << QStringList{"2 by-id:ttyUSB0 replaces"};
    QTest::newRow("the same link made by hand is left alone")
        << QStringList{"ttyUSB0"} << QStringList{"2 /dev/ttyUSB0 +"} << QList<int>() << QStringList();
    QTest::newRow("a number above 32 by hand names it")
        << QStringList{"ttyUSB0"} << QStringList{"40 by-id:ttyUSB0 +"} << QList<int>() << QStringList();
    QTest::newRow("no adapters, nothing to do")
        << QStringList() << QStringList{"1 /dev/pts/4"} << QList<int>{2} << QStringList();
}

void tst_comassign::numbers()
{
    QFETCH(QStringList, adapters);
    QFETCH(QStringList, links);
    QFETCH(QList<int>, builtIn);
    QFETCH(QStringList, expected);
    const auto plan = comassign::plan(::adapters(adapters), ::links(links), QSet<int>(builtIn.begin(), builtIn.end()));
    QCOMPARE(changes(plan), expected);
    QVERIFY(plan.unnamed.isEmpty());
}

void tst_comassign::allNumbersTaken()
{
    // COM1 and COM2 real, COM3 to COM32 linked (some dangling): nothing is left.
    QStringList taken;
    for (int n = 3; n <= 32; ++n)
        taken << QStringLiteral("%1 /dev/pts/%1").arg(n);
    auto plan = comassign::plan(::adapters({"ttyUSB1", "ttyUSB0"}), ::links(taken), {1, 2});
    QVERIFY(plan.changes.isEmpty());
    QCOMPARE(plan.unnamed.size(), 2);
    QCOMPARE(plan.unnamed.at(0).device, QStringLiteral("/dev/ttyUSB0"));

    // One number freed (the link of COM17 removed): the first adapter in device order gets it.
    taken.removeAt(17 - 3);
    plan = comassign::plan(::adapters({"ttyUSB1", "ttyUSB0"}), ::links(taken), {1, 2});
    QCOMPARE(changes(plan), QStringList{"17 by-id:ttyUSB0"});
    QCOMPARE(plan.unnamed.size(), 1);
    QCOMPARE(plan.unnamed.at(0).device, QStringLiteral("/dev/ttyUSB1"));
}

QTEST_GUILESS_MAIN(tst_comassign)
#include "tst_comassign.moc"
