#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "filedrop.h"
#include "gui/dialogs/about.h"
#include "gui/dialogs/help.h"
#include "gui/files/configfiles.h"
#include "gui/files/phonelists.h"
#include "gui/fit/windowfit.h"
#include "gui/form/formbinding.h"
#include "gui/form/formchecks.h"
#include "gui/form/formui.h"
#include "gui/printing/sheetcommands.h"
#include "gui/settings/linkcommands.h"
#include "gui/transfer/transfercommands.h"
#include "shortcutpriority.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QWindow>

namespace {

const char *const kNotice = QT_TRANSLATE_NOOP("MainWindow", "Copyright © 2011-2026 RZM-417 fejlesztők");

// The port label: two blanks before "Baud" at start, one after a port dialog.
enum class PortLabel { AtStart, AfterDialog };

QString portLabelText(const QString &port, PortLabel when)
{
    const QString pattern = when == PortLabel::AtStart ? MainWindow::tr("%1  Baud: %2") : MainWindow::tr("%1 Baud: %2");
    return pattern.arg(port).arg(LineBaudRate);
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::MainWindow>())
    , m_form(std::make_unique<FormUi>())
{
    ui->setupUi(this);
    // The form is built from tables, not from the .ui file: 92 fields and 256 boxes
    // in the creation order that files and transfers follow.
    m_form->setupUi(ui->centralWidget);
    // The form keeps its fixed geometry in a scroll area, which scrolls only on a
    // screen too small for the window.
    ui->centralWidget->resize(m_form->size());
    m_files = new ConfigFiles(*m_form, this);
    m_link = new LinkCommands(this);
    m_transfers = new TransferCommands(*m_form, this);
    m_sheets = new SheetCommands(*m_form, *m_files, this);
    m_phones = new PhoneLists(*m_form, *m_files, this);

    addChecksumGroup();
    connectActions();
    // Every text field's finished edit, as the form reports it. The form is the
    // window's member, so its reports end with the window's own part: a window still
    // shown is hidden only later, in the base class's destructor, and the field that
    // loses the focus there finishes its edit into no half-destroyed window.
    connect(m_form->edits(), &FormEdits::finished, this, &MainWindow::input_check);
    connect(m_form->smskpCombo(), &QComboBox::currentIndexChanged, this, &MainWindow::smskpSelect);
    addStatusLabels();
    new ShortcutPriority(this);
    connectSubsystems();
    // Fixed, as it always was, at the size that shows the whole form between the
    // menu bar and the status bar, as tall as they are on this platform.
    ensurePolished();
    const QSize form = m_form->size();
    const int bars = menuBar()->heightForWidth(form.width()) + statusBar()->sizeHint().height();
    windowfit::fixOnScreen(this, form + QSize(0, bars), ui->scrollArea);
    // Again on every screen: a fractional scale can cut a field's right border.
    const auto keepBorders = [this] { m_form->keepRightBorders(devicePixelRatioF()); };
    keepBorders();
    connect(windowHandle(), &QWindow::screenChanged, this, keepBorders);
}

MainWindow::~MainWindow() = default;

// The five entries of the CHKS menu: one checked, the one that the settings'
// checksum names.
void MainWindow::addChecksumGroup()
{
    auto *checksumKinds = new QActionGroup(this);
    checksumKinds->setObjectName("checksumKinds");
    for (QAction *a :
         {ui->action8bit_sum, ui->action16bit_sum, ui->action24bit_sum, ui->action32bit_sum, ui->actionFix})
        checksumKinds->addAction(a);
    showChecksum(m_link->settings());
}

// The CHKS menu shows the settings: the entry of the checksum's kind is checked,
// and the menu is usable while a checksum is appended at all. The window sets the
// mark from the settings when it is built and when it is handed settings; the
// menu's own entries move it through their action group.
void MainWindow::showChecksum(const LinkSettings &settings)
{
    switch (settings.checkSize.kind) {
    case Checksum::Kind::Sum8: ui->action8bit_sum->setChecked(true); break;
    case Checksum::Kind::Sum16: ui->action16bit_sum->setChecked(true); break;
    case Checksum::Kind::Sum24: ui->action24bit_sum->setChecked(true); break;
    case Checksum::Kind::Sum32: ui->action32bit_sum->setChecked(true); break;
    case Checksum::Kind::Fixed: ui->actionFix->setChecked(true); break;
    }
    ui->menuCHKS->setEnabled(settings.checkValue);
}

void MainWindow::connectActions()
{
    connect(ui->actionNew, &QAction::triggered, this, &MainWindow::newfile);
    connect(ui->actionOpen, &QAction::triggered, this, &MainWindow::openfile);
    connect(ui->actionSave, &QAction::triggered, this, &MainWindow::save);
    connect(ui->actionSaveAs, &QAction::triggered, this, &MainWindow::saveas);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::close);
    connect(ui->actionPort, &QAction::triggered, this, &MainWindow::show_port);
    connect(ui->actionCheck, &QAction::triggered, this, &MainWindow::setCheck);
    connect(ui->actionACK, &QAction::triggered, this, &MainWindow::setAckChar);
    connect(ui->actionSeparators, &QAction::triggered, this, &MainWindow::setSeparators);
    connect(ui->actionUC, &QAction::triggered, this, &MainWindow::setUploadCommand);
    connect(ui->actionDownload, &QAction::triggered, this, &MainWindow::download);
    connect(ui->actionReadup, &QAction::triggered, this, &MainWindow::readup);
    connect(ui->actionVerify, &QAction::triggered, this, &MainWindow::verify_func);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::nevjegy);
    connect(ui->actionContents, &QAction::triggered, this, &MainWindow::contents);
    connect(ui->action8bit_sum, &QAction::triggered, this, &MainWindow::setChks8);
    connect(ui->action16bit_sum, &QAction::triggered, this, &MainWindow::setChks16);
    connect(ui->action24bit_sum, &QAction::triggered, this, &MainWindow::setChks24);
    connect(ui->action32bit_sum, &QAction::triggered, this, &MainWindow::setChks32);
    connect(ui->actionFix, &QAction::triggered, this, &MainWindow::setFixChar);
    connect(ui->actionPrint, &QAction::triggered, this, &MainWindow::printSheet);
    connect(ui->actionExportPdf, &QAction::triggered, this, &MainWindow::exportPdf);
    connect(ui->actionImportPhones, &QAction::triggered, this, &MainWindow::importPhones);
    connect(ui->actionExportPhones, &QAction::triggered, this, &MainWindow::exportPhones);
    connect(ui->actionSafeDownload, &QAction::triggered, this, &MainWindow::safeDownload);
    connect(ui->actionRestoreBackup, &QAction::triggered, this, &MainWindow::restoreBackup);
}

