#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>

// Records every message box in the order it appears, and answers each with OK.
// Owned by the test and destroyed with it, so it never answers another test's box.
// Answers are posted, not given from inside the Show event: a box may open while
// another is still showing (a nested run), and each must get its own answer.
class BoxCatcher : public QObject
{
public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    explicit BoxCatcher(QObject *parent = nullptr)
        : QObject(parent)
    {
        qApp->installEventFilter(this);
    }
    ~BoxCatcher() override { qApp->removeEventFilter(this); }

    // Runs while the box is open, just before OK is pressed.
    std::function<void(const Box &)> whileOpen;
    QList<Box> boxes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show && !m_seen.contains(box)) {
            m_seen.append(box);
            const Box seen{box->windowTitle(), box->text(), box->icon()};
            boxes.append(seen);
            QPointer<QMessageBox> guard(box);
            QTimer::singleShot(0, this, [this, guard, seen] {
                if (whileOpen)
                    whileOpen(seen);
                if (!guard)
                    return;
                if (QAbstractButton *ok = guard->button(QMessageBox::Ok))
                    ok->click();
                else
                    guard->reject();
            });
        }
        return false;
    }

private:
    QList<QPointer<QMessageBox>> m_seen;
};
