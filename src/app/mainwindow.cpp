#include "mainwindow.h"
#include "mainwindowui.h"

#include "formbinding.h"
#include "formui.h"
#include "shortcutpriority.h"
#include "files/unsavedchanges.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

namespace {

const char *const kNotice = "Copyright © 2011-2026 RZM-417 fejlesztők";

QIcon resourceIcon(const char *file)
{
    QIcon icon;
    icon.addPixmap(QPixmap(QStringLiteral(":/img/img/") + QLatin1String(file)), QIcon::Normal, QIcon::Off);
    return icon;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new MainWindowUi)
{
    ui->setupUi(this);

    switch (m_settings.checkSize) {
    case 0: ui->action8bit_sum->setChecked(true); break;
    case 1: ui->action16bit_sum->setChecked(true); break;
    case 2: ui->action24bit_sum->setChecked(true); break;
    case 3: ui->action32bit_sum->setChecked(true); break;
    default: ui->actionFix->setChecked(true); break;
    }

    setWindowIcon(resourceIcon("icon_download.png"));
    ui->actionNew->setIcon(resourceIcon("page_icon.png"));
    ui->actionOpen->setIcon(resourceIcon("open.png"));
    ui->actionSave->setIcon(resourceIcon("save.png"));
    ui->actionSaveAs->setIcon(resourceIcon("save.png"));
    ui->actionExit->setIcon(resourceIcon("exit_icon.png"));
    ui->actionAbout->setIcon(resourceIcon("info_icon.png"));
    ui->actionReadup->setIcon(resourceIcon("up.png"));
    ui->actionDownload->setIcon(resourceIcon("down.png"));

    auto *checksumKinds = new QActionGroup(this);
    checksumKinds->setObjectName("checksumKinds");
    for (QAction *a : {ui->action8bit_sum, ui->action16bit_sum, ui->action24bit_sum, ui->action32bit_sum, ui->actionFix})
        checksumKinds->addAction(a);

    if (ui->menuCHKS->isEnabled())
        ui->menuCHKS->setEnabled(m_settings.checkValue != 0);

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

    for (QLineEdit *edit : ui->centralWidget->findChildren<QLineEdit *>())
        connect(edit, &QLineEdit::editingFinished, this, &MainWindow::input_check);
    connect(ui->form->smskp_combo, &QComboBox::currentIndexChanged, this, &MainWindow::smskpSelect);

    m_fileLabel = new QLabel(tr("No file"), this);
    m_fileLabel->setObjectName("fileLabel");
    ui->statusBar->insertWidget(0, m_fileLabel, 1);
    m_portLabel = new QLabel(portLabelText(QStringLiteral("%1  Baud: %2")), this);
    m_portLabel->setObjectName("portLabel");
    ui->statusBar->insertWidget(1, m_portLabel, 1);
    m_noticeLabel = new QLabel(tr(kNotice), this);
    m_noticeLabel->setObjectName("noticeLabel");
    ui->statusBar->insertWidget(2, m_noticeLabel, 0);

    new ShortcutPriority(this);
    m_unsaved = new UnsavedChanges(this, ui->centralWidget);
}

MainWindow::~MainWindow()
{
    // Tearing the window down moves the focus out of the current field, which
    // would start an input check on a half-destroyed form.
    for (QLineEdit *edit : ui->centralWidget->findChildren<QLineEdit *>())
        disconnect(edit, nullptr, this, nullptr);
    delete ui;
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (mayDiscardForm())
        event->accept();
    else
        event->ignore();
}

void MainWindow::setLinkSettings(const LinkSettings &settings)
{
    m_settings = settings;
}

FormContent MainWindow::captureForm() const
{
    return formbinding::capture(ui->centralWidget);
}

void MainWindow::applyForm(const FormContent &content)
{
    formbinding::apply(ui->centralWidget, content);
}

QString MainWindow::portLabelText(const QString &pattern) const
{
    return pattern.arg(m_settings.port).arg(m_settings.baudRate);
}

void MainWindow::showFileName()
{
    m_fileLabel->setText(m_settings.fileName);
}