// What the subsystems report reaches the window's labels, menu and title; what the
// module holds reaches the files' notion of what is saved; a dropped file is opened.
void MainWindow::connectSubsystems()
{
    connect(m_files, &ConfigFiles::fileChanged, m_fileLabel, &QLabel::setText);
    connect(m_files, &ConfigFiles::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_link, &LinkCommands::linkChanged, ui->menuCHKS,
            [this](const LinkSettings &settings) { ui->menuCHKS->setEnabled(settings.checkValue); });
    connect(m_link, &LinkCommands::portChosen, m_portLabel,
            [this](const QString &port) { m_portLabel->setText(portLabelText(port, PortLabel::AfterDialog)); });
    connect(m_transfers, &TransferCommands::moduleHolds, m_files, &ConfigFiles::markStored);
    connect(new FileDrop(this), &FileDrop::dropped, this, &MainWindow::openGivenFile);
}

void MainWindow::addStatusLabels()
{
    m_fileLabel = new QLabel(tr("No file"), this);
    m_fileLabel->setObjectName("fileLabel");
    ui->statusBar->insertWidget(0, m_fileLabel, 1);
    m_portLabel = new QLabel(portLabelText(m_link->settings().port, PortLabel::AtStart), this);
    m_portLabel->setObjectName("portLabel");
    ui->statusBar->insertWidget(1, m_portLabel, 1);
    m_noticeLabel = new QLabel(tr(kNotice), this);
    m_noticeLabel->setObjectName("noticeLabel");
    ui->statusBar->insertWidget(2, m_noticeLabel, 0);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_files->mayDiscardForm())
        event->accept();
    else
        event->ignore();
}

