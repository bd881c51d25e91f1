#include "model/ObjectNames.h"

#include "model/RecordSchema.h"

QString KindLabel(ObjectTables::ObjectKind kind)
{
    return QString::fromLatin1(RecordSchema::LayoutOf(kind).name).toLower();
}

QString ObjectName(ObjectTables::ObjectKind kind, int slot)
{
    return QLatin1String(RecordSchema::LayoutOf(kind).name) + QLatin1Char(' ') +
           QString::number(ObjectTables::ObjectNumber(slot));
}

QString ObjectLabel(ObjectTables::ObjectKind kind, int slot)
{
    return KindLabel(kind) + QLatin1Char(' ') + QString::number(ObjectTables::ObjectNumber(slot));
}

QString ScreenLabel(int screen)
{
    return QStringLiteral("screen %1").arg(screen, 2, 10, QLatin1Char('0'));
}

QString PlaceLabel(int screen, ObjectTables::ObjectKind kind, int slot)
{
    return ScreenLabel(screen) + QLatin1Char(' ') + ObjectLabel(kind, slot);
}
