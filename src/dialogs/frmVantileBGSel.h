#pragma once

#include <QDialog>

#include <array>
#include <functional>

class modVantile;
class EditorHost;
class MessagePrompt;
class FileDialogPrompt;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class PictureLabel;
class BackgroundLibrary;

// "Select Background": a solid colour or a BMP picture for the current
// screen, the BMP Library's pictures to choose from and the import of any
// picture into it. Unlike the object editors nothing is stored before Save;
// an imported picture is in the library at once.
class frmVantileBGSel : public QDialog
{
    Q_OBJECT
public:
    frmVantileBGSel(modVantile &m, EditorHost &host, MessagePrompt &messages, FileDialogPrompt &files,
                    QWidget *parent = nullptr);

    // Colour of standard swatch i (0 - 34) as blue * 65536 + green * 256 + red.
    static int StandardColor(int index);
    // The colour value shown in the large swatch.
    int SelectedColor() const { return selectedColor_; }
    // The file dialog's first starting name: the BMP files of the library.
    static QString LibraryPattern();
    // The file dialog's filter for a picture to import.
    static QString ImportFilter();
    // How the import dialog is run (modal by default).
    void SetDialogRunner(std::function<int(QDialog &)> run) { runDialog_ = std::move(run); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Activate();
    void optBG_Click();
    void lblStdCol_Click(int index);
    void hs_Change();
    void cmdBrowse_Click();
    void cmdClose_Click();
    void setSelectedColor(int color);
    void showPath(const QString &path);
    void importPicture(const QString &source);

    modVantile &m_;
    EditorHost &host_;
    MessagePrompt &messages_;
    FileDialogPrompt &files_;
    bool activated_ = false;
    bool browsed_ = false;
    int selectedColor_ = 0;
    std::function<int(QDialog &)> runDialog_;

    std::array<QRadioButton *, 2> optBG{};
    QGroupBox *frmStd;
    // 0 - 34 swatches, 35 the selected colour, 36 the "Standard Colors" caption.
    std::array<QLabel *, 37> lblStdCol{};
    QLabel *lblSelCol;
    QLabel *lblCustom;
    QLabel *lblCCRed;
    QLabel *lblCCGrn;
    QLabel *lblCCBlu;
    QScrollBar *hsRed;
    QScrollBar *hsGrn;
    QScrollBar *hsBlu;
    QLabel *lblBMP;
    QPushButton *cmdBrowse;
    QPushButton *cmdCancel;
    QPushButton *cmdClose;
    BackgroundLibrary *library_;
};
