#include "widgetdump.h"

#include "gui/app/mainwindow.h"
#include "modaldriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaEnum>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QVariant>

namespace widgetdump {

namespace {

QString quoted(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n")).replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return QLatin1Char('"') + text.replace(QLatin1Char('\t'), QLatin1String("\\t")) + QLatin1Char('"');
}

QString size(QSize s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

QString alignment(Qt::Alignment a)
{
    QStringList parts;
    const std::pair<Qt::AlignmentFlag, const char *> names[] = {
        {Qt::AlignLeft, "left"}, {Qt::AlignRight, "right"}, {Qt::AlignHCenter, "hcenter"}, {Qt::AlignJustify, "justify"},
        {Qt::AlignTop, "top"}, {Qt::AlignBottom, "bottom"}, {Qt::AlignVCenter, "vcenter"}};
    for (const auto &[flag, name] : names)
        if (a & flag)
            parts << QLatin1String(name);
    return parts.join(QLatin1Char('|'));
}

QString keys(const QKeySequence &sequence)
{
    return sequence.toString(QKeySequence::PortableText);
}

template <typename Enum>
QString enumName(Enum value)
{
    return QString::fromLatin1(QMetaEnum::fromType<Enum>().valueToKeys(int(value)));
}

// The colours this widget's own palette sets; what the style gives is left out.
QString paletteSet(const QWidget *w)
{
    // A style sheet sets colours of its own, and the style sheet is shown.
    if (!w->testAttribute(Qt::WA_SetPalette) || !w->styleSheet().isEmpty())
        return {};
    const QPalette own = w->palette();
    const std::pair<QPalette::ColorGroup, const char *> groups[] = {
        {QPalette::Active, "active"}, {QPalette::Inactive, "inactive"}, {QPalette::Disabled, "disabled"}};
    QStringList roles;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        QStringList colours;
        for (const auto &[group, name] : groups) {
            if (own.isBrushSet(group, QPalette::ColorRole(role)))
                colours << QLatin1String(name) + QLatin1Char(' ') + own.color(group, QPalette::ColorRole(role)).name();
        }
        if (!colours.isEmpty())
            roles << enumName(QPalette::ColorRole(role)) + QLatin1Char('(') + colours.join(QLatin1String(", ")) + QLatin1Char(')');
    }
    return roles.isEmpty() ? QString() : QLatin1String("palette=") + roles.join(QLatin1Char(' '));
}

// The font attributes this widget sets apart from what it would inherit.
QString fontSet(const QWidget *w)
{
    if (!w->testAttribute(Qt::WA_SetFont))
        return {};
    const QFont own = w->font();
    const QFont inherited = w->parentWidget() ? w->parentWidget()->font() : QApplication::font();
    QStringList parts;
    if (own.family() != inherited.family())
        parts << quoted(own.family());
    if (own.pixelSize() > 0 && own.pixelSize() != inherited.pixelSize())
        parts << QStringLiteral("%1px").arg(own.pixelSize());
    else if (own.pointSizeF() != inherited.pointSizeF())
        parts << QStringLiteral("%1pt").arg(own.pointSizeF());
    if (own.stretch() != inherited.stretch())
        parts << QStringLiteral("stretch %1").arg(own.stretch());
    if (own.weight() != inherited.weight())
        parts << QStringLiteral("weight %1").arg(int(own.weight()));
    if (own.italic() != inherited.italic())
        parts << QLatin1String(own.italic() ? "italic" : "upright");
    return parts.isEmpty() ? QString() : QLatin1String("font=") + parts.join(QLatin1Char(' '));
}

void addText(QStringList &a, const char *key, const QString &text)
{
    if (!text.isEmpty())
        a << QLatin1String(key) + QLatin1Char('=') + quoted(text);
}

// What every widget may carry.
void common(const QWidget *w, QStringList &a)
{
    // Where a layout places a widget, and how large it makes a window, the style's
    // metrics and the fonts decide.
    const bool laidOut = w->parentWidget() && w->parentWidget()->layout();
    if (w->isWindow()) {
        addText(a, "title", w->windowTitle());
        if (w->testAttribute(Qt::WA_SetWindowIcon))
            a << QStringLiteral("icon");
        if (w->isModal())
            a << QStringLiteral("modal");
    } else if (w->isHidden()) {
        a << QStringLiteral("hidden"); // where a layout would put it is not the user's
    } else if (!laidOut) {
        a << QStringLiteral("%1,%2 %3").arg(w->x()).arg(w->y()).arg(size(w->size()));
    }
    // Size limits that were set; a layout's own limits follow from its contents.
    const bool ownLimits = !w->layout() || w->layout()->sizeConstraint() != QLayout::SetFixedSize;
    if (ownLimits && w->minimumSize() == w->maximumSize())
        a << QLatin1String("fixed=") + size(w->minimumSize());
    else if (!w->layout() && w->minimumSize() != QSize(0, 0))
        a << QLatin1String("min=") + size(w->minimumSize());
    else if (ownLimits && w->maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX))
        a << QLatin1String("max=") + size(w->maximumSize());
    if (w->testAttribute(Qt::WA_ForceDisabled))
        a << QStringLiteral("disabled");
    for (const QString &set : {fontSet(w), paletteSet(w)})
        if (!set.isEmpty())
            a << set;
    addText(a, "style", w->styleSheet());
    addText(a, "tooltip", w->toolTip());
    addText(a, "statustip", w->statusTip());
    addText(a, "whatsthis", w->whatsThis());
    for (const QByteArray &name : w->dynamicPropertyNames())
        if (!name.startsWith("_q_"))
            a << QString::fromLatin1(name) + QLatin1Char('=') + w->property(name).toString();
}

void frame(const QFrame *f, QStringList &a)
{
    if (f->frameShape() != QFrame::NoFrame || qstrcmp(f->metaObject()->className(), "QFrame") == 0)
        a << QStringLiteral("frame=%1/%2/%3").arg(enumName(f->frameShape()), enumName(f->frameShadow())).arg(f->lineWidth());
}

void buttons(const QDialogButtonBox *box, QStringList &a)
{
    QStringList shown;
    for (QAbstractButton *b : box->buttons())
        shown << quoted(b->text()) + (b->isEnabled() ? QString() : QStringLiteral(" disabled"));
    a << QLatin1String("buttons=[") + shown.join(QLatin1String(", ")) + QLatin1Char(']');
    if (box->centerButtons())
        a << QStringLiteral("centered");
    if (box->orientation() == Qt::Vertical)
        a << QStringLiteral("vertical");
}

// What the user reads and sets in each kind of widget.
void specific(const QWidget *w, QStringList &a)
{
    if (auto *label = qobject_cast<const QLabel *>(w)) {
        addText(a, "text", label->text());
        if (!label->pixmap().isNull())
            a << QLatin1String("pixmap=") + size(label->pixmap().size());
        if (label->alignment() != (Qt::AlignLeft | Qt::AlignVCenter))
            a << QLatin1String("align=") + alignment(label->alignment());
        if (label->wordWrap())
            a << QStringLiteral("wordwrap");
        frame(label, a);
    } else if (auto *edit = qobject_cast<const QLineEdit *>(w)) {
        addText(a, "text", edit->text());
        a << QStringLiteral("maxlength=%1").arg(edit->maxLength());
        if (edit->alignment() != (Qt::AlignLeft | Qt::AlignVCenter))
            a << QLatin1String("align=") + alignment(edit->alignment());
        if (edit->isReadOnly())
            a << QStringLiteral("readonly");
        addText(a, "placeholder", edit->placeholderText());
    } else if (auto *button = qobject_cast<const QAbstractButton *>(w)) {
        addText(a, "text", button->text());
        if (!button->shortcut().isEmpty())
            a << QLatin1String("shortcut=") + keys(button->shortcut());
        if (button->isCheckable())
            a << QLatin1String(button->isChecked() ? "checked" : "unchecked");
    } else if (auto *combo = qobject_cast<const QComboBox *>(w)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << quoted(combo->itemText(i));
        a << QLatin1String("items=[") + items.join(QLatin1String(", ")) + QLatin1Char(']');
        a << QStringLiteral("current=%1").arg(combo->currentIndex());
        if (combo->isEditable())
            a << QStringLiteral("editable");
    } else if (auto *text = qobject_cast<const QPlainTextEdit *>(w)) {
        addText(a, "text", text->toPlainText());
        a << QLatin1String(text->lineWrapMode() == QPlainTextEdit::NoWrap ? "nowrap" : "wrap");
        if (text->isReadOnly())
            a << QStringLiteral("readonly");
    } else if (auto *bar = qobject_cast<const QProgressBar *>(w)) {
        a << QStringLiteral("range=%1..%2 value=%3").arg(bar->minimum()).arg(bar->maximum()).arg(bar->value());
    } else if (auto *box = qobject_cast<const QDialogButtonBox *>(w)) {
        buttons(box, a);
    } else if (auto *f = qobject_cast<const QFrame *>(w)) {
        frame(f, a);
    }
}

QString actionLine(const QAction *action)
{
    QStringList a{QStringLiteral("QAction"), action->objectName(), quoted(action->text())};
    if (!action->shortcut().isEmpty())
        a << QLatin1String("shortcut=") + keys(action->shortcut());
    if (!action->icon().isNull())
        a << QStringLiteral("icon");
    if (action->isCheckable())
        a << QLatin1String(action->isChecked() ? "checked" : "unchecked");
    if (!action->isEnabled())
        a << QStringLiteral("disabled");
    if (!action->isVisible())
        a << QStringLiteral("hidden");
    addText(a, "statustip", action->statusTip());
    return a.join(QLatin1Char(' '));
}

// A main window's own slots and properties, in meta-object order: the table
// through which every command enters.
void slotTable(const QWidget *w, QStringList &a)
{
    const QMetaObject *meta = w->metaObject();
    QStringList table;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (m.methodType() == QMetaMethod::Slot && m.access() == QMetaMethod::Public)
            table << QString::fromLatin1(m.methodSignature());
    }
    a << QLatin1String("slots=[") + table.join(QLatin1String(", ")) + QLatin1Char(']');
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        a << QLatin1String("property=") + QLatin1String(meta->property(i).name());
}

