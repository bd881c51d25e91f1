#pragma once

#include "model/Document.h"
#include "model/EditOperations.h"

#include <QList>
#include <QObject>

class SettingsLists;
class modVantile;

// The objects of the current screen the user has chosen: the last one
// clicked, dragged, pasted or created, with any added by Shift+click or a
// rubber band. Its settings line is the yellow one. Edit commands and
// placement act on all of them.
class ObjectSelection : public QObject
{
    Q_OBJECT
public:
    using ObjectKind = ObjectTables::ObjectKind;
    using Object = EditOperations::ObjectRef;

    ObjectSelection(const modVantile &m, SettingsLists &lists, QObject *parent);

    // The current object, slot -1 for none.
    Object Current() const { return objects_.isEmpty() ? Object{} : objects_.last(); }
    // Every selected object, the current one last.
    QList<Object> Objects() const { return objects_; }
    bool IsEmpty() const { return objects_.isEmpty(); }
    qsizetype Size() const { return objects_.size(); }
    bool Contains(ObjectKind kind, int slot) const { return objects_.contains(Object{kind, slot}); }

    // Only these objects (out-of-range slots dropped), the current one last.
    void Set(QList<Object> objects);
    // Only this object (none when slot < 0).
    void Select(ObjectKind kind, int slot);
    // Nothing selected, no line yellow.
    void SelectNone();
    // Shift+click: in or out of the selection.
    void Toggle(ObjectKind kind, int slot);
    // The objects a rubber band over `area` (panel pixels) touches; added to
    // the selection or instead of it.
    void SelectArea(const QRect &area, bool add);
    // Nothing selected, nobody told: the screen changes and is shown anew.
    void Forget() { objects_.clear(); }
    // Objects that went out of use (deleted, undone) leave the selection.
    void Refresh();

    // Each selected record watched by `edit`.
    void Watch(Document::Edit &edit) const;
    // "Delete Button 3" for one object, "Delete 3 Objects" for several.
    QString StepName(const QString &verb) const;
    // The smallest rectangle round the selected objects, in panel pixels.
    QRect Bounds() const;

signals:
    void Changed();

private:
    const modVantile &m_;
    SettingsLists &lists_;
    QList<Object> objects_;
};
