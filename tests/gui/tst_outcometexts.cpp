// The lines a failed transfer adds to say why: a port's state as the ports doctor
// knows it, and the fields of a verify's difference by the labels of the form.
#include "core/formschema.h"
#include "core/phoneslot.h"
#include "core/serial/portnames.h"
#include "core/serial/portstate.h"
#include "gui/form/formui.h"
#include "gui/transfer/outcometexts.h"
#include "ptypair.h"

#include "../unprivileged.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

class tst_OutcomeTexts : public QObject
{
    Q_OBJECT

private slots:
    void portStates();
    void noPermissionGivesTheFix();
    void fieldNames();
    void verifyReasons();
};

// The port line for each state a port can be found in; a COM name shows its device.
void tst_OutcomeTexts::portStates()
{
    QTemporaryDir dir;
    const QString notSerial = dir.filePath(QStringLiteral("plain-file"));
    QVERIFY(QFile(notSerial).open(QIODevice::WriteOnly));
    PtyPair pty;
    QVERIFY2(pty.isValid(), qPrintable(pty.errorString()));
    QVERIFY(QDir().mkpath(portnames::portFolder()));
    QFile::remove(portnames::linkPath(3));
    QVERIFY(QFile::link(pty.slavePath(), portnames::linkPath(3)));

    QCOMPARE(outcometexts::portFailure(QString()), QStringLiteral("Nincs kiválasztott port (Beállítások, Port)."));
    QCOMPARE(outcometexts::portFailure(dir.filePath(QStringLiteral("gone"))),
             portstate::openFailure(dir.filePath("gone"), {portstate::State::Missing, 0, {}, {}}) + '.');
    QCOMPARE(outcometexts::portFailure(notSerial),
             portstate::openFailure(notSerial, {portstate::State::NotSerial, 0, {}, {}}) + '.');
    // Free at this moment: what failed was the line settings, or a passing hold.
    QCOMPARE(outcometexts::portFailure(QStringLiteral("COM3")),
             QStringLiteral("COM3 (%1) cannot be opened or configured.").arg(pty.slavePath().mid(5)));

    QSerialPort holder(pty.slavePath());
    QVERIFY(holder.open(QIODevice::ReadWrite));
    // The holder as the system names it: its command, cut to 15 characters.
    QCOMPARE(outcometexts::portFailure(QStringLiteral("COM3")),
             portstate::openFailure(QStringLiteral("COM3 (%1)").arg(pty.slavePath().mid(5)),
                                    {portstate::State::InUse, QCoreApplication::applicationPid(), "tst_outcometext", {}}) + '.');
}

// A user outside the adapter's group is told the command that lets them in.
void tst_OutcomeTexts::noPermissionGivesTheFix()
{
    if (const QString why = unprivileged::unavailable(); !why.isEmpty())
        QSKIP(qPrintable(why));
    PtyPair pty;
    QVERIFY(pty.isValid());
    QVERIFY(unprivileged::likeAnAdapter(pty.slavePath()));
    unprivileged::Runner nobody(QCoreApplication::applicationFilePath());
    QVERIFY(nobody.isValid());
    const auto run = nobody.run({QStringLiteral("--port-line"), pty.slavePath()}, QProcessEnvironment::systemEnvironment());
    QCOMPARE(run.code, 0);
    const portstate::Status noPermission{portstate::State::NoPermission, 0, {}, QStringLiteral("dialout")};
    QCOMPARE(run.out, portstate::openFailure(pty.slavePath(), noPermission) + ".\n");
}

// What the person reads on the form: the row's label (13 and 14 stand on the rows
// their labels name), a telephone slot's column and its place, a right's header;
// every message that names a field says it so.
void tst_OutcomeTexts::fieldNames()
{
    const auto name = [](int index, int slot = 0, int right = -1) {
        return outcometexts::fieldName({QString(), index, slot, right, QString(), QString()});
    };
    QCOMPARE(name(16), QStringLiteral("r16 (rejtett mező)"));
    QCOMPARE(name(28 + 16, 17), QStringLiteral("Telefonszám (2. blokk, 1. sor)"));
    QCOMPARE(name(91, 64, phoneslot::Input1Alarm), QStringLiteral("Bemenet riasztás 1 (4. blokk, 16. sor)"));
    QCOMPARE(name(91, 64, phoneslot::Input2Alarm), QStringLiteral("Bemenet riasztás 2 (4. blokk, 16. sor)"));
    QCOMPARE(name(91, 64, phoneslot::Output2Control), QStringLiteral("Kimenet vezérlés 2 (4. blokk, 16. sor)"));
    // A named field's label is the one the form shows beside it, without the colon.
    QWidget central;
    FormUi form;
    form.setupUi(&central);
    for (int i = 0; i < formschema::MandatoryCount; ++i) {
        const auto *label = central.findChild<QLabel *>(QStringLiteral("l_") + formschema::textFields().at(i).name);
        QVERIFY(label);
        QCOMPARE(label->text(), name(i) + QLatin1Char(':'));
    }
}

void tst_OutcomeTexts::verifyReasons()
{
    using Kind = transfer::VerifyJudgement::Kind;
    QCOMPARE(outcometexts::verifyFailure({Kind::Differs, {}}),
             QStringLiteral("A modul mást tárol, bár a mezők értéke egyezik: az elválasztó vagy egy jogosultság "
                            "jegye tér el."));
    QCOMPARE(outcometexts::downloadFailure(transfer::DownloadOutcome::Stopped, QStringLiteral("COM1")), QString());
    QCOMPARE(outcometexts::downloadFailure(transfer::DownloadOutcome::Acknowledged, QStringLiteral("COM1")), QString());
}

// The port folder lives under XDG_DATA_HOME, set before Qt reads it.
// "--port-line DEVICE" prints the port line, for a run as another user.
int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--port-line") == 0) {
        QCoreApplication app(argc, argv);
        std::printf("%s\n", qPrintable(outcometexts::portFailure(QString::fromLocal8Bit(argv[2]))));
        return 0;
    }
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    tst_OutcomeTexts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_outcometexts.moc"
