// The port dialog lists what can be opened right now, probed through the same
// port folder the transfers use. COM3 and COM7 lead to real pseudo-terminals;
// every other COMn is a link to nothing, so the host's own ports do not count.
#include "gui/app/mainwindow.h"
#include "gui/settings/setcom.h"

#include "core/serial/portnames.h"
#include "modaldriver.h"

#include "../porthold.h"
#include "../unprivileged.h"

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

// The combo box's items; a missing box gives a list no test expects.
QStringList items(const QComboBox *box)
{
    if (!box)
        return {QStringLiteral("<no combo box>")};
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// COMn for each given device, every other COM1 to COM32 a link to nothing, so
// the host's own ports do not count.
bool fillPortFolder(const QString &folder, const QMap<int, QString> &devices)
{
    if (!QDir().mkpath(folder))
        return false;
    for (int n = 1; n <= 32; ++n) {
        const QString link = folder + QStringLiteral("/com%1").arg(n);
        const QString target = devices.value(n, folder + QStringLiteral("/absent%1").arg(n));
        if (!QFile::link(target, link))
            return false;
    }
    return true;
}

// The line under the lists, or "(hidden)".
QString whyLine(const setcom &dialog)
{
    const auto *why = dialog.findChild<QLabel *>("l_why");
    return why && !why->isHidden() ? why->text() : QStringLiteral("(hidden)");
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
    void bitRateIsShownNotChosen();
    void showPortTakesChoiceOver_data();
    void showPortTakesChoiceOver();
    void explainsPortHeldElsewhere();
    void explainsNoPermission();

private:
    // Holds the given ports open, as another program would.
    std::vector<std::unique_ptr<QSerialPort>> occupy(const QStringList &ports);

    int m_masters[2] = {-1, -1};
};

void tst_portdialog::initTestCase()
{
    const QString folder = portnames::portFolder();
    QVERIFY2(folder.startsWith(qEnvironmentVariable("XDG_DATA_HOME")), qPrintable(folder));
    const int real[2] = {3, 7};
    QMap<int, QString> devices;
    for (int i = 0; i < 2; ++i) {
        int slave = -1;
        char name[256] = {};
        QCOMPARE(openpty(&m_masters[i], &slave, name, nullptr, nullptr), 0);
        ::close(slave);
        devices.insert(real[i], QString::fromLocal8Bit(name));
    }
    QVERIFY(fillPortFolder(folder, devices));
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
    QTest::newRow("no port yet") << "" << QStringList() << QStringList{"COM3", "COM7"} << "COM3";
    QTest::newRow("no port yet, nothing free") << "" << QStringList{"COM3", "COM7"} << QStringList() << "";
    // The chosen port stays the choice, in its place, while it is gone or held.
    QTest::newRow("current COM1, not there") << "COM1" << QStringList() << QStringList{"COM1", "COM3", "COM7"}
                                             << "COM1";
    QTest::newRow("COM3 held elsewhere") << "COM3" << QStringList{"COM3"} << QStringList{"COM3", "COM7"} << "COM3";
    QTest::newRow("COM7 held, nothing free") << "COM7" << QStringList{"COM3", "COM7"} << QStringList{"COM7"}
                                             << "COM7";
}

void tst_portdialog::listsOnlyFreePorts()
{
    QFETCH(QString, current);
    QFETCH(QStringList, busy);
    QFETCH(QStringList, listed);
    QFETCH(QString, selected);
    {
        const auto held = occupy(busy);
        setcom dialog(current);
        const auto *ports = dialog.findChild<QComboBox *>("comboBox");
        QVERIFY(ports);
        QCOMPARE(items(ports), listed);
        QCOMPARE(ports->currentText(), selected);
        QCOMPARE(dialog.port(), selected);
    }
    // The probe closed every port again: each free one that is listed opens now.
    for (const QString &name : listed) {
        if (busy.contains(name) || name == QLatin1String("COM1"))
            continue;
        QSerialPort port(portnames::systemLocation(name));
        QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(name + ": " + port.errorString()));
    }
}

// The line always runs at 1200 baud: the dialog shows that rate among the
// others it lists, and offers no choice.
void tst_portdialog::bitRateIsShownNotChosen()
{
    setcom dialog("COM3");
    const auto *rates = dialog.findChild<QComboBox *>("baudrate");
    QVERIFY(rates);
    QCOMPARE(rates->count(), 14);
    QVERIFY(!rates->isEnabled());
    QCOMPARE(rates->currentText(), QStringLiteral("1200"));
}

