// File commands: New, Open, Save and the shared load routine.
#include "mainwindow.h"
#include "mainwindowui.h"
#include "unsavedchanges.h"

#include "datafiles.h"
#include "files/configfile.h"
#include "formbinding.h"
#include "formschema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// How the save refusal names a field: its label on the form where it has one.
QString describeField(const QWidget *centralWidget, int index)
{
    const auto &field = formschema::textFields().at(index);
    switch (field.kind) {
    case formschema::TextKind::Named:
        return QStringLiteral("\"%1\" (%2)").arg(formbinding::fieldLabel(centralWidget, field.name), field.name);
    case formschema::TextKind::Phone: {
        const int slot = index - formschema::HeaderCount;
        return QCoreApplication::translate("MainWindow", "\"Telefonszám\" of block %1, row %2 (%3)")
            .arg(slot / 16 + 1).arg(slot % 16 + 1).arg(field.name);
    }
    case formschema::TextKind::Reserved:
        break;
    }
    return QCoreApplication::translate("MainWindow", "%1 (reserved, not shown on the form)").arg(field.name);
}

// Shows why the form cannot be saved as it is, if it cannot; true then. Either
// field would make a file that never opens again: "---" ends a file when it is
// read back, and a line break (pasted, or brought by a file or a read-out) splits
// the field's line.
bool refuseUnsavable(QWidget *window, const QWidget *centralWidget, const FormContent &form)
{
    QString why;
    int index = configfile::endMarkerText(form);
    if (index >= 0) {
        why = MainWindow::tr("The field %1 holds \"---\".\n"
                             "A configuration file cannot keep this value: \"---\" marks the end "
                             "of the file when it is opened again.\n"
                             "Change the field, then save again.");
    } else if (index = configfile::lineBreakText(form); index >= 0) {
        why = MainWindow::tr("The field %1 holds a line break.\n"
                             "A configuration file cannot keep it: the field would take two lines, "
                             "and the file could not be opened again.\n"
                             "Change the field, then save again.");
    } else {
        return false;
    }
    QMessageBox::warning(window, MainWindow::tr("Save"), why.arg(describeField(centralWidget, index)));
    return true;
}

} // namespace

void MainWindow::newfile()
{
    m_settings.fileName = QStringLiteral("default17.ui");
    m_settings.filePath = datafiles::locate(QStringLiteral("default17.ui"));
    load();
}

void MainWindow::openfile()
{
    if (!mayDiscardForm())
        return;
    // The path is taken over before loading, even when the dialog was cancelled.
    m_settings.filePath = QFileDialog::getOpenFileName(this, tr("Open File"), QStringLiteral("."),
                                                       tr("K83 Files (*.k83)"));
    if (!m_settings.filePath.isNull())
        load();
}

void MainWindow::save()
{
    saveForm();
}

bool MainWindow::saveForm()
{
    // Refused before a name is asked for, when the form already shows why.
    if (refuseUnsavable(this, ui->centralWidget, captureForm()))
        return false;
    const QString path = QFileDialog::getSaveFileName(this, tr("Save File"), QStringLiteral("."),
                                                      tr("K83 Files (*.k83)"));
    if (path.isEmpty())
        return false;

    // The dialog took the focus from the field being edited, and so ran the input
    // check on it: only now does the form hold what is to be stored.
    const FormContent form = captureForm();
    if (refuseUnsavable(this, ui->centralWidget, form))
        return false;
    QString reason;
    if (!configfile::save(path, form, &reason)) {
        QMessageBox::critical(this, tr("Save error"),
                              tr("Cannot save the file %1.\nReason: %2\nThe file on disk was not changed.")
                                  .arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    m_unsaved->setSaved(form);
    m_settings.filePath = path;
    m_settings.fileName = configfile::displayName(path);
    showFileName();
    QMessageBox::information(this, tr("Save"), tr("Save was successful."));
    return true;
}

bool MainWindow::mayDiscardForm()
{
    if (!m_unsaved->pending())
        return true;
    switch (m_unsaved->ask()) {
    case UnsavedChanges::Answer::Save:
        return saveForm();
    case UnsavedChanges::Answer::Discard:
        return true;
    case UnsavedChanges::Answer::Cancel:
        break;
    }
    return false;
}

void MainWindow::saveas()
{
    // Save As is not offered: the action stays hidden and this slot does nothing.
}

void MainWindow::load()
{
    FormContent content;
    switch (configfile::load(m_settings.filePath, content)) {
    case configfile::LoadStatus::Missing:
        QMessageBox::warning(this, tr("Error"), tr("Cannot open the selected file."));
        return;
    case configfile::LoadStatus::BadLineCount:
        QMessageBox::critical(this, tr("File error."), tr("Cannot open the file. \nTip: Check the file."));
        return;
    case configfile::LoadStatus::Loaded:
        break;
    }
    applyForm(content);
    m_settings.fileName = configfile::displayName(m_settings.filePath);
    m_settings.transferText = QString();
    selectSmsCentre();
    m_unsaved->setSaved(captureForm());
    showFileName();
    QMessageBox::information(this, tr("File opened."), m_settings.fileName + tr(" successfully loaded."));
}
