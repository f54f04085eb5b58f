#include "modaldriver.h"

#include "gui/transfer/dload.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <utility>

ModalDriver::ModalDriver(int pollMs)
{
    m_clock.start();
    qApp->installEventFilter(this);
    connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
    m_timer.start(pollMs);
}

ModalDriver::~ModalDriver()
{
    qApp->removeEventFilter(this);
}

ModalDriver &ModalDriver::then(Step step, std::function<bool()> ready)
{
    m_steps.append({nullptr, std::move(step), std::move(ready)});
    return *this;
}

ModalDriver &ModalDriver::press(QMessageBox::StandardButton button)
{
    return then([this, button](QWidget *window) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (!box || !box->button(button))
            return rejectUnexpected(window);
        box->button(button)->click();
    });
}

ModalDriver &ModalDriver::chooseFile(const QString &path, std::function<bool()> ready)
{
    return then(
        [this, path](QWidget *window) {
            auto *dialog = qobject_cast<QFileDialog *>(window);
            if (!dialog)
                return rejectUnexpected(window);
            // selectFile() leaves the name field alone while it has the focus.
            dialog->selectFile(path);
            if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                edit->setText(path);
            static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
        },
        std::move(ready));
}

ModalDriver &ModalDriver::cancel()
{
    return then([](QWidget *window) {
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
    });
}

QStringList ModalDriver::seen() const
{
    QStringList lines;
    for (const Shown &s : shown)
        lines << s.line();
    return lines;
}

bool ModalDriver::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    if (!window->isWindow() || m_seen.contains(window))
        return false;
    if (auto *progress = qobject_cast<QProgressDialog *>(window))
        m_progressDialog = progress;
    else if (window->isModal() && qobject_cast<QDialog *>(window) && !qobject_cast<dload *>(window))
        opened(window);
    return false;
}

// Recorded when it shows; answered from the event loop it runs, so that a window
// opened while another is still up (a nested run) gets its own answer.
void ModalDriver::opened(QWidget *window)
{
    m_seen.append(window);
    Shown s{window->windowTitle(), QString(), QMessageBox::NoIcon, m_clock.elapsed(), window};
    if (auto *box = qobject_cast<QMessageBox *>(window)) {
        s.text = box->text();
        s.icon = box->icon();
    } else if (auto *files = qobject_cast<QFileDialog *>(window)) {
        s.text = files->nameFilters().join(QLatin1Char(';'));
    }
    shown.append(s);
    QTimer::singleShot(0, this, [this, guard = QPointer<QWidget>(window)] { answer(guard); });
}

void ModalDriver::answer(QPointer<QWidget> window)
{
    if (!window || !window->isVisible())
        return;
    if (whileOpen) {
        // A copy: whileOpen may open further windows, which are added to `shown`.
        const auto it = std::find_if(shown.cbegin(), shown.cend(), [&](const Shown &s) { return s.window == window; });
        if (it != shown.cend())
            whileOpen(Shown(*it));
        if (!window || !window->isVisible())
            return;
    }
    if (m_steps.isEmpty())
        return answerByDefault(window);
    Waiting next = m_steps.takeFirst();
    if (next.ready && !next.ready()) {
        next.window = window;
        m_waiting = next;
        return;
    }
    next.step(window);
}

void ModalDriver::answerByDefault(QWidget *window)
{
    auto *box = qobject_cast<QMessageBox *>(window);
    if (box && box->button(QMessageBox::Ok))
        box->button(QMessageBox::Ok)->click();
    else
        rejectUnexpected(window);
}

void ModalDriver::rejectUnexpected(QWidget *window)
{
    unexpected << QString::fromLatin1(window->metaObject()->className()) + QLatin1Char('|') + window->windowTitle();
    if (auto *dialog = qobject_cast<QDialog *>(window))
        dialog->reject();
}

void ModalDriver::poll()
{
    if (m_waiting.step && (!m_waiting.window || m_waiting.ready())) {
        const Waiting waiting = std::exchange(m_waiting, Waiting());
        if (waiting.window)
            waiting.step(waiting.window);
    }
    if (auto *download = qobject_cast<dload *>(QApplication::activeModalWidget()))
        pollDownload(download);
    else if (m_progressDialog && m_progressDialog->isVisible())
        pollProgress(m_progressDialog);
    else
        m_sinceLastPoll.invalidate();
}

// The download's dialog: the outcome replaces its Cancel button with OK.
void ModalDriver::pollDownload(dload *dialog)
{
    const auto *bar = dialog->findChild<QProgressBar *>(QStringLiteral("progressBar"));
    const auto *status = dialog->findChild<QLabel *>(QStringLiteral("kiiras"));
    auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    if (!bar || !status || !buttons)
        return abandon(dialog, "the download dialog lacks progressBar, kiiras or buttonBox");
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    progress = {true, m_clock.elapsed(), bar->value(), bar->maximum(), status->text(), QString(), ok != nullptr};
    if (progress.outcome && m_outcomeShown != dialog) {
        m_outcomeShown = dialog;
        shown.append({dialog->windowTitle(), status->text(), QMessageBox::NoIcon, progress.ms, dialog});
        if (whileOpen)
            whileOpen(Shown(shown.last()));
        if (confirmOutcome) {
            ok->click();
            return;
        }
    }
    if (wantsCancel())
        QTest::keyClick(dialog, Qt::Key_Escape);
}

// The read-out's or the verify's progress dialog, held by the command's own loop.
void ModalDriver::pollProgress(QProgressDialog *dialog)
{
    if (m_sinceLastPoll.isValid())
        longestPauseMs = qMax(longestPauseMs, m_sinceLastPoll.elapsed());
    m_sinceLastPoll.start();
    auto *cancel = dialog->findChild<QPushButton *>();
    progress = {false, m_clock.elapsed(), dialog->value(), dialog->maximum(), dialog->labelText(),
                cancel ? cancel->text() : QString(), false};
    if (cancel && wantsCancel())
        cancel->click();
}

void ModalDriver::abandon(QWidget *window, const char *what)
{
    if (auto *dialog = qobject_cast<QDialog *>(window))
        dialog->reject();
    QTest::qFail(what, __FILE__, __LINE__);
}

bool ModalDriver::wantsCancel()
{
    if (cancelled || !cancelWhen || !cancelWhen(progress))
        return false;
    cancelled = true;
    cancelledAtMs = m_clock.elapsed();
    return true;
}