void tst_portdialog::showPortTakesChoiceOver_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("busy");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("label");

    QTest::newRow("accepted, no port yet: first free port") << "" << QStringList() << true << "COM3"
                                                            << "COM3 Baud: 1200";
    QTest::newRow("accepted, current kept") << "COM7" << QStringList() << true << "COM7" << "COM7 Baud: 1200";
    // OK without a choice keeps a port that is gone or held: the next command
    // never goes to another module.
    QTest::newRow("accepted, missing port kept") << "COM1" << QStringList() << true << "COM1" << "COM1 Baud: 1200";
    QTest::newRow("accepted, held port kept") << "COM3" << QStringList{"COM3", "COM7"} << true << "COM3"
                                              << "COM3 Baud: 1200";
    // Cancelled: nothing is taken over, and the label keeps the start-up text, with
    // the port the window started with and its two blanks.
    QTest::newRow("cancelled") << "COM7" << QStringList() << false << "COM7" << "COM1  Baud: 1200";
    QTest::newRow("accepted, no port yet, nothing free") << "" << QStringList{"COM3", "COM7"} << true << ""
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
    ModalDriver modals;
    modals.then([accept](QWidget *dialog) {
        auto *buttons = dialog->findChild<QDialogButtonBox *>("buttonBox");
        if (!buttons)
            return ModalDriver::abandon(dialog, "the port dialog lacks its buttonBox");
        buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    w.show_port();
    QVERIFY(modals.finished());
    QVERIFY(modals.unexpected.isEmpty());
    QCOMPARE(w.linkSettings().port, port);
    const auto *portLabel = w.findChild<QLabel *>("portLabel");
    QVERIFY(portLabel);
    QCOMPARE(portLabel->text(), label);
}

void tst_portdialog::explainsPortHeldElsewhere()
{
    {
        setcom dialog("COM3");
        QCOMPARE(whyLine(dialog), QStringLiteral("(hidden)")); // every left-out port simply is not there
    }
    {
        setcom dialog("COM1");
        QCOMPARE(whyLine(dialog), QStringLiteral("COM1 stays chosen: missing (adapter unplugged)."));
    }
    const QString device = portnames::systemLocation("COM7");
    QProcess holder;
    QVERIFY(porthold::start(holder, device));
    const QString heldBy = QStringLiteral("in use by tst_portdialog (PID %1).").arg(holder.processId());
    {
        setcom dialog("COM3");
        QCOMPARE(items(dialog.findChild<QComboBox *>("comboBox")), QStringList{"COM3"});
        QCOMPARE(whyLine(dialog), QStringLiteral("COM7 (%1) is not listed: %2").arg(device.mid(5), heldBy));
    }
    {
        // The chosen port, held: kept as the choice, and the line says by whom.
        setcom dialog("COM7");
        const auto *ports = dialog.findChild<QComboBox *>("comboBox");
        QCOMPARE(items(ports), (QStringList{"COM3", "COM7"}));
        QCOMPARE(dialog.port(), QStringLiteral("COM7"));
        QCOMPARE(whyLine(dialog), QStringLiteral("COM7 (%1) stays chosen: %2").arg(device.mid(5), heldBy));
    }
    QVERIFY(porthold::stop(holder));
}

void tst_portdialog::explainsNoPermission()
{
    if (const QString why = unprivileged::unavailable(); !why.isEmpty())
        QSKIP(qPrintable(why));
    // nobody opens the dialog; COM2 is an adapter of the group dialout.
    QTemporaryDir home;
    QVERIFY(unprivileged::openToAll(home));
    int master = -1;
    int slave = -1;
    char name[256] = {};
    QCOMPARE(openpty(&master, &slave, name, nullptr, nullptr), 0);
    ::close(slave);
    const QString device = QString::fromLocal8Bit(name);
    QVERIFY(unprivileged::likeAnAdapter(device));
    QVERIFY(fillPortFolder(home.filePath("rzm417/ports"), {{2, device}}));
    QVERIFY(unprivileged::giveToNobody(home.path()));
    unprivileged::Runner nobody(QCoreApplication::applicationFilePath());
    QVERIFY(nobody.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", home.path());
    const auto run = nobody.run({"--explain"}, environment);
    ::close(master);
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QStringLiteral("listed: \nCOM2 (%1) is not listed: no permission.\nTip: sudo adduser $USER dialout, "
                                     "then log in again.\n")
                          .arg(device.mid(5)));
}

// The port folder lives under XDG_DATA_HOME, which must be set before Qt
// reads it, so the test makes its own temporary one first. "--hold DEVICE"
// is another program holding a port; "--explain" opens the dialog in the
// caller's folder and prints its list and its line.
int main(int argc, char **argv)
{
    if (int code = 0; porthold::runHolder(argc, argv, &code))
        return code;
    if (argc == 2 && qstrcmp(argv[1], "--explain") == 0) {
        QApplication app(argc, argv);
        setcom dialog{QString()};
        std::printf("listed: %s\n%s\n", qPrintable(items(dialog.findChild<QComboBox *>("comboBox")).join(',')),
                    qPrintable(whyLine(dialog)));
        return 0;
    }
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    tst_portdialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_portdialog.moc"
