#include "dialogs/DialogControls.h"

#include "model/modVantile.h"

#include <QBitmap>
#include <QComboBox>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

namespace DialogControls
{

QComboBox *NewList(const char *name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    box->setMaxVisibleItems(16);
    return box;
}

QStringList PositionEntries()
{
    static const QStringList entries = [] {
        QStringList list;
        list.reserve(800);
        for (int i = 0; i < 800; ++i)
            list << QString::number(i);
        return list;
    }();
    return entries;
}

QStringList DeviceEntries(const modVantile &m)
{
    // Hex2 wraps at 256, so a damaged range word never needs more entries.
    const int last = std::min(m.GetNodeRange(), 255);
    QStringList list;
    for (int i = 0; i <= last; ++i)
        list << Hex2(m.GetNodeAddress() + 1 + i);
    return list;
}

void FillList(QComboBox *box, const QStringList &entries)
{
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(-1);
}

bool ShowEntry(QComboBox *box, int index)
{
    if (index < 0 || index >= box->count()) {
        box->setCurrentIndex(-1);
        return false;
    }
    box->setCurrentIndex(index);
    return true;
}

QPixmap KeyedPixmap(const QImage &image)
{
    QPixmap pixmap = QPixmap::fromImage(image);
    if (!pixmap.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
    return pixmap;
}

} // namespace DialogControls

void PictureLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void PictureLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

QValidator::State NoCommaValidator::validate(QString &input, int &pos) const
{
    const int before = int(input.left(pos).count(QLatin1Char(',')));
    if (before > 0 || input.contains(QLatin1Char(','))) {
        input.remove(QLatin1Char(','));
        pos -= before;
    }
    return Acceptable;
}
