#pragma once

#include "core/sheets/segmentlist.h"

#include <QAccessibleWidget>
#include <QCoreApplication>

#include <vector>

class SheetWidget;

// What a screen reader finds on a sheet: the sheet by its name and its
// description (how to draw; after a Check the counts and the named mistake),
// and one child per stroke the sheet shows, in slot order, named by its ends
// as the player finds them: "from column 1 row 2 to column 1 row 4", columns
// counted from 1 left to right and rows from 1 top to bottom, as the keyboard
// cursor moves. Once the strokes are marked (after a Check, or during a peek)
// each name ends with the stroke's mark.
//
// A child stands for one stroke in one slot and keeps its own copy of it, so
// it stays whole while a screen reader is told it is gone. follow() brings the
// children in line with the sheet: a stroke that went is announced
// (ObjectDestroyed) and its interface deleted from Qt's cache at once, a new
// one is announced (ObjectCreated), and a child whose mark changed says so
// (NameChanged). A child is never reused for another stroke: a new stroke is
// always a new child, and a child that stays keeps its id, so a reader keeps
// its place among the strokes.
class SheetAccessible : public QAccessibleWidget {
    Q_DECLARE_TR_FUNCTIONS(SheetAccessible)
public:
    explicit SheetAccessible(SheetWidget *sheet);
    ~SheetAccessible() override;
    SheetAccessible(const SheetAccessible &) = delete;
    SheetAccessible &operator=(const SheetAccessible &) = delete;

    // Called by the sheet whenever its strokes or marks may have changed; does
    // nothing while no screen reader listens.
    static void Follow(SheetWidget *sheet);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    // None once the sheet is going.
    SheetWidget *sheet() const;
    // A stroke's name, with the mark of its pieces when the sheet shows them.
    static QString StrokeName(const SheetWidget &sheet, int slot, const Stroke &stroke);

private:
    struct Child {
        int slot = 0;
        Stroke stroke;
        QAccessible::Id id = 0;
        QString name;  // as last told
    };
    void follow(bool tell) const;

    // Asking for the children brings them in line first, so a reader never
    // walks a stale list, even one built while nobody listened.
    mutable std::vector<Child> m_children;
};
