#pragma once

#include "formcontent.h"
#include "linksettings.h"

#include <QMainWindow>

class QLabel;
class MainWindowUi;
class UnsavedChanges;

// The one window of the program. Every command enters through one of its slots;
// the slots live beside the subsystem they belong to (files/, settings/, transfer/,
// dialogs/, form/), this file only declares them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    const LinkSettings &linkSettings() const { return m_settings; }
    // For the simulator-backed demo and tests, which point the window at a pty.
    void setLinkSettings(const LinkSettings &settings);

    // The form's values in enumeration order, and the way back.
    FormContent captureForm() const;
    void applyForm(const FormContent &content);

public slots:
    void newfile();
    void openfile();
    void save();
    void saveas();
    void verify_func();
    void show_port();
    void setCheck();
    void setFixChar();
    void setAckChar();
    void setSeparators();
    void setUploadCommand();
    void setChks8();
    void setChks16();
    void setChks24();
    void setChks32();
    void download();
    void readup();
    void nevjegy();
    void contents();
    void input_check();
    void smskpSelect();

protected:
    void changeEvent(QEvent *event) override;
    // Asks before unsaved edits go with the window (Exit, Ctrl+Q, the close button).
    void closeEvent(QCloseEvent *event) override;

private:
    void load();
    // The whole save; false when nothing was written (cancelled, refused, failed).
    bool saveForm();
    // True when the form may be replaced or thrown away: nothing is unsaved, or
    // the user saved it or chose to discard it.
    bool mayDiscardForm();
    void showFileName();
    void selectSmsCentre();
    QString portLabelText(const QString &pattern) const;

    MainWindowUi *ui;
    LinkSettings m_settings;
    QLabel *m_portLabel = nullptr;
    QLabel *m_fileLabel = nullptr;
    QLabel *m_noticeLabel = nullptr;
    UnsavedChanges *m_unsaved = nullptr;
};
