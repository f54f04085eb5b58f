#pragma once

#include "core/formcontent.h"
#include "core/linksettings.h"
#include "gui/files/documentstate.h"

#include <QMainWindow>

#include <memory>

class QLabel;
class ConfigFiles;
class FormUi;
class LinkCommands;
class PhoneLists;
class SheetCommands;
class TransferCommands;
namespace Ui {
class MainWindow;
}

// The one window of the program. Every command enters through one of its slots;
// a slot that does more than a few lines hands the work to the subsystem that
// owns it: ConfigFiles (files/: the document and whether it is saved; PhoneLists
// beside it for the CSV list of the telephone slots),
// LinkCommands (settings/: the link settings), TransferCommands (transfer/),
// SheetCommands (printing/) and the form's checks (form/). The subsystems own
// their state and report through signals; the window owns its menus and labels,
// and connects the two in one place (connectSubsystems()).
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    const LinkSettings &linkSettings() const;
    // For the simulator-backed demo and tests, which point the window at a pty.
    void setLinkSettings(const LinkSettings &settings);
    const DocumentState &document() const;

    // The form's values in enumeration order, and the way back.
    FormContent captureForm() const;
    void applyForm(const FormContent &content);

    // A file named on the command line or dropped on the window: opened as
    // Megnyitás opens the file chosen in its dialog.
    void openGivenFile(const QString &path);
    // The handover sheet: Nyomtatás… and Exportálás PDF-be…. The actions reach
    // these as plain member functions, so the slot table stays as it was.
    void printSheet();
    void exportPdf();
    // Biztonságos betöltés and Visszatöltés mentésből…: the download with a backup
    // and a read-back, and a backup written back. Plain members, like the two above.
    void safeDownload();
    void restoreBackup();
    // The telephone slots as a CSV list: Telefonszámok importálása… and
    // Telefonszámok exportálása…, plain member functions as well.
    void importPhones();
    void exportPhones();

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
    // Asks before unsaved edits go with the window (Exit, Ctrl+Q, the close button).
    void closeEvent(QCloseEvent *event) override;

private:
    void addChecksumGroup();
    void showChecksum(const LinkSettings &settings);
    void connectActions();
    void connectSubsystems();
    void addStatusLabels();

    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<FormUi> m_form;
    QLabel *m_portLabel = nullptr;
    QLabel *m_fileLabel = nullptr;
    QLabel *m_noticeLabel = nullptr;
    // The subsystems: children of the window, made once the form is built.
    ConfigFiles *m_files = nullptr;
    LinkCommands *m_link = nullptr;
    TransferCommands *m_transfers = nullptr;
    SheetCommands *m_sheets = nullptr;
    PhoneLists *m_phones = nullptr;
};
