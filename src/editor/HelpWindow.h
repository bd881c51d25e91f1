#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

// The user guide in a window of its own: the guide's HTML built into the
// program, a field to find words in it, and the contents.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    static inline const QString GuideUrl = QStringLiteral("qrc:/guide/index.html");

    explicit HelpWindow(QWidget *parent = nullptr);
    // Makes the guide and the licence built into the program readable (":/guide/", ":/about/").
    static void LoadGuide();

    // Shows the guide at `anchor` (its contents when empty).
    void ShowAt(const QString &anchor);
    // Finds `text` after (or before) the cursor, round the end; false when
    // the guide has it nowhere.
    bool Find(const QString &text, bool backward = false);

private:
    QLineEdit *txtFind = nullptr;
    QLabel *lblFound = nullptr;
    QTextBrowser *txtGuide = nullptr;
};
