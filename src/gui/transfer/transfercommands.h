#pragma once

#include "core/formcontent.h"
#include "core/linksettings.h"

#include <QObject>

#include <optional>

class FormUi;
class QWidget;

// The window's transfer commands: download (behind the dload dialog and its
// worker), read-out and verify (on the GUI thread behind a progress dialog).
// Each runs on the link settings it is handed and keeps nothing between runs;
// its texts are the window's (WindowTexts).
class TransferCommands : public QObject
{
    Q_OBJECT

public:
    // The commands of `window`, which owns this object, on its form.
    TransferCommands(FormUi &form, QWidget *window);

    void download(const LinkSettings &settings); // download()
    void readOut(const LinkSettings &settings);  // readup()
    void verify(const LinkSettings &settings);   // verify_func()
    // The download with a backup before it and a read-back after it.
    void safeDownload(const LinkSettings &settings);
    // A backup chosen in the backups folder, written back and read back.
    void restoreBackup(const LinkSettings &settings);

signals:
    // The module now holds `content`: it acknowledged a download of it, or a
    // read-out put what it holds on the form.
    void moduleHolds(const FormContent &content);

private:
    struct Checked
    {
        FormContent form;
        QString transferText;
    };
    // The form after the download's checks, in their order; nothing after a refusal,
    // which has been shown.
    std::optional<Checked> checkedForm(const LinkSettings &settings);
    QString lineBreakText(int index) const;

    QWidget *m_window;
    FormUi &m_form;
};
