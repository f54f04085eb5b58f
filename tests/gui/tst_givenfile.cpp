// A configuration file named at start or dropped on the window: loaded as
// Megnyitás loads the file chosen in its dialog, with its messages and refusals,
// after its question about unsaved edits. Every other dragged file or link is
// refused on the whole window; text dragged into a field stays the field's.
#include "gui/app/mainwindow.h"

#include "core/files/configfile.h"
#include "modaldriver.h"
#include "windowdocument.h"

#include <QDialog>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "diskfiles.h"
#include "sampleforms.h"

namespace {

using windowdocument::kUnsaved;
using windowdocument::fileLabel;

// What a file manager drags: the files as URLs and, as every X11 drag source
// offers too, as text, which a text field would take.
std::unique_ptr<QMimeData> draggedFiles(const QList<QUrl> &urls)
{
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    QStringList text;
    for (const QUrl &url : urls)
        text << url.toString();
    data->setText(text.join(QLatin1Char('\n')));
    return data;
}

// A drag over `target` that ends in a drop there, event by event as the window
// system delivers them; true when the target took the drop.
bool dragAndDrop(QWidget *target, const QMimeData *data)
{
    const QPoint at = target->rect().center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(at, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

class tst_givenfile : public QObject
{
    Q_OBJECT

private slots:
    void givenFileLoadsAsMegnyitas_data();
    void givenFileLoadsAsMegnyitas();
    void droppedFileAsksThenLoads();
    void otherDropsAreRefused();

private:
    QTemporaryDir m_dir;
};

void tst_givenfile::givenFileLoadsAsMegnyitas_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at the path
    QTest::addColumn<QString>("shown");
    const QByteArray good = configfile::encode(fixtures::richForm());
    QTest::newRow("good") << good << "File opened.|site.k83 successfully loaded.";
    QTest::newRow("missing") << QByteArray() << "Error|Cannot open the selected file.";
    QTest::newRow("one line too many") << good + "\r\n" << "File error.|Cannot open the file. \nTip: Check the file.";
}

// The call main() makes for rzm417 FILE once the window shows.
void tst_givenfile::givenFileLoadsAsMegnyitas()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QString path = m_dir.filePath("site.k83");
    QFile::remove(path);
    if (!bytes.isEmpty())
        QVERIFY(fixtures::writeAll(path, bytes));
    MainWindow w;
    const FormContent atStart = w.captureForm();
    {
        ModalDriver modals;
        w.openGivenFile(path);
        QCOMPARE(modals.seen(), QStringList{shown});
        QVERIFY(modals.unexpected.isEmpty());
    }
    const bool loaded = QTest::currentDataTag() == QByteArray("good");
    // A refused file leaves the form as it started: empty, no file named.
    QCOMPARE(w.captureForm(), loaded ? fixtures::richForm() : atStart);
    QCOMPARE(fileLabel(w), loaded ? QStringLiteral("site.k83") : QStringLiteral("No file"));
    QCOMPARE(windowdocument::fileName(w), loaded ? QStringLiteral("site.k83") : QString());
    QVERIFY(!w.isWindowModified());
}

void tst_givenfile::droppedFileAsksThenLoads()
{
    const QString first = fixtures::writeForm(m_dir, "first.k83", fixtures::previousForm());
    // The ending counts in any case, as the desktop's file type does.
    const QString second = fixtures::writeForm(m_dir, "SECOND.K83", fixtures::richForm());
    MainWindow w;
    {
        ModalDriver modals;
        w.openGivenFile(first);
    }
    auto *name = w.findChild<QLineEdit *>("m_nev");
    QVERIFY(name);
    name->setText("Edited");
    const FormContent edited = w.captureForm();
    const auto data = draggedFiles({QUrl::fromLocalFile(second)});
    {
        // On a field, which would otherwise take the file's name as text: asked,
        // and Cancel keeps the edits.
        ModalDriver modals;
        modals.press(QMessageBox::Cancel);
        QVERIFY(dragAndDrop(name, data.get()));
        QTRY_COMPARE(modals.seen(), QStringList{kUnsaved});
        QVERIFY(modals.unexpected.isEmpty());
    }
    QCOMPARE(w.captureForm(), edited);
    QCOMPARE(fileLabel(w), QStringLiteral("first.k83"));
    {
        // On the window itself; Discard, then the load's own message.
        ModalDriver modals;
        modals.press(QMessageBox::Discard).press();
        QVERIFY(dragAndDrop(&w, data.get()));
        QTRY_COMPARE(modals.seen(), (QStringList{kUnsaved, "File opened.|SECOND.K83 successfully loaded."}));
        QVERIFY(modals.unexpected.isEmpty());
    }
    QCOMPARE(w.captureForm(), fixtures::richForm());
    QCOMPARE(windowdocument::filePath(w), second);
    QCOMPARE(fileLabel(w), QStringLiteral("SECOND.K83"));
}

void tst_givenfile::otherDropsAreRefused()
{
    const QString config = fixtures::writeForm(m_dir, "site.k83", fixtures::richForm());
    const QString notes = m_dir.filePath("notes.txt");
    QVERIFY(fixtures::writeAll(notes, "notes\n"));
    MainWindow w;
    auto *name = w.findChild<QLineEdit *>("m_nev");
    QVERIFY(name);
    name->setText("Kapu");
    const FormContent before = w.captureForm();
    ModalDriver modals;
    const QList<QList<QUrl>> refused = {
        {QUrl::fromLocalFile(notes)},
        {QUrl::fromLocalFile(config), QUrl::fromLocalFile(config)},
        {QUrl(QStringLiteral("https://example.org/site.k83"))},
    };
    for (const auto &urls : refused) {
        const auto data = draggedFiles(urls);
        QVERIFY(!dragAndDrop(name, data.get()));
        QVERIFY(!dragAndDrop(&w, data.get()));
    }
    // While a dialog is open, not even a configuration file is taken (the driver
    // closes the dialog afterwards).
    QDialog dialog(&w);
    dialog.setWindowTitle("Busy");
    dialog.setModal(true);
    dialog.show();
    QVERIFY(!dragAndDrop(&w, draggedFiles({QUrl::fromLocalFile(config)}).get()));
    QTRY_VERIFY(!dialog.isVisible());
    QTest::qWait(50); // a drop taken by mistake would be loaded by now
    QCOMPARE(modals.seen(), QStringList{"Busy|"});
    QCOMPARE(w.captureForm(), before);
    QCOMPARE(fileLabel(w), QStringLiteral("No file"));
    // Text dragged into a field is still the field's to take.
    QMimeData text;
    text.setText("Garazs");
    QDragEnterEvent enter(name->rect().center(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(name, &enter);
    QVERIFY(enter.isAccepted());
}

QTEST_MAIN(tst_givenfile)
#include "tst_givenfile.moc"
