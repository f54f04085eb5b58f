#pragma once

#include "core/formcontent.h"
#include "core/linksettings.h"

#include <QObject>

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

signals:
    // The module now holds `content`: it acknowledged a download of it, or a
    // read-out put what it holds on the form.
    void moduleHolds(const FormContent &content);

private:
    QString lineBreakText(int index) const;

    QWidget *m_window;
    FormUi &m_form;
};
