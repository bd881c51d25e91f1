#pragma once

#include <QLabel>
#include <QStringList>
#include <QValidator>

class QComboBox;
class QImage;
class QPixmap;
class modVantile;

// Pieces the object editors and the background selector share.
namespace DialogControls
{

// A drop-down list named as the dialog knows it. Its popup is a scrolling
// list of a few entries, not a screen-high menu: the position lists hold 800.
QComboBox *NewList(const char *name, QWidget *parent);
// Lets the user type a number into a list of "0" ... "n": on Enter or when
// the list loses the focus the number is chosen as if picked (typing 120
// means 120, not 1 then 12); a number beyond the list is refused and the
// list shows its entry again. Returns the list.
QComboBox *NumberList(QComboBox *box);
// "0" ... "799": a list index equals the pixel value.
QStringList PositionEntries();
// The nodes of the range: Hex2(address + 1 + i) for i = 0 to GetNodeRange;
// entry i is device offset i.
QStringList DeviceEntries(const modVantile &m);
// Clears and fills a list; no entry is shown until the dialog shows one.
void FillList(QComboBox *box, const QStringList &entries);
// Shows entry index as the dialog's own doing (no user event). A value that
// is no entry of the list (a damaged file) shows nothing and returns false,
// so the caller leaves the record alone.
bool ShowEntry(QComboBox *box, int index);
// A picture with its magenta key colour made transparent.
QPixmap KeyedPixmap(const QImage &image);

} // namespace DialogControls

// A picture or swatch the user clicks to choose it.
class PictureLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};

// Captions cannot hold a comma: typed commas never arrive (key filter) and
// pasted ones are dropped here.
class NoCommaValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};
