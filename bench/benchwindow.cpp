#include "benchwindow.h"

#include "gui/app/mainwindow.h"
#include "gui/files/configfiles.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace bench {

void clearFormAsStored(MainWindow &window)
{
    window.applyForm(FormContent());
    // Found by name: the window keeps its file commands to itself. Should the name
    // ever change, the read-out's question is caught by UnansweredBoxes.
    if (auto *files = window.findChild<ConfigFiles *>(QStringLiteral("configFiles")))
        files->markStored(window.captureForm());
}

UnansweredBoxes::UnansweredBoxes()
{
    setObjectName(QStringLiteral("unansweredBoxes"));
    qApp->installEventFilter(this);
}

UnansweredBoxes::~UnansweredBoxes()
{
    qApp->removeEventFilter(this);
}

bool UnansweredBoxes::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *box = qobject_cast<QMessageBox *>(watched)) {
            m_seen = true;
            std::fflush(stdout); // what was printed before comes first
            std::fprintf(stderr, "bench: a message box that no one answers: \"%s\"\n%s\n(closed as Escape closes it)\n",
                         qPrintable(box->windowTitle()), qPrintable(box->text()));
            // Once its own event loop runs. A box without an escape button ignores
            // close(); it is rejected then.
            QTimer::singleShot(0, box, [box] {
                box->close();
                if (box->isVisible())
                    box->reject();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace bench
