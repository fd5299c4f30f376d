#include "ui/sheets/sheetaccessible.h"

#include "ui/sheets/sheetwidget.h"

#include <QPointer>

namespace {

// One stroke of a sheet. It looks its mark up on the sheet at every question,
// so a Check needs no new child, only a NameChanged.
class StrokeAccessible : public QAccessibleInterface {
public:
    StrokeAccessible(SheetWidget *sheet, int slot, const Stroke &stroke)
        : m_sheet(sheet), m_slot(slot), m_stroke(stroke)
    {
    }

    bool isValid() const override { return sheet(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return sheet() ? sheet()->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(sheet()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && sheet() ? SheetAccessible::StrokeName(*sheet(), m_slot, m_stroke) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !sheet() || !sheet()->isVisible();
        return s;
    }
    // The line's box on the screen, a few pixels wider so a dot has one too.
    QRect rect() const override
    {
        const SheetWidget *w = sheet();
        if (!w)
            return {};
        const QRect box = QRect(w->pixel(m_stroke.Start()), w->pixel(m_stroke.End())).normalized();
        return QRect(w->mapToGlobal(box.topLeft()), box.size()).adjusted(-3, -3, 3, 3);
    }

private:
    // None once the sheet is going: a widget being destroyed is a SheetWidget
    // no longer, and its strokes are not to be read.
    SheetWidget *sheet() const { return qobject_cast<SheetWidget *>(m_sheet.data()); }

    QPointer<SheetWidget> m_sheet;
    int m_slot;
    Stroke m_stroke;
};

void Tell(QAccessible::Id id, QAccessible::Event what)
{
    QAccessibleEvent event(QAccessible::accessibleInterface(id), what);
    QAccessible::updateAccessibility(&event);
}

} // namespace

SheetAccessible::SheetAccessible(SheetWidget *sheet) : QAccessibleWidget(sheet, QAccessible::Canvas)
{
    follow(false);
}

SheetAccessible::~SheetAccessible()
{
    for (const Child &c : m_children)
        QAccessible::deleteAccessibleInterface(c.id);
}

SheetWidget *SheetAccessible::sheet() const
{
    return qobject_cast<SheetWidget *>(widget());
}

void SheetAccessible::Follow(SheetWidget *sheet)
{
    if (!QAccessible::isActive())
        return;
    if (auto *iface = dynamic_cast<SheetAccessible *>(QAccessible::queryAccessibleInterface(sheet)))
        iface->follow(true);
}

QString SheetAccessible::StrokeName(const SheetWidget &sheet, int slot, const Stroke &s)
{
    const QString where = s.Start() == s.End()
                              ? tr("dot at column %1 row %2").arg(s.StartCol).arg(s.StartRow)
                              : tr("from column %1 row %2 to column %3 row %4")
                                    .arg(s.StartCol)
                                    .arg(s.StartRow)
                                    .arg(s.EndCol)
                                    .arg(s.EndRow);
    const SheetClassification *marks = sheet.shownClassification();
    if (!marks)
        return where;
    bool right = false;
    bool extra = false;
    for (const Piece &piece : marks->PartsOf(slot)) {
        // A right piece of a single sample shows as its extra neighbours do,
        // and is told the same way.
        if (piece.from != piece.to)
            (piece.kind == PieceKind::Right ? right : extra) = true;
    }
    if (right && extra)
        return tr("%1, partly right, partly extra").arg(where);
    if (right)
        return tr("%1, right").arg(where);
    if (extra)
        return tr("%1, extra").arg(where);
    return where;
}

int SheetAccessible::childCount() const
{
    follow(true);
    return static_cast<int>(m_children.size());
}

QAccessibleInterface *SheetAccessible::child(int index) const
{
    follow(true);
    if (index < 0 || index >= static_cast<int>(m_children.size()))
        return nullptr;
    return QAccessible::accessibleInterface(m_children[static_cast<std::size_t>(index)].id);
}

int SheetAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (std::size_t i = 0; i < m_children.size(); ++i)
        if (QAccessible::accessibleInterface(m_children[i].id) == child)
            return static_cast<int>(i);
    return -1;
}

void SheetAccessible::follow(bool tell) const
{
    const SheetWidget *w = sheet();
    if (!w)
        return;
    std::vector<Child> next;
    std::vector<QAccessible::Id> gone;
    std::vector<QAccessible::Id> born;
    std::vector<QAccessible::Id> renamed;
    // Both lists run in slot order; a slot that holds another stroke than
    // before (a new turn, the last slot of a full sheet) gets a new child.
    auto old = m_children.begin();
    for (int slot = 1; slot <= w->lastShownSlot(); ++slot) {
        const Stroke &stroke = w->strokes()[slot];
        if (stroke.IsEmpty())
            continue;
        for (; old != m_children.end() && (old->slot < slot || (old->slot == slot && old->stroke != stroke)); ++old)
            gone.push_back(old->id);
        const QString name = StrokeName(*w, slot, stroke);
        if (old != m_children.end() && old->slot == slot) {
            if (old->name != name)
                renamed.push_back(old->id);
            next.push_back({slot, stroke, old->id, name});
            ++old;
        } else {
            auto *iface = new StrokeAccessible(const_cast<SheetWidget *>(w), slot, stroke);
            next.push_back({slot, stroke, QAccessible::registerAccessibleInterface(iface), name});
            born.push_back(next.back().id);
        }
    }
    for (; old != m_children.end(); ++old)
        gone.push_back(old->id);
    if (gone.empty() && born.empty() && renamed.empty())
        return;

    // The list is whole before anybody is told, so a reader that asks back
    // while it is told finds it as it now is.
    m_children = std::move(next);
    for (QAccessible::Id id : gone) {
        if (tell)
            Tell(id, QAccessible::ObjectDestroyed);
        QAccessible::deleteAccessibleInterface(id);
    }
    if (!tell)
        return;
    for (QAccessible::Id id : born)
        Tell(id, QAccessible::ObjectCreated);
    for (QAccessible::Id id : renamed)
        Tell(id, QAccessible::NameChanged);
}
