#pragma once

#include <QList>
#include <QObject>

class QCheckBox;
class QComboBox;
class QFont;
class QFrame;
class QLabel;
class QLineEdit;
class QSize;
class QWidget;

// Reports the form's finished edits; the window's input check follows them.
class FormEdits : public QObject
{
    Q_OBJECT

signals:
    // A text field finished an edit.
    void finished();
};

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
    QComboBox *smskpCombo() const { return m_smskpCombo; }
    // The form's fixed size: its central area is as large.
    QSize size() const;
    // Keeps every field's right border in sight at a device pixel ratio of `ratio`.
    void keepRightBorders(qreal ratio);

    const FormEdits *edits() const { return &m_edits; }

private:
    QLineEdit *addField(int index);
    void addNamedRows(const QFont &font);
    void addHeaders(const QFont &textFont, const QFont &headerFont);
    void chainTabs();

    FormEdits m_edits;
    QFrame *m_frame = nullptr;
    QComboBox *m_smskpCombo = nullptr;
    QList<QLineEdit *> m_fields;
    QList<QCheckBox *> m_boxes;
    QList<QLabel *> m_rowLabels;
    QList<QLabel *> m_hints;
    QList<QLabel *> m_headers; // alarm, control, phone for each block
};
