#include "dialogs/DialogControls.h"

#include "model/ObjectFields.h"
#include "model/modVantile.h"

#include <QBitmap>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QRegularExpressionValidator>

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

QComboBox *NumberList(QComboBox *box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    QLineEdit *edit = box->lineEdit();
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), edit));
    // Runs after the list's own Enter handling, which already chose an exact entry.
    QObject::connect(edit, &QLineEdit::editingFinished, box, [box] {
        bool ok = false;
        const int value = box->lineEdit()->text().toInt(&ok);
        if (ok && value >= 0 && value < box->count()) {
            if (value != box->currentIndex()) {
                box->setCurrentIndex(value);
                emit box->activated(value);
            }
            box->setEditText(box->itemText(value));
        } else {
            box->setEditText(box->currentIndex() >= 0 ? box->itemText(box->currentIndex()) : QString());
        }
    });
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
    return ObjectFields::Entries(m, ObjectFields::Kind::Button, ObjectFields::Id::Device);
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
