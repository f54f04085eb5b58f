#include "configfiles.h"

#include "savedialog.h"
#include "unsavedchanges.h"

#include "core/datafiles.h"
#include "core/files/configfile.h"
#include "core/formschema.h"
#include "core/formtexts.h"
#include "gui/form/formbinding.h"
#include "gui/form/formchecks.h"
#include "gui/windowtexts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

ConfigFiles::ConfigFiles(FormUi &form, QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_form(form)
    , m_unsaved(new UnsavedChanges(form, this))
{
    setObjectName(QStringLiteral("configFiles"));
    connect(m_unsaved, &UnsavedChanges::modifiedChanged, this, &ConfigFiles::modifiedChanged);
}

void ConfigFiles::markStored(const FormContent &content)
{
    m_unsaved->setSaved(content);
}

// How the save refusal names a field: as the form names it, with its object name.
QString ConfigFiles::describeField(int index) const
{
    const auto &field = formschema::textFields().at(index);
    if (field.kind == formschema::TextKind::Reserved)
        return WindowTexts::tr("%1 (reserved, not shown on the form)").arg(field.name);
    return QStringLiteral("\"%1\" (%2)").arg(formtexts::fieldLabel(index), field.name);
}

// Shows why the form cannot be saved as it is, if it cannot; true then. Either
// field would make a file that never opens again: "---" ends a file when it is
// read back, and a line break (pasted, or brought by a file or a read-out) splits
// the field's line.
bool ConfigFiles::refuseUnsavable(const FormContent &form) const
{
    QString why;
    int index = configfile::endMarkerText(form);
    if (index >= 0) {
        why = WindowTexts::tr("The field %1 holds \"---\".\n"
                              "A configuration file cannot keep this value: \"---\" marks the end "
                              "of the file when it is opened again.\n"
                              "Change the field, then save again.");
    } else if (index = configfile::lineBreakText(form); index >= 0) {
        why = WindowTexts::tr("The field %1 holds a line break.\n"
                              "A configuration file cannot keep it: the field would take two lines, "
                              "and the file could not be opened again.\n"
                              "Change the field, then save again.");
    } else {
        return false;
    }
    QMessageBox::warning(m_window, WindowTexts::tr("Save"), why.arg(describeField(index)));
    return true;
}

void ConfigFiles::newFile()
{
    m_document.fileName = QStringLiteral("default17.ui");
    m_document.filePath = datafiles::locate(QStringLiteral("default17.ui"));
    load();
}

void ConfigFiles::openFile()
{
    if (!mayDiscardForm())
        return;
    // The path is taken over before loading, even when the dialog was cancelled.
    m_document.filePath = QFileDialog::getOpenFileName(m_window, WindowTexts::tr("Open File"), QStringLiteral("."),
                                                       WindowTexts::tr("K83 Files (*.k83)"));
    if (!m_document.filePath.isNull())
        load();
}

void ConfigFiles::openGiven(const QString &path)
{
    if (!mayDiscardForm())
        return;
    m_document.filePath = path;
    load();
}

bool ConfigFiles::save()
{
    // Refused before a name is asked for, when the form already shows why.
    if (!formchecks::finishEdit(m_window, m_form) || refuseUnsavable(formbinding::capture(m_form)))
        return false;
    // The current file's name is proposed, and a name typed without an ending gets
    // .k83, so Megnyitás's filter shows the file again.
    const QString path = askSavePath(m_window, m_document,
                                     {QStringLiteral("saveFileDialog"), WindowTexts::tr("Save File"),
                                      WindowTexts::tr("K83 Files (*.k83)"), QStringLiteral("k83")});
    if (path.isEmpty())
        return false;

    const FormContent form = formbinding::capture(m_form);
    if (refuseUnsavable(form))
        return false;
    QString reason;
    if (!configfile::save(path, form, &reason)) {
        QMessageBox::critical(m_window, WindowTexts::tr("Save error"),
                              WindowTexts::tr("Cannot save the file %1.\nReason: %2\nThe file on disk was not changed.")
                                  .arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    m_unsaved->setSaved(form);
    m_document.filePath = path;
    m_document.fileName = configfile::displayName(path);
    emit fileChanged(m_document.fileName);
    QMessageBox::information(m_window, WindowTexts::tr("Save"), WindowTexts::tr("Save was successful."));
    return true;
}

bool ConfigFiles::hasUnsavedChanges() const
{
    return m_unsaved->pending();
}

bool ConfigFiles::mayDiscardForm()
{
    // Whether anything is unsaved is told by the form with its edit finished; a
    // refused edit stops the command that would replace the form.
    if (!formchecks::finishEdit(m_window, m_form))
        return false;
    if (!m_unsaved->pending())
        return true;
    switch (m_unsaved->ask(m_window)) {
    case UnsavedChanges::Answer::Save:
        return save();
    case UnsavedChanges::Answer::Discard:
        return true;
    case UnsavedChanges::Answer::Cancel:
        break;
    }
    return false;
}

void ConfigFiles::load()
{
    FormContent content;
    switch (configfile::load(m_document.filePath, content)) {
    case configfile::LoadStatus::Missing:
        QMessageBox::warning(m_window, WindowTexts::tr("Error"), WindowTexts::tr("Cannot open the selected file."));
        return;
    case configfile::LoadStatus::BadLineCount:
        QMessageBox::critical(m_window, WindowTexts::tr("File error."),
                              WindowTexts::tr("Cannot open the file. \nTip: Check the file."));
        return;
    case configfile::LoadStatus::Loaded:
        break;
    }
    formbinding::apply(m_form, content);
    m_document.fileName = configfile::displayName(m_document.filePath);
    formchecks::showSmsCentre(m_form);
    m_unsaved->setSaved(formbinding::capture(m_form));
    emit fileChanged(m_document.fileName);
    QMessageBox::information(m_window, WindowTexts::tr("File opened."),
                             m_document.fileName + WindowTexts::tr(" successfully loaded."));
}
