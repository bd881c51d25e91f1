#pragma once

#include "render/PictureImport.h"

#include <QDialog>
#include <QImage>
#include <QWidget>

#include <array>
#include <functional>

class MessagePrompt;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The screen's picture as the import makes it, scaled down to the room the
// widget has, aspect kept. A drag over it reports how far the mouse went, in
// screen pixels.
class ImportPreview : public QWidget
{
    Q_OBJECT
public:
    ImportPreview(QSize screen, QWidget *parent);
    void SetPicture(const QImage &picture);
    const QImage &Picture() const { return picture_; }
    QSize sizeHint() const override;
    // Where the screen's picture is drawn in the widget.
    QRect ScreenArea() const;

signals:
    void Pressed();
    void Dragged(QPoint screenPixels);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QSize screen_;
    QImage picture_;
    QPointF pressedAt_;
    bool dragging_ = false;
};

// "Import Picture": any picture made into a background of the current
// screen's size in the BMP Library, with a preview as the panel shows it.
class frmPictureImport : public QDialog
{
    Q_OBJECT
public:
    using DialogRunner = std::function<int(QDialog &)>;

    frmPictureImport(const QString &source, const QImage &picture, QSize screen, MessagePrompt &messages,
                     QWidget *parent = nullptr);

    // Reads `source` and, when it opens, runs the dialog with `run`. The
    // name of the picture made in the BMP Library, or empty: cancelled, or
    // the picture cannot be read (said through `messages`).
    static QString Import(const QString &source, QSize screen, MessagePrompt &messages, const DialogRunner &run,
                          QWidget *parent);

    // The file name made in the BMP Library once Import was pressed.
    const QString &LibraryFile() const { return libraryFile_; }
    PictureImport::Mode Mode() const { return mode_; }
    QPoint Shift() const { return shift_; }
    // Milliseconds the last preview took to make.
    double PreviewMilliseconds() const { return previewMs_; }

private:
    void optMode_Click(int index);
    void txtColour_Change();
    void cmdColour_Click();
    void cmdImport_Click();
    void dragged(QPoint screenPixels);
    void refresh();
    bool fail(const QString &text);

    QString source_;
    QSize screen_;
    MessagePrompt &messages_;
    PictureImport::Preview preview_;
    PictureImport::Mode mode_ = PictureImport::DefaultMode;
    QRgb colour_ = qRgb(0, 0, 0);
    QPoint shift_;
    QPoint shiftAtPress_;
    QString libraryFile_;
    double previewMs_ = 0;

    std::array<QRadioButton *, 4> optMode{};
    QLineEdit *txtColour;
    QLabel *lblColour;
    QPushButton *cmdColour;
    QCheckBox *chkPanel;
    ImportPreview *picPreview;
    QLabel *lblSource;
    QLineEdit *txtName;
    QPushButton *cmdImport;
    QPushButton *cmdCancel;
};
