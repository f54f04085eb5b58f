#pragma once

#include <QList>

class QCheckBox;
class QComboBox;
class QFont;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

// The configuration form, built from tables: every field is a direct child of
// Frame, created in the enumeration order that files and transfers rely on. The
// form keeps its 92 text fields and 256 boxes in explicit lists in that order;
// binding, the input check and the read-out use the lists, never the order in
// which a child search happens to return the widgets.
class FormUi
{
public:
    void setupUi(QWidget *centralWidget);
    void retranslateUi();

    const QList<QLineEdit *> &textFields() const { return m_fields; }
    const QList<QCheckBox *> &boxes() const { return m_boxes; }
    QLineEdit *smskp() const { return m_fields.first(); }

    QFrame *Frame = nullptr;
    QComboBox *smskp_combo = nullptr;
    QLabel *label = nullptr; // the picture of the module

private:
    QLineEdit *addField(int index);
    void addNamedRows(const QFont &font);
    void addHeaders(const QFont &textFont, const QFont &headerFont);
    void chainTabs();

    QList<QLineEdit *> m_fields;
    QList<QCheckBox *> m_boxes;
    QList<QLabel *> m_rowLabels;
    QList<QLabel *> m_hints;
    QList<QLabel *> m_headers; // alarm, control, phone for each block
};
