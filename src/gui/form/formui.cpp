#include "formui.h"

#include "columnheader.h"
#include "core/coretexts.h"
#include "core/formschema.h"
#include "core/formtexts.h"
#include "core/smscentre.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include <array>
#include <cmath>

namespace {

// The form's labels, hints, headers and operator names are the core's texts.
QString tr(const char *text)
{
    return CoreTexts::tr(text);
}

// Position of the 16 named fields, in enumeration order; their texts are formtexts::NamedRows.
struct NamedRow
{
    int x, y, w, h;
};

constexpr NamedRow kNamedRows[formschema::MandatoryCount] = {
    {159, 10, 91, 20},
    {130, 35, 35, 20},
    {130, 60, 35, 20},
    {130, 85, 120, 20},
    {130, 110, 15, 21},
    {130, 135, 120, 20},
    {130, 160, 120, 20},
    {130, 185, 35, 20},
    {540, 10, 120, 20},
    {540, 35, 120, 20},
    {540, 60, 120, 20},
    {540, 85, 120, 20},
    {540, 110, 120, 20},
    {540, 135, 120, 20},
    {540, 160, 120, 20},
    {540, 185, 120, 20},
};

const char *const kHintStyle = "color: rgb(170, 0, 0);";

// The telephone grid: four blocks side by side, each row of a block one slot.
constexpr int kBlockWidth = 260;
constexpr int kFirstRowY = 255;
constexpr int kRowHeight = 25;

// x of the box columns 1 to 4 in a block.
constexpr int kColumnX[5] = {0, 10, 30, 70, 90};

int rowY(int row) // row 1..16
{
    return kFirstRowY + kRowHeight * (row - 1);
}

// Where text field `index` stands: the named rows, the reserved fields below the
// visible frame, the telephone grid.
QRect fieldRect(int index)
{
    if (index < formschema::MandatoryCount) {
        const NamedRow &row = kNamedRows[index];
        return {row.x, row.y, row.w, row.h};
    }
    if (index < formschema::HeaderCount)
        return {10, 840 + 20 * (index - formschema::MandatoryCount), 120, 20};
    const auto place = formschema::placeOfSlot(index - formschema::HeaderCount + 1);
    return {120 + kBlockWidth * (place.block - 1), rowY(place.row), 105, 20};
}

// The form sits on a fixed pixel grid, so its texts get pixel-sized, slightly narrowed
// fonts: the longest row label ("1-es bemenet bekapcsoláskor:") must fit the 146 pixels
// between the right column's labels and fields, "SMS központ:" the 70 pixels left of the
// combo box, and each word of a check-box header its 41-pixel-wide label.
QFont narrowFont(QFont font, int pixels)
{
    font.setPixelSize(pixels);
    font.setStretch(82);
    return font;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &geometry, const QFont &font)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    return label;
}

} // namespace

QLineEdit *FormUi::addField(int index)
{
    const auto &field = formschema::textFields().at(index);
    auto *edit = new QLineEdit(m_frame);
    edit->setObjectName(field.name);
    edit->setGeometry(fieldRect(index));
    edit->setMaxLength(field.maxLength);
    // The modified flag stands for "typed into since the edit last finished", which
    // formchecks::finishEdit() asks before a command reads the form.
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit] { edit->setModified(false); });
    QObject::connect(edit, &QLineEdit::editingFinished, &m_edits, &FormEdits::finished);
    Q_ASSERT(m_fields.size() == index);
    m_fields.append(edit);
    return edit;
}

// Named fields 0..15, each with its label on the left and its hint on the right.
void FormUi::addNamedRows(const QFont &font)
{
    const QFont courier(QStringLiteral("Courier"));
    for (int i = 0; i < formschema::MandatoryCount; ++i) {
        const NamedRow &row = kNamedRows[i];
        const QString name = formschema::textFields().at(i).name;
        const bool left = row.x < 390;
        const int labelX = left ? 10 : 390;
        const int hintX = left ? 260 : 670;
        m_rowLabels.append(makeLabel(m_frame, QStringLiteral("l_%1").arg(name),
                                     QRect(labelX, row.y, (left ? 130 : 540) - labelX - 4, 20), font));
        QLineEdit *edit = addField(i);
        edit->setFont(courier);
        if (i == 0)
            edit->setEnabled(false);
        if (i == 15)
            edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        auto *hint = makeLabel(m_frame, QStringLiteral("h_%1").arg(name), QRect(hintX, row.y, left ? 125 : 108, 20), font);
        hint->setStyleSheet(kHintStyle);
        m_hints.append(hint);
    }
}

// Column headers of the four blocks; a box column's header stands at its first
// column, with a mark over each of its two columns.
void FormUi::addHeaders(const QFont &textFont, const QFont &headerFont)
{
    const auto boxHeader = [&](const QString &name, int column, int dx, const char *style) {
        auto *header = new ColumnHeader(2, kColumnX[column + 1] - kColumnX[column], m_frame);
        header->setObjectName(name);
        header->setGeometry(kColumnX[column] + dx, 210, 41, 41);
        header->setFont(headerFont);
        header->setStyleSheet(style);
        return header;
    };
    for (int block = 1; block <= formschema::BlockCount; ++block) {
        const int dx = kBlockWidth * (block - 1);
        m_headers << boxHeader(QStringLiteral("l_alarm_%1").arg(block), 1, dx, "color: rgb(0, 85, 0);")
                  << boxHeader(QStringLiteral("l_control_%1").arg(block), 3, dx, "color: rgb(0, 0, 127);")
                  << makeLabel(m_frame, QStringLiteral("l_phone_%1").arg(block), QRect(140 + dx, 230, 71, 16), textFont);
    }
}

