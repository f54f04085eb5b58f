// The form's own lists of its fields and boxes: built in creation order, equal to
// the order of a child search on a fresh form, and the one order that binding uses.
// The Tab key follows the screen instead, pinned by tests/data/taborder.txt
// (RZM_UPDATE_GOLDEN=1 rewrites it).
#include "core/formschema.h"
#include "diskfiles.h"
#include "gui/form/formbinding.h"
#include "gui/form/formui.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <numeric>

class tst_FormUi : public QObject
{
    Q_OBJECT

private slots:
    void listsAreTheEnumerationOrder();
    void bindingKeepsItsOrderWhenChildrenMove();
    void tabFollowsTheScreen();
    void headerMarksStandOverTheirColumns();
};

void tst_FormUi::listsAreTheEnumerationOrder()
{
    QWidget central;
    FormUi form;
    form.setupUi(&central);
    const auto &fields = form.textFields();
    const auto &boxes = form.boxes();
    QCOMPARE(fields.size(), formschema::TextCount);
    QCOMPARE(boxes.size(), formschema::BoxCount);
    // The enumeration order is part of the contract: on a form as built, the
    // lists are exactly what the child search returns.
    QCOMPARE(fields, central.findChildren<QLineEdit *>());
    QCOMPARE(boxes, central.findChildren<QCheckBox *>());
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(fields[i]->objectName(), formschema::textFields()[i].name);
    for (int k = 0; k < boxes.size(); ++k) {
        QCOMPARE(boxes[k]->objectName(), formschema::boxes()[k].name);
        QCOMPARE(boxes[k]->property("group").toString(), formschema::boxes()[k].group);
    }
    QCOMPARE(form.smskp(), fields.first());
}

// Raising a widget moves it to the end of its parent's children, and so in a child
// search. Files and transfers must not follow: they use the form's lists.
void tst_FormUi::bindingKeepsItsOrderWhenChildrenMove()
{
    QWidget central;
    FormUi form;
    form.setupUi(&central);
    FormContent content = FormContent();
    for (int i = 0; i < content.texts.size(); ++i)
        content.texts[i] = QString::number(i % 10);
    for (int k = 0; k < content.boxes.size(); k += 3)
        content.boxes[k] = true;
    formbinding::apply(form, content);

    form.textFields()[1]->raise();
    form.boxes()[0]->raise();
    QVERIFY(central.findChildren<QLineEdit *>() != form.textFields());
    QVERIFY(central.findChildren<QCheckBox *>() != form.boxes());
    QCOMPARE(formbinding::capture(form), content);
}

// Tab, pressed on the shown form from the SMS-centre combo, visits the combo, the
// left column, the right column and then each telephone slot's four boxes and its
// number; it never stops on a reserved field, and the enumeration order stays.
void tst_FormUi::tabFollowsTheScreen()
{
    QWidget central;
    FormUi form;
    form.setupUi(&central);
    form.smskp()->setEnabled(true); // as "Egyéni" leaves it; disabled, Tab passes it by
    central.show();
    QVERIFY(QTest::qWaitForWindowActive(&central));
    form.smskpCombo()->setFocus();
    QStringList chain;
    do {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        chain << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    } while (QApplication::focusWidget() != form.smskpCombo() && chain.size() <= 400);

    const QString golden = QStringLiteral(RZM_GOLDEN_DIR "/taborder.txt");
    const QByteArray actual = chain.join(QLatin1Char('\n')).toUtf8() + '\n';
    if (qEnvironmentVariableIsSet("RZM_UPDATE_GOLDEN"))
        QVERIFY(fixtures::writeAll(golden, actual));
    QCOMPARE(actual, fixtures::readAll(golden));
    QCOMPARE(chain.size(), 1 + formschema::MandatoryCount + 5 * formschema::PhoneCount);
    QCOMPARE(form.textFields(), central.findChildren<QLineEdit *>());
}

// A box header's last line, "2" and "1", stands over its two box columns (x 0 and
// 20 in the header) whatever the font makes of the words and blanks before it: a
// wider font once put "vezérlés 2" on one line and "1" alone under the first column.
void tst_FormUi::headerMarksStandOverTheirColumns()
{
    QWidget central;
    FormUi form;
    form.setupUi(&central);
    auto *header = central.findChild<QLabel *>(QStringLiteral("l_control_1"));
    QVERIFY(header);
    for (int stretch : {82, 100, 115}) {
        QFont font = header->font();
        font.setStretch(stretch);
        header->setFont(font);
        const QImage image = header->grab().toImage();
        QList<int> xs(image.width());
        std::iota(xs.begin(), xs.end(), 0);
        // The marks' line ends in the last row with ink; where each mark's ink begins.
        const auto ink = [&](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
        const auto inkInRow = [&](int y) { return std::any_of(xs.begin(), xs.end(), [&](int x) { return ink(x, y); }); };
        int bottom = image.height() - 1;
        while (bottom > 0 && !inkInRow(bottom))
            --bottom;
        QList<int> starts;
        bool before = false;
        for (int x : xs) {
            const bool any = ink(x, bottom) || ink(x, bottom - 1) || ink(x, bottom - 2) || ink(x, bottom - 3);
            if (any && !before)
                starts << x;
            before = any;
        }
        QCOMPARE(starts.size(), 2);
        QVERIFY2(starts[0] < 16 && starts[1] >= 20 && starts[1] < 36, qPrintable(QString::number(starts[1])));
    }
}

QTEST_MAIN(tst_FormUi)
#include "tst_formui.moc"
