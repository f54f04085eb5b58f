#pragma once

// Answers the modal windows that a slot opens, one step per window, from a timer
// the test owns. Every box seen is recorded as "title|text". A window for which
// no step is left is recorded as unexpected and rejected, so a test fails
// instead of hanging.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

class ModalScript : public QObject
{
public:
    using Step = std::function<void(QWidget *modal)>;

    ModalScript()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
        m_timer.start();
    }

    QStringList seen;
    QStringList unexpected;
    bool finished() const { return m_steps.isEmpty(); }

    // Any handling of the next window.
    ModalScript &then(Step step)
    {
        m_steps.append(std::move(step));
        return *this;
    }

    // A message box: record it and press OK.
    ModalScript &okBox() { return answerBox(QMessageBox::Ok); }

    // A message box: record it and press the given button.
    ModalScript &answerBox(QMessageBox::StandardButton button)
    {
        return then([this, button](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box || !box->button(button))
                return reject(modal);
            seen << box->windowTitle() + '|' + box->text();
            box->button(button)->click();
        });
    }

    // A file dialog: record its caption and filter, choose `path` and accept it
    // (done() skips the question whether to replace an existing file).
    ModalScript &chooseFile(const QString &path)
    {
        return then([this, path](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            if (!dialog)
                return reject(modal);
            seen << dialog->windowTitle() + '|' + dialog->nameFilters().join(';');
            // selectFile() leaves the name field alone while it has the focus.
            dialog->selectFile(path);
            if (auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit"))
                edit->setText(path);
            static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
        });
    }

    // Any dialog: record its title and press Cancel (reject).
    ModalScript &cancel()
    {
        return then([this](QWidget *modal) {
            seen << modal->windowTitle() + "|cancelled";
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
        });
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_last)
            return;
        m_last = modal;
        if (m_steps.isEmpty())
            return reject(modal);
        m_steps.takeFirst()(modal);
    }

    void reject(QWidget *modal)
    {
        unexpected << QString::fromLatin1(modal->metaObject()->className()) + '|' + modal->windowTitle();
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    }

    QList<Step> m_steps;
    QPointer<QWidget> m_last;
    QTimer m_timer;
};
