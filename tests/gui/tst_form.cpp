// The form's rules: enumeration order, group keys, field limits while typing, and
// capture/apply. Its widgets, texts and geometry are in the golden dump of tst_widgettree.
#include "core/formschema.h"
#include "core/transfer/transfertext.h"
#include "gui/app/mainwindow.h"
#include "testseed.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QMap>
#include <QRandomGenerator>
#include <QTest>

class tst_Form : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void enumerationOrder();
    void groupKeysAndMasks();
    void typingIsCutAtMaxLength_data();
    void typingIsCutAtMaxLength();
    void reservedFieldsAreHidden();
    void captureApplyRoundTrip();

private:
    QList<QLineEdit *> edits() const { return m_window->centralWidget()->findChildren<QLineEdit *>(); }
    QList<QCheckBox *> boxes() const { return m_window->centralWidget()->findChildren<QCheckBox *>(); }
    QMap<int, int> masks() const
    {
        QMap<int, int> m; // as the transfer text carries them: slot p's field leads with 2p-1's and 2p's
        const QStringList fields = transfer::fields(m_window->captureForm());
        for (int r = 1; r <= 128; ++r)
            m[r] = fields[27 + (r + 1) / 2].at(1 - r % 2).digitValue();
        return m;
    }
    MainWindow *m_window = nullptr;
};

void tst_Form::init()
{
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_Form::cleanup()
{
    delete m_window;
}

void tst_Form::enumerationOrder()
{
    const auto e = edits();
    QCOMPARE(e.size(), 92);
    QCOMPARE(e[0]->objectName(), QString("smskp"));
    QCOMPARE(e[27]->objectName(), QString("r27"));
    QCOMPARE(e[28]->objectName(), QString("t1"));
    QCOMPARE(e[91]->objectName(), QString("t16_4"));
    for (int i = 0; i < 92; ++i)
        QCOMPARE(e[i]->objectName(), formschema::textFields()[i].name);
    const auto b = boxes();
    QCOMPARE(b.size(), 256);
    QCOMPARE(b[0]->objectName(), QString("tc1_1"));
    QCOMPARE(b[1]->objectName(), QString("tc2_1"));
    QCOMPARE(b[4]->objectName(), QString("tc4_2"));
    QCOMPARE(b[64]->objectName(), QString("tc4_17"));
    QCOMPARE(b[255]->objectName(), QString("tc1_64"));
    // Every box, pinned by a golden list of names and group keys in enumeration
    // order, written from the column/row pattern of the blocks: a swapped pair in
    // the pattern moves two names and two keys.
    QFile golden(QStringLiteral(RZM_GOLDEN_DIR "/boxorder.txt"));
    QVERIFY(golden.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromLatin1(golden.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 256);
    for (int k = 0; k < 256; ++k)
        QCOMPARE(b[k]->objectName() + ' ' + b[k]->property("group").toString(), lines[k]);
    // The combo box adds no line edit of its own: it is not editable.
    const auto *combo = m_window->findChild<QComboBox *>("smskp_combo");
    QVERIFY(combo);
    QVERIFY(!combo->isEditable());
}

void tst_Form::groupKeysAndMasks()
{
    // Geometry and key agree: the key of a box follows from where it stands.
    for (QCheckBox *b : boxes()) {
        const int block = b->x() / 260 + 1;
        const int column = QList<int>{10, 30, 70, 90}.indexOf(b->x() - 260 * (block - 1)) + 1;
        const int row = (b->y() - 255) / 25 + 1;
        QVERIFY2(column > 0, qPrintable(b->objectName()));
        const int slot = 16 * (block - 1) + row;
        const int record = column <= 2 ? 2 * slot - 1 : 2 * slot;
        const int bit = (column == 1 || column == 3) ? 2 : 1;
        QCOMPARE(b->property("group").toString(), QStringLiteral("%1.%2").arg(record).arg(bit));
        // Each box stands on its slot's telephone row.
        QCOMPARE(b->y(), edits()[27 + slot]->y());
    }
    for (QCheckBox *b : boxes())
        b->setChecked(true);
    auto m = masks();
    QCOMPARE(m.size(), 128);
    for (int r = 1; r <= 128; ++r)
        QCOMPARE(m.value(r), 3);
    for (QCheckBox *b : boxes())
        b->setChecked(false);
    auto *input1 = m_window->findChild<QCheckBox *>("tc2_1");
    auto *output2 = m_window->findChild<QCheckBox *>("tc3_1");
    QVERIFY(input1 && output2);
    input1->setChecked(true);
    output2->setChecked(true);
    m = masks();
    QCOMPARE(m.value(1), 1);
    QCOMPARE(m.value(2), 2);
    for (int r = 3; r <= 128; ++r)
        QCOMPARE(m.value(r), 0);
}

void tst_Form::typingIsCutAtMaxLength_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("max");
    QTest::newRow("m_pin") << "m_pin" << 4;
    QTest::newRow("m_id") << "m_id" << 4;
    QTest::newRow("rele_time") << "rele_time" << 4;
    QTest::newRow("visszaallas") << "visszaallas" << 1;
    QTest::newRow("t7_3") << "t7_3" << 14;
    QTest::newRow("m_nev") << "m_nev" << 16;
}

void tst_Form::typingIsCutAtMaxLength()
{
    QFETCH(QString, field);
    QFETCH(int, max);
    auto *edit = m_window->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    edit->setFocus();
    QTest::keyClicks(edit, QString(20, '1'));
    QCOMPARE(edit->text().size(), max);
    // A longer text from a file or a read-out is cut by the field as well.
    edit->setText(QString(30, '2'));
    QCOMPARE(edit->text(), QString(max, '2'));
}

void tst_Form::reservedFieldsAreHidden()
{
    auto *frame = m_window->findChild<QFrame *>("Frame");
    QVERIFY(frame);
    for (int i = 16; i < 28; ++i) {
        QLineEdit *e = edits()[i];
        QVERIFY(!frame->rect().intersects(e->geometry()));
        QVERIFY(e->visibleRegion().isEmpty());
    }
}

void tst_Form::captureApplyRoundTrip()
{
    FormContent content = m_window->captureForm();
    QCOMPARE(content, FormContent::defaults());
    QRandomGenerator random(fixtures::testSeed(417));
    for (int i = 0; i < content.texts.size(); ++i) {
        const int max = formschema::textFields()[i].maxLength;
        QString s;
        for (int n = random.bounded(max + 1); n > 0; --n)
            s += QChar(random.bounded(32, 127));
        content.texts[i] = s;
    }
    for (auto &b : content.boxes)
        b = random.bounded(2);
    m_window->applyForm(content);
    QCOMPARE(m_window->captureForm(), content);
}

QTEST_MAIN(tst_Form)
#include "tst_form.moc"
