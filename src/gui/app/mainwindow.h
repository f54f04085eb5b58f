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
class SheetCommands;
class TransferCommands;
class UnsavedChanges;
namespace Ui {
class MainWindow;
}

// The one window of the program. Every command enters through one of its slots;
// a slot that does more than a few lines hands the work to the class of its
// subsystem that the window owns: ConfigFiles and SheetCommands (files/),
// LinkCommands (settings/), TransferCommands (transfer/), and the form's checks (form/).
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    const LinkSettings &linkSettings() const { return m_settings; }
    // For the simulator-backed demo and tests, which point the window at a pty.
    void setLinkSettings(const LinkSettings &settings);
    const DocumentState &document() const { return m_document; }
    void setDocument(const DocumentState &document);

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
    void checkChecksumAction();
    void connectActions();
    void addStatusLabels();

    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<FormUi> m_form;
    LinkSettings m_settings;
    DocumentState m_document;
    QLabel *m_portLabel = nullptr;
    QLabel *m_fileLabel = nullptr;
    QLabel *m_noticeLabel = nullptr;
    UnsavedChanges *m_unsaved = nullptr;
    std::unique_ptr<ConfigFiles> m_files;
    std::unique_ptr<LinkCommands> m_link;
    std::unique_ptr<TransferCommands> m_transfers;
    std::unique_ptr<SheetCommands> m_sheets;
};
