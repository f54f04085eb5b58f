// The port dialog lists what can be opened right now, probed through the same
// port folder the transfers use. COM3 and COM7 lead to real pseudo-terminals;
// every other COMn is a link to nothing, so the host's own ports do not count.
#include "mainwindow.h"
#include "settings/setcom.h"

#include "modalscript.h"
#include "serial/portnames.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <pty.h>
#include <unistd.h>

namespace {

QStringList items(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

} // namespace

class tst_portdialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void listsOnlyFreePorts_data();
    void listsOnlyFreePorts();
    void bitRateIsShownNotChosen_data();
    void bitRateIsShownNotChosen();
    void showPortTakesChoiceOver_data();
    void showPortTakesChoiceOver();

private:
    // Holds the given ports open, as another program would.
    std::vector<std::unique_ptr<QSerialPort>> occupy(const QStringList &ports);

    int m_masters[2] = {-1, -1};
};

void tst_portdialog::initTestCase()
{
    const QString folder = portnames::portFolder();
    QVERIFY2(folder.startsWith(qEnvironmentVariable("XDG_DATA_HOME")), qPrintable(folder));
    QVERIFY(QDir().mkpath(folder));
    const int real[2] = {3, 7};
    for (int i = 0; i < 2; ++i) {
        int slave = -1;
        char name[256] = {};
        QCOMPARE(openpty(&m_masters[i], &slave, name, nullptr, nullptr), 0);
        ::close(slave);
        QVERIFY(QFile::link(QString::fromLocal8Bit(name), portnames::linkPath(real[i])));
    }
    for (int n = 1; n <= 32; ++n)
        if (n != 3 && n != 7)
            QVERIFY(QFile::link(folder + QStringLiteral("/absent%1").arg(n), portnames::linkPath(n)));
}

void tst_portdialog::cleanupTestCase()
{
    for (int fd : m_masters)
        if (fd >= 0)
            ::close(fd);
}

std::vector<std::unique_ptr<QSerialPort>> tst_portdialog::occupy(const QStringList &ports)
{
    std::vector<std::unique_ptr<QSerialPort>> held;
    for (const QString &name : ports) {
        auto port = std::make_unique<QSerialPort>(portnames::systemLocation(name));
        if (!port->open(QIODevice::ReadWrite))
            qWarning() << "could not occupy" << name << port->errorString();
        held.push_back(std::move(port));
    }
    return held;
}

void tst_portdialog::listsOnlyFreePorts_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("busy");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("selected");

    QTest::newRow("current COM7") << "COM7" << QStringList() << QStringList{"COM3", "COM7"} << "COM7";
    QTest::newRow("current COM1, not free") << "COM1" << QStringList() << QStringList{"COM3", "COM7"} << "COM3";
    QTest::newRow("COM3 held elsewhere") << "COM3" << QStringList{"COM3"} << QStringList{"COM7"} << "COM7";
    QTest::newRow("nothing free") << "COM3" << QStringList{"COM3", "COM7"} << QStringList() << "";
}

void tst_portdialog::listsOnlyFreePorts()
{
    QFETCH(QString, current);
    QFETCH(QStringList, busy);
    QFETCH(QStringList, listed);
    QFETCH(QString, selected);
    {
        const auto held = occupy(busy);
        setcom dialog(current, 1200);
        const auto *ports = dialog.findChild<QComboBox *>("comboBox");
        QCOMPARE(items(ports), listed);
        QCOMPARE(ports->currentText(), selected);
        QCOMPARE(dialog.port(), selected);
    }
    // The probe closed every port again: each listed one opens now.
    for (const QString &name : listed) {
        QSerialPort port(portnames::systemLocation(name));
        QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(name + ": " + port.errorString()));
    }
}

void tst_portdialog::bitRateIsShownNotChosen_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1200") << 1200 << "1200";
    QTest::newRow("115200") << 115200 << "115200";
    QTest::newRow("not a listed rate") << 1234 << "150";
}

void tst_portdialog::bitRateIsShownNotChosen()
{
    QFETCH(int, current);
    QFETCH(QString, shown);
    setcom dialog("COM3", current);
    const auto *rates = dialog.findChild<QComboBox *>("baudrate");
    QCOMPARE(rates->count(), 14);
    QVERIFY(!rates->isEnabled());
    QCOMPARE(rates->currentText(), shown);
    QCOMPARE(dialog.baudRate(), shown.toInt());
}

void tst_portdialog::showPortTakesChoiceOver_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("busy");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("label");

    QTest::newRow("accepted, first free port") << "COM1" << QStringList() << true << "COM3" << "COM3 Baud: 1200";
    QTest::newRow("accepted, current kept") << "COM7" << QStringList() << true << "COM7" << "COM7 Baud: 1200";
    // Cancelled: nothing is taken over, and the label keeps the start-up text, with
    // the port the window started with and its two blanks.
    QTest::newRow("cancelled") << "COM7" << QStringList() << false << "COM7" << "COM1  Baud: 1200";
    QTest::newRow("accepted, nothing free") << "COM3" << QStringList{"COM3", "COM7"} << true << ""
                                            << " Baud: 1200";
}

void tst_portdialog::showPortTakesChoiceOver()
{
    QFETCH(QString, current);
    QFETCH(QStringList, busy);
    QFETCH(bool, accept);
    QFETCH(QString, port);
    QFETCH(QString, label);

    MainWindow w;
    LinkSettings settings = w.linkSettings();
    settings.port = current;
    w.setLinkSettings(settings);

    const auto held = occupy(busy);
    ModalScript script;
    script.then([accept](QWidget *dialog) {
        auto *buttons = dialog->findChild<QDialogButtonBox *>("buttonBox");
        buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    w.show_port();
    QVERIFY(script.finished());
    QVERIFY(script.unexpected.isEmpty());
    QCOMPARE(w.linkSettings().port, port);
    QCOMPARE(w.linkSettings().baudRate, 1200);
    QCOMPARE(w.findChild<QLabel *>("portLabel")->text(), label);
}

// The port folder lives under XDG_DATA_HOME, which must be set before Qt
// reads it, so the test makes its own temporary one first.
int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    tst_portdialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_portdialog.moc"
