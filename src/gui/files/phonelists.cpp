#include "phonelists.h"

#include "configfiles.h"
#include "savedialog.h"

#include "core/files/phonecsv.h"
#include "core/files/wholefile.h"
#include "core/formschema.h"
#include "gui/form/formbinding.h"
#include "gui/form/formchecks.h"
#include "gui/windowtexts.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// How many refused rows the box names in its text; its details name them all.
constexpr int kNamedRows = 10;

QString boxTitle()
{
    return WindowTexts::tr("Telefonszám-lista");
}

QString csvFilter()
{
    return WindowTexts::tr("CSV Files (*.csv)");
}

// The refusal of a list with wrong rows: every wrong row by line, slot and reason.
void showRefusedRows(QWidget *window, const QString &shown, const phonecsv::ImportResult &result)
{
    QStringList wrong;
    for (const auto &row : result.rows)
        if (!row.ok())
            wrong << phonecsv::formatVerdict(row);
    QString text = WindowTexts::tr("The phone list %1 was not imported: %2 of %3 rows are wrong.\n"
                                   "Nothing on the form was changed.\n")
                       .arg(shown)
                       .arg(wrong.size())
                       .arg(result.rows.size());
    text += QLatin1Char('\n') + wrong.mid(0, kNamedRows).join(QLatin1Char('\n'));
    QMessageBox box(QMessageBox::Critical, boxTitle(), text, QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("phoneListRefused"));
    if (wrong.size() > kNamedRows)
        box.setInformativeText(WindowTexts::tr("%1 more wrong rows are listed in the details.").arg(wrong.size() - kNamedRows));
    // All of them once more where they can be selected and copied, to mend the list.
    box.setDetailedText(wrong.join(QLatin1Char('\n')));
    box.exec();
}

} // namespace

PhoneLists::PhoneLists(FormUi &form, const ConfigFiles &files, QWidget *window)
    : QObject(window)
    , m_form(form)
    , m_files(files)
    , m_window(window)
{
    setObjectName(QStringLiteral("phoneLists"));
}

void PhoneLists::importList()
{
    if (!formchecks::finishEdit(m_window, m_form))
        return;
    const QString path = QFileDialog::getOpenFileName(m_window, WindowTexts::tr("Telefonszámok importálása"),
                                                      QStringLiteral("."), csvFilter());
    if (path.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::critical(m_window, boxTitle(),
                              WindowTexts::tr("Cannot open the file %1.\nReason: %2").arg(shown, file.errorString()));
        return;
    }
    // Every row is judged against the form as it is now: a number already in
    // another slot is refused as the command line refuses it.
    const auto result = phonecsv::importCsv(QString::fromUtf8(file.readAll()), formbinding::capture(m_form));
    if (!result.error.isEmpty()) {
        QMessageBox::critical(m_window, boxTitle(),
                              WindowTexts::tr("The phone list %1 was not imported: %2.\nNothing on the form was changed.")
                                  .arg(shown, result.error));
        return;
    }
    if (!result.ok()) {
        showRefusedRows(m_window, shown, result);
        return;
    }
    formbinding::apply(m_form, result.form);
    QMessageBox::information(m_window, boxTitle(),
                             WindowTexts::tr("%1 telephone slots were imported from %2.\nThe other slots were not changed.")
                                 .arg(result.rows.size())
                                 .arg(shown));
}

void PhoneLists::exportList()
{
    if (!formchecks::finishEdit(m_window, m_form))
        return;
    const QString path = askSavePath(m_window, m_files.document(),
                                     {QStringLiteral("exportPhonesDialog"), WindowTexts::tr("Telefonszámok exportálása"),
                                      csvFilter(), QStringLiteral("csv")});
    if (path.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(path);
    QString reason;
    if (!wholefile::write(path, phonecsv::exportCsv(formbinding::capture(m_form)), &reason)) {
        QMessageBox::critical(m_window, boxTitle(),
                              WindowTexts::tr("Cannot write the file %1.\nReason: %2\nNothing was written; "
                                              "a file already there is unchanged.")
                                  .arg(shown, reason));
        return;
    }
    QMessageBox::information(m_window, boxTitle(), WindowTexts::tr("The phone list was saved as %1 (%2 slots).")
                                                                .arg(shown)
                                                                .arg(formschema::PhoneCount));
}
