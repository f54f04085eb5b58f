#include "filedrop.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

FileDrop::FileDrop(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("fileDrop"));
    window->setAcceptDrops(true);
    // A drag goes to the widget under the pointer, also one created later, so the
    // filter sits on the application and looks only at this window's widgets.
    qApp->installEventFilter(this);
}

QString FileDrop::configFile(const QMimeData *data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    return QFileInfo(path).suffix().compare(u"k83", Qt::CaseInsensitive) == 0 ? path : QString();
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) || !watched->isWidgetType()
        || static_cast<QWidget *>(watched)->window() != m_window)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    // Text dragged from field to field stays the fields' own.
    if (!drop->mimeData() || !drop->mimeData()->hasUrls())
        return false;
    // Any other file is refused, not taken by a text field as its name; and while
    // a dialog or a transfer's progress is open, the form is not to change.
    const QString path = configFile(drop->mimeData());
    if (path.isEmpty() || QApplication::activeModalWidget()) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        QTimer::singleShot(0, this, [this, path] { emit dropped(path); });
    return true;
}
