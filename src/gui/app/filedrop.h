#pragma once

#include <QObject>

class QMimeData;
class QWidget;

// Takes a configuration file dropped anywhere on the window, its fields included.
// Only one local .k83 file is taken, and only while no dialog is open. Every other
// drag of files or links is refused everywhere on the window: a text field would
// otherwise take the dragged name as its text, and so into the configuration.
// Text dragged without a file stays the fields' own, as it always was.
class FileDrop : public QObject
{
    Q_OBJECT

public:
    // Watches the widgets of `window` for as long as this object lives.
    explicit FileDrop(QWidget *window);

    // The one local .k83 file that the dragged data names, or an empty text.
    static QString configFile(const QMimeData *data);

signals:
    // Emitted once the drop is over, so the drag source is not held while the
    // file is loaded and its message boxes wait.
    void dropped(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};