QSize FormUi::size() const
{
    return m_frame->size();
}

// At a fractional scale (Windows' 125 %), a widget is drawn from its left edge
// rounded to a device pixel, and cut at its right edge rounded on its own: the
// right border of a field can fall just past the cut (a 35 pixel wide field at x =
// 130 loses it). Such a field is one pixel wider at that scale, so its border shows.
// The form stands at the window's left edge.
void FormUi::keepRightBorders(qreal ratio)
{
    for (int i = 0; i < m_fields.size(); ++i) {
        const QRect place = fieldRect(i);
        const qreal left = place.x() * ratio;
        // The last device pixel of the border, and the last one the cut keeps.
        const int drawn = int(std::ceil(std::round(left) + place.width() * ratio - 0.5)) - 1;
        const int kept = int(std::round(left + place.width() * ratio)) - 1;
        m_fields[i]->resize(place.width() + (drawn > kept ? 1 : 0), place.height());
    }
}

void FormUi::setupUi(QWidget *centralWidget)
{
    m_frame = new QFrame(centralWidget);
    m_frame->setObjectName("Frame");
    m_frame->setGeometry(0, 0, 1010, 655);
    m_frame->setFrameShape(QFrame::NoFrame);
    m_frame->setFrameShadow(QFrame::Plain);
    m_frame->setLineWidth(0);

    const QFont textFont = narrowFont(m_frame->font(), 11);
    addNamedRows(textFont);

    m_smskpCombo = new QComboBox(m_frame);
    m_smskpCombo->setObjectName("smskp_combo");
    m_smskpCombo->setGeometry(80, 10, 71, 22);
    QFont comboFont = textFont;
    comboFont.setWeight(QFont::Normal);
    m_smskpCombo->setFont(comboFont);
    for (int i = 0; i <= smscentre::CustomIndex; ++i)
        m_smskpCombo->addItem(QString());

    // Reserved fields 16..27: below the visible frame, but part of every enumeration.
    // They take no focus, so no Tab stop and no keystroke reaches a field nobody sees;
    // files and transfers still carry them.
    for (int i = formschema::MandatoryCount; i < formschema::HeaderCount; ++i) {
        addField(i)->setFocusPolicy(Qt::NoFocus);
    }

    addHeaders(textFont, narrowFont(m_frame->font(), 10));

    // Telephone fields 28..91, block by block, row by row.
    const QFont courier(QStringLiteral("Courier"));
    for (int i = formschema::HeaderCount; i < formschema::TextCount; ++i)
        addField(i)->setFont(courier);

    // The 256 rights boxes in their fixed creation order.
    for (const auto &box : formschema::boxes()) {
        auto *check = new QCheckBox(m_frame);
        check->setObjectName(box.name);
        check->setGeometry(kColumnX[box.column] + kBlockWidth * (box.block - 1), rowY(box.row), 16, 18);
        m_boxes.append(check);
    }

    // The picture of the module.
    makeLabel(m_frame, QStringLiteral("label"), QRect(780, 1, 221, 211), textFont)
        ->setPixmap(QPixmap(QStringLiteral(":/img/img/Rzm_417 220x200 copy.png")));
    chainTabs();
    retranslateUi();
}

// Tab follows the screen, not the creation order that files rely on: the SMS-centre
// combo, the left column, the right column, then the telephone slots 1 to 64, each
// slot's four boxes left to right and then its number.
void FormUi::chainTabs()
{
    QList<QWidget *> chain{m_smskpCombo};
    for (int i = 0; i < formschema::MandatoryCount; ++i)
        chain.append(m_fields[i]);
    // Each slot's boxes by column, 1 to 4.
    QList<std::array<QCheckBox *, 5>> slotBoxes(formschema::PhoneCount + 1);
    const auto &boxes = formschema::boxes();
    for (int k = 0; k < boxes.size(); ++k)
        slotBoxes[formschema::phoneSlot(boxes[k].block, boxes[k].row)][boxes[k].column] = m_boxes[k];
    for (int slot = 1; slot <= formschema::PhoneCount; ++slot) {
        for (int column = 1; column <= 4; ++column)
            chain.append(slotBoxes[slot][column]);
        chain.append(m_fields[formschema::HeaderCount + slot - 1]);
    }
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void FormUi::retranslateUi()
{
    for (int i = 0; i < formschema::MandatoryCount; ++i) {
        m_rowLabels[i]->setText(tr(formtexts::NamedRows[i].label));
        m_hints[i]->setText(tr(formtexts::NamedRows[i].hint));
    }
    smskp()->setText(smscentre::number(0));
    for (int i = 0; i <= smscentre::CustomIndex; ++i)
        m_smskpCombo->setItemText(i, tr(smscentre::operatorNameSource(i)));
    for (int h = 0; h < m_headers.size(); h += 3) {
        m_headers[h]->setText(tr(formtexts::AlarmHeader));
        m_headers[h + 1]->setText(tr(formtexts::ControlHeader));
        m_headers[h + 2]->setText(tr(formtexts::PhoneHeader));
    }
    const auto &boxes = formschema::boxes();
    for (int k = 0; k < boxes.size(); ++k)
        m_boxes[k]->setProperty("group", boxes[k].group);
}
