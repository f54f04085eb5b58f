#pragma once

// What the benches that drive the window share.
#include <QObject>

class MainWindow;

namespace bench {

// Empties the form and counts the empty form as stored, as if it had just been
// opened from a file: a read-out then finds no unsaved edits to ask about, and
// the bench times the read-out alone.
void clearFormAsStored(MainWindow &window);

// A bench answers no message box, so one that opens (the unsaved-edits question,
// a transfer's failure) would wait for ever. While this guard lives, such a box
// is named on stderr and closed as Escape closes it (a question so gets Cancel),
// and the run counts as failed.
class UnansweredBoxes : public QObject
{
    Q_OBJECT

public:
    UnansweredBoxes();
    ~UnansweredBoxes() override;

    bool seen() const { return m_seen; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_seen = false;
};

} // namespace bench
