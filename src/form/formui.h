#pragma once

#include <QList>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

// The configuration form: every field is a direct child of Frame, created in the
// enumeration order that files and transfers rely on.
class FormUi
{
public:
    void setupUi(QWidget *centralWidget);
    void retranslateUi();

    QFrame *Frame = nullptr;
    QComboBox *smskp_combo = nullptr;
    QLabel *label = nullptr; // the picture of the module

private:
    QLineEdit *m_smskp = nullptr;
    QList<QLabel *> m_rowLabels;
    QList<QLabel *> m_hints;
    QList<QLabel *> m_headers; // alarm, control, phone for each block
    QList<QCheckBox *> m_boxes;
};
