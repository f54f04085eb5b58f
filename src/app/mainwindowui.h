#pragma once

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QStatusBar;
class QWidget;
class FormUi;

// Builds the main window in one step (actions, form, menus, status bar) and
// sets its texts in a separate step, the way a generated interface does.
class MainWindowUi
{
public:
    MainWindowUi();
    ~MainWindowUi();
    MainWindowUi(const MainWindowUi &) = delete;
    MainWindowUi &operator=(const MainWindowUi &) = delete;

    void setupUi(QMainWindow *window);
    void retranslateUi(QMainWindow *window);

    QAction *actionNew = nullptr;
    QAction *actionOpen = nullptr;
    QAction *actionSave = nullptr;
    QAction *actionExit = nullptr;
    QAction *actionPort = nullptr;
    QAction *actionBaudrate = nullptr;
    QAction *action8bit_sum = nullptr;
    QAction *action16bit_sum = nullptr;
    QAction *actionContent = nullptr;
    QAction *actionAbout = nullptr;
    QAction *actionReadup = nullptr;
    QAction *actionDownload = nullptr;
    QAction *action24bit_sum = nullptr;
    QAction *action32bit_sum = nullptr;
    QAction *actionFix = nullptr;
    QAction *actionACK = nullptr;
    QAction *actionSaveAs = nullptr;
    QAction *actionCheck = nullptr;
    QAction *actionSeparators = nullptr;
    QAction *actionUC = nullptr;
    QAction *actionVerify = nullptr;
    QAction *actionContents = nullptr;

    QWidget *centralWidget = nullptr;
    FormUi *form = nullptr;
    QMenuBar *menuBar = nullptr;
    QMenu *menuFile = nullptr;
    QMenu *menuSettings = nullptr;
    QMenu *menuCHKS = nullptr;
    QMenu *menuDevice = nullptr;
    QMenu *menuHelp = nullptr;
    QStatusBar *statusBar = nullptr;
};
