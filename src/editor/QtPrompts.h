#pragma once

#include "platform/Prompts.h"

class QWidget;

// The real boxes: QMessageBox and QFileDialog.
class QtMessagePrompt : public MessagePrompt
{
public:
    explicit QtMessagePrompt(QWidget *parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget *parent) { parent_ = parent; }
    using MessagePrompt::Show;
    Answer Show(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    Answer Ask(const QString &text, const QString &title, Icon icon, Buttons buttons, Answer defaultAnswer) override;

private:
    QWidget *parent_;
};

class QtFileDialogPrompt : public FileDialogPrompt
{
public:
    explicit QtFileDialogPrompt(QWidget *parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget *parent) { parent_ = parent; }
    QString ShowOpen(const QString &filter, const QString &initialName) override;
    QString ShowSave(const QString &filter, const QString &initialName, const QString &title) override;

    // "A (*.X)|*.X|B (*.*)|*.*" -> "A (*.X);;B (*)"
    static QString ToQtFilter(const QString &filter);

private:
    QWidget *parent_;
};