QString indent(int depth)
{
    return QString(2 * depth, QLatin1Char(' '));
}

// A menu's entries in order: actions by name, "---" for a separator, submenus nested.
void menu(const QMenu *m, int depth, QStringList &out)
{
    QStringList a{QStringLiteral("menu"), m->objectName(), quoted(m->title())};
    if (!m->isEnabled())
        a << QStringLiteral("disabled");
    if (!m->menuAction()->isVisible())
        a << QStringLiteral("hidden");
    out << indent(depth) + a.join(QLatin1Char(' '));
    for (const QAction *entry : m->actions()) {
        if (entry->menu())
            menu(entry->menu(), depth + 1, out);
        else
            out << indent(depth + 1) + (entry->isSeparator() ? QStringLiteral("---") : entry->objectName());
    }
}

// Widgets whose children are the user's: windows, frames, plain containers.
bool holdsWidgets(const QWidget *w)
{
    const char *name = w->metaObject()->className();
    return w->isWindow() || qobject_cast<const QStatusBar *>(w) || qstrcmp(name, "QWidget") == 0
        || qstrcmp(name, "QFrame") == 0;
}

void walk(const QWidget *w, const QWidget *window, int depth, QStringList &out)
{
    QStringList a{QString::fromLatin1(w->metaObject()->className()), w->objectName().isEmpty() ? QStringLiteral("-") : w->objectName()};
    common(w, a);
    specific(w, a);
    if (qobject_cast<const QMainWindow *>(w))
        slotTable(w, a);
    out << indent(depth) + a.join(QLatin1Char(' '));
    if (auto *bar = qobject_cast<const QMenuBar *>(w)) {
        for (const QAction *entry : bar->actions())
            if (entry->menu())
                menu(entry->menu(), depth + 1, out);
    }
    if (auto *area = qobject_cast<const QScrollArea *>(w))
        walk(area->widget(), window, depth + 1, out);
    if (!holdsWidgets(w))
        return;
    for (const QObject *child : w->children()) {
        if (auto *action = qobject_cast<const QAction *>(child)) {
            out << indent(depth + 1) + actionLine(action);
        } else if (auto *group = qobject_cast<const QActionGroup *>(child)) {
            QStringList members;
            for (const QAction *member : group->actions())
                members << member->objectName();
            out << indent(depth + 1) + QStringLiteral("QActionGroup %1 [%2]")
                                           .arg(group->exclusionPolicy() == QActionGroup::ExclusionPolicy::None ? "open" : "exclusive",
                                                members.join(QLatin1String(", ")));
        } else if (auto *sub = qobject_cast<const QWidget *>(child)) {
            // Menus are shown through the menu bar; Qt's own helpers only where the user sees them.
            if (qobject_cast<const QMenu *>(sub) || sub->isWindow())
                continue;
            if (sub->objectName().isEmpty()) // Qt's own helpers (a status bar's size grip)
                continue;
            walk(sub, window, depth + 1, out);
        }
    }
}

} // namespace

QStringList dump(const QWidget *window)
{
    QStringList out;
    walk(window, window, 0, out);
    return out;
}

bool openSettingsDialogs(MainWindow &window)
{
    ModalDriver modals;
    modals.cancel().cancel().cancel().cancel().cancel();
    window.show_port();
    window.setFixChar();
    window.setAckChar();
    window.setUploadCommand();
    window.setSeparators();
    return modals.finished() && modals.unexpected.isEmpty();
}

bool DialogDumper::eventFilter(QObject *watched, QEvent *event)
{
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (event->type() == QEvent::Show && dialog && dialog->isWindow())
        lines << QString() << dump(dialog);
    return false;
}

} // namespace widgetdump
