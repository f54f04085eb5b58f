#pragma once

#include <QLabel>

// The header over a slot's check-box columns, such as "Bemenet riasztás  2     1":
// its words wrap in the label as a word-wrapped label wraps them, and its last
// words, one mark a column ("2" and "1"), stand on the line below them, each at
// its column's left edge, whatever a font makes of the blanks between them. The
// text itself stays as it is.
class ColumnHeader : public QLabel
{
public:
    // `columns` columns, the first at the label's left edge, `step` pixels apart.
    ColumnHeader(int columns, int step, QWidget *parent);

    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The words, then one mark a column: the text's last words.
    std::pair<QString, QStringList> parts() const;

    int m_columns;
    int m_step;
};
