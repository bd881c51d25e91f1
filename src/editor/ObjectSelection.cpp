#include "editor/ObjectSelection.h"

#include "editor/SettingsLists.h"
#include "model/ObjectNames.h"
#include "model/modVantile.h"

ObjectSelection::ObjectSelection(const modVantile &m, SettingsLists &lists, QObject *parent)
    : QObject(parent), m_(m), lists_(lists)
{
}

void ObjectSelection::Set(QList<Object> objects)
{
    objects.removeIf([](const Object &o) { return o.slot < 0 || o.slot >= ObjectTables::SlotCount(o.kind); });
    objects_ = objects;
    Refresh();
    if (!objects_.isEmpty())
        lists_.Highlight(objects_.last().kind, objects_.last().slot);
}

void ObjectSelection::Select(ObjectKind kind, int slot)
{
    if (slot >= ObjectTables::SlotCount(kind) || slot < 0)
        Set({});
    else
        Set({Object{kind, slot}});
}

void ObjectSelection::SelectNone()
{
    Set({});
    lists_.ClearHL();
}

void ObjectSelection::Toggle(ObjectKind kind, int slot)
{
    QList<Object> objects = objects_;
    if (!objects.removeAll(Object{kind, slot}))
        objects << Object{kind, slot};
    Set(objects);
}

void ObjectSelection::SelectArea(const QRect &area, bool add)
{
    QList<Object> objects = add ? objects_ : QList<Object>();
    for (int k = 0; k < ObjectTables::ObjectKindCount; ++k)
        for (int n = 0; n < ObjectTables::SlotCounts[size_t(k)]; ++n) {
            const Object object{ObjectKind(k), n};
            const QRect bounds = EditOperations::ObjectBounds(m_, m_.CurrentScreen, object.kind, n);
            if (!bounds.isEmpty() && bounds.intersects(area) && !objects.contains(object))
                objects << object;
        }
    Set(objects);
}

void ObjectSelection::Refresh()
{
    objects_.removeIf(
        [this](const Object &o) { return !EditOperations::SlotUsed(m_, m_.CurrentScreen, o.kind, o.slot); });
    emit Changed();
}

void ObjectSelection::Watch(Document::Edit &edit) const
{
    for (const Object &object : objects_)
        edit.Object(m_.CurrentScreen, object.kind, object.slot);
}

QString ObjectSelection::StepName(const QString &verb) const
{
    if (objects_.size() == 1)
        return verb + QLatin1Char(' ') + ObjectName(objects_[0].kind, objects_[0].slot);
    return QStringLiteral("%1 %2 Objects").arg(verb).arg(objects_.size());
}

QRect ObjectSelection::Bounds() const
{
    QRect area;
    for (const Object &object : objects_)
        area |= EditOperations::ObjectBounds(m_, m_.CurrentScreen, object.kind, object.slot);
    return area;
}
