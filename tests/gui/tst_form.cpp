#include <QTest>
class tst_X : public QObject { Q_OBJECT private slots: void todo() { QVERIFY(true); } };
QTEST_MAIN(tst_X)
#include "tst_form.moc"
