#pragma once

#include <QString>

// Opening a disk through udisks2 when the user has no rights on its device
// node: the system service opens it on our behalf once polkit allows it
// (which may ask the user for a password) and hands over the descriptor.
//
// The system bus is used unless QUELLIX_UDISKS_BUS names another bus address.
namespace Udisks
{

// A descriptor of our own (close-on-exec), or -1 with *error set to what the
// service or the bus said.
int OpenDevice(const QString &device, bool write, bool exclusive, QString *error);

} // namespace Udisks
