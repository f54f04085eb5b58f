// What the Device Manager says of a port, read the way the ports table and the
// port dialog show it.
#include "core/serial/portdevices.h"

#include <QTest>

class TestPortDevices : public QObject
{
    Q_OBJECT

private slots:
    // The ids as the USB bus driver and the FTDI driver write them; a built-in
    // port has none, and Windows' own made-up instance part is no serial number.
    void devicesFromTheirIds()
    {
        portscan::AdapterInfo ftdi;
        QVERIFY(portdevices::usbIds(QStringLiteral("FTDIBUS\\VID_0403+PID_6001+A50285BIA\\0000"), &ftdi.vendorId,
                                    &ftdi.productId));
        QCOMPARE(ftdi.vendorId, 0x0403);
        QCOMPARE(ftdi.productId, 0x6001);
        ftdi.description = portdevices::withoutPortName(QStringLiteral("USB Serial Port (COM3)"), QStringLiteral("COM3"));
        ftdi.manufacturer = QStringLiteral("FTDI");
        ftdi.serialNumber = portdevices::usbSerialNumber(QStringLiteral("USB\\VID_0403&PID_6001\\A50285BI"));
        QCOMPARE(portdevices::describe(ftdi), QStringLiteral("USB Serial Port, FTDI, serial A50285BI, USB 0403:6001"));
        QCOMPARE(portdevices::nameWithAdapter(QStringLiteral("COM3"), ftdi),
                 QStringLiteral("COM3 (USB Serial Port, USB 0403:6001)"));

        portscan::AdapterInfo ch340;
        QVERIFY(portdevices::usbIds(QStringLiteral("usb\\vid_1a86&pid_7523&rev_0264"), &ch340.vendorId, &ch340.productId));
        ch340.description = QStringLiteral("USB-SERIAL CH340");
        QCOMPARE(portdevices::usbSerialNumber(QStringLiteral("USB\\VID_1A86&PID_7523\\5&2A1C6C2&0&2")), QString());
        QCOMPARE(portdevices::nameWithAdapter(QStringLiteral("COM12"), ch340), QStringLiteral("COM12 (USB-SERIAL CH340, USB 1a86:7523)"));

        portscan::AdapterInfo uart;
        QVERIFY(!portdevices::usbIds(QStringLiteral("ACPI\\PNP0501"), &uart.vendorId, &uart.productId));
        QCOMPARE(uart.vendorId, -1);
        uart.description = portdevices::withoutPortName(QStringLiteral("Communications Port (COM1)"), QStringLiteral("COM10"));
        QCOMPARE(portdevices::nameWithAdapter(QStringLiteral("COM10"), uart), QStringLiteral("COM10 (Communications Port (COM1))"));
        QCOMPARE(portdevices::nameWithAdapter(QStringLiteral("COM4"), portscan::AdapterInfo()), QStringLiteral("COM4"));
        QCOMPARE(portdevices::describe(portscan::AdapterInfo()), QString());
    }
};

QTEST_GUILESS_MAIN(TestPortDevices)
#include "tst_portdevices.moc"
