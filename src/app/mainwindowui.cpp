#include "mainwindowui.h"

#include "formui.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {

QAction *makeAction(QMainWindow *window, const char *name)
{
    auto *action = new QAction(window);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

} // namespace

MainWindowUi::MainWindowUi() = default;

MainWindowUi::~MainWindowUi()
{
    delete form;
}

void MainWindowUi::setupUi(QMainWindow *window)
{
    window->setObjectName("MainWindow");
    window->setFixedSize(1010, 690);

    QPalette palette;
    const QColor text(0, 111, 0);
    const QColor disabled(118, 116, 108);
    palette.setBrush(QPalette::Active, QPalette::Text, text);
    palette.setBrush(QPalette::Inactive, QPalette::Text, text);
    palette.setBrush(QPalette::Disabled, QPalette::Text, disabled);
    window->setPalette(palette);

    actionNew = makeAction(window, "actionNew");
    actionNew->setEnabled(false);
    actionNew->setVisible(false);
    actionOpen = makeAction(window, "actionOpen");
    actionSave = makeAction(window, "actionSave");
    actionExit = makeAction(window, "actionExit");
    actionPort = makeAction(window, "actionPort");
    actionBaudrate = makeAction(window, "actionBaudrate");
    action8bit_sum = makeAction(window, "action8bit_sum");
    action8bit_sum->setCheckable(true);
    action16bit_sum = makeAction(window, "action16bit_sum");
    action16bit_sum->setCheckable(true);
    actionContent = makeAction(window, "actionContent");
    actionAbout = makeAction(window, "actionAbout");
    actionReadup = makeAction(window, "actionReadup");
    actionDownload = makeAction(window, "actionDownload");
    action24bit_sum = makeAction(window, "action24bit_sum");
    action24bit_sum->setCheckable(true);
    action32bit_sum = makeAction(window, "action32bit_sum");
    action32bit_sum->setCheckable(true);
    actionFix = makeAction(window, "actionFix");
    actionFix->setCheckable(true);
    actionACK = makeAction(window, "actionACK");
    actionACK->setEnabled(false);
    actionSaveAs = makeAction(window, "actionSaveAs");
    actionSaveAs->setEnabled(false);
    actionSaveAs->setVisible(false);
    actionCheck = makeAction(window, "actionCheck");
    actionCheck->setCheckable(true);
    actionCheck->setChecked(false);
    actionCheck->setEnabled(false);
    actionSeparators = makeAction(window, "actionSeparators");
    actionSeparators->setEnabled(false);
    actionUC = makeAction(window, "actionUC");
    actionUC->setEnabled(false);
    actionVerify = makeAction(window, "actionVerify");
    actionContents = makeAction(window, "actionContents");

    centralWidget = new QWidget(window);
    centralWidget->setObjectName("centralWidget");
    form = new FormUi;
    form->setupUi(centralWidget);
    window->setCentralWidget(centralWidget);

    menuBar = new QMenuBar(window);
    menuBar->setObjectName("menuBar");
    menuBar->setGeometry(0, 0, 1010, 21);
    menuFile = new QMenu(menuBar);
    menuFile->setObjectName("menuFile");
    menuSettings = new QMenu(menuBar);
    menuSettings->setObjectName("menuSettings");
    menuCHKS = new QMenu(menuSettings);
    menuCHKS->setObjectName("menuCHKS");
    menuCHKS->setEnabled(false);
    menuDevice = new QMenu(menuBar);
    menuDevice->setObjectName("menuDevice");
    menuHelp = new QMenu(menuBar);
    menuHelp->setObjectName("menuHelp");
    window->setMenuBar(menuBar);

    statusBar = new QStatusBar(window);
    statusBar->setObjectName("statusBar");
    window->setStatusBar(statusBar);

    menuBar->addAction(menuFile->menuAction());
    menuBar->addAction(menuSettings->menuAction());
    menuBar->addAction(menuDevice->menuAction());
    menuBar->addAction(menuHelp->menuAction());
    menuFile->addAction(actionNew);
    menuFile->addAction(actionOpen);
    menuFile->addAction(actionSave);
    menuFile->addAction(actionSaveAs);
    menuFile->addSeparator();
    menuFile->addAction(actionExit);
    menuSettings->addAction(actionPort);
    menuSettings->addAction(actionCheck);
    menuSettings->addAction(menuCHKS->menuAction());
    menuSettings->addAction(actionACK);
    menuSettings->addSeparator();
    menuSettings->addAction(actionSeparators);
    menuSettings->addAction(actionUC);
    menuCHKS->addAction(action8bit_sum);
    menuCHKS->addAction(action16bit_sum);
    menuCHKS->addAction(action24bit_sum);
    menuCHKS->addAction(action32bit_sum);
    menuCHKS->addSeparator();
    menuCHKS->addAction(actionFix);
    menuDevice->addAction(actionReadup);
    menuDevice->addSeparator();
    menuDevice->addAction(actionDownload);
    menuDevice->addAction(actionVerify);
    menuHelp->addAction(actionAbout);
    menuHelp->addAction(actionContents);

    retranslateUi(window);
}

void MainWindowUi::retranslateUi(QMainWindow *window)
{
    // "[*]" is where the title shows the modified mark while edits are unsaved.
    window->setWindowTitle(tr("RZM-417 letöltő szoftver") + QStringLiteral("[*]"));
    const struct { QAction *action; const char *text; const char *shortcut; } texts[] = {
        {actionNew, "New", "Ctrl+N"},
        {actionOpen, "Megnyitás", "Ctrl+O"},
        {actionSave, "Mentés", "Ctrl+S"},
        {actionExit, "Exit", "Ctrl+Q"},
        {actionPort, "Port", nullptr},
        {actionBaudrate, "Baudrate", nullptr},
        {action8bit_sum, "8bit sum", nullptr},
        {action16bit_sum, "16bit sum", nullptr},
        {actionContent, "Content", nullptr},
        {actionAbout, "Névjegy", nullptr},
        {actionReadup, "Kiolvasás az eszközből", "Ctrl+R"},
        {actionDownload, "Betöltés az eszközbe", "Ctrl+D"},
        {action24bit_sum, "24bit sum", nullptr},
        {action32bit_sum, "32bit sum", nullptr},
        {actionFix, "Fix", nullptr},
        {actionACK, "ACK", nullptr},
        {actionSaveAs, "Save As", nullptr},
        {actionCheck, "Check", nullptr},
        {actionSeparators, "Separators", nullptr},
        {actionUC, "Upload Command", nullptr},
        {actionVerify, "Betöltés ellenőrzése", "Ctrl+E"},
        {actionContents, "Tartalom", "F1"},
    };
    for (const auto &t : texts) {
        t.action->setText(tr(t.text));
        if (t.shortcut)
            t.action->setShortcut(QKeySequence(tr(t.shortcut)));
    }
    form->retranslateUi();
    menuFile->setTitle(tr("File"));
    menuSettings->setTitle(tr("Beállítások"));
    menuCHKS->setTitle(tr("CHKS"));
    menuDevice->setTitle(tr("Eszköz"));
    menuHelp->setTitle(tr("Help"));
}