const LinkSettings &MainWindow::linkSettings() const
{
    return m_link->settings();
}

void MainWindow::setLinkSettings(const LinkSettings &settings)
{
    m_link->setSettings(settings);
    showChecksum(settings);
}

const DocumentState &MainWindow::document() const
{
    return m_files->document();
}

FormContent MainWindow::captureForm() const
{
    return formbinding::capture(*m_form);
}

void MainWindow::applyForm(const FormContent &content)
{
    formbinding::apply(*m_form, content);
}

void MainWindow::newfile() { m_files->newFile(); }
void MainWindow::openfile() { m_files->openFile(); }
void MainWindow::save() { m_files->save(); }
void MainWindow::openGivenFile(const QString &path) { m_files->openGiven(path); }

// The slot table keeps Save As at its place, and its hidden, disabled action
// stays connected to it; there is nothing to do.
void MainWindow::saveas() {}

void MainWindow::show_port() { m_link->editPort(); }
void MainWindow::setCheck() { m_link->toggleChecksum(); }
void MainWindow::setAckChar() { m_link->editAckChar(); }
void MainWindow::setSeparators() { m_link->editSeparators(); }
void MainWindow::setUploadCommand() { m_link->editUploadCommand(); }
void MainWindow::setChks8() { m_link->chooseSum(Checksum::Kind::Sum8); }
void MainWindow::setChks16() { m_link->chooseSum(Checksum::Kind::Sum16); }
void MainWindow::setChks24() { m_link->chooseSum(Checksum::Kind::Sum24); }
void MainWindow::setChks32() { m_link->chooseSum(Checksum::Kind::Sum32); }

// The action group checked Fix as the dialog opened, and the mark stays there
// whatever the dialog stores: an empty field stores 0 (the 8-bit sum), and a
// cancelled dialog keeps the kind in force.
void MainWindow::setFixChar() { m_link->editFixedChar(); }

void MainWindow::download() { m_transfers->download(m_link->settings()); }
// A read-out replaces the form as Megnyitás does: unsaved edits are asked about
// before the port is opened. A verify changes no field and asks nothing.
void MainWindow::readup()
{
    if (m_files->mayDiscardForm())
        m_transfers->readOut(m_link->settings());
}

void MainWindow::verify_func() { m_transfers->verify(m_link->settings()); }
void MainWindow::safeDownload() { m_transfers->safeDownload(m_link->settings()); }
void MainWindow::restoreBackup() { m_transfers->restoreBackup(m_link->settings()); }

// Help windows: a new modeless one at every call, so several may be open; closed
// ones go away instead of piling up as hidden children.
void MainWindow::nevjegy()
{
    auto *dialog = new about(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void MainWindow::contents()
{
    auto *dialog = new help(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void MainWindow::input_check() { formchecks::checkInput(this, *m_form); }
void MainWindow::smskpSelect() { formchecks::takeSmsCentre(*m_form); }
void MainWindow::printSheet() { m_sheets->print(); }
void MainWindow::exportPdf() { m_sheets->exportPdf(); }
void MainWindow::importPhones() { m_phones->importList(); }
void MainWindow::exportPhones() { m_phones->exportList(); }
