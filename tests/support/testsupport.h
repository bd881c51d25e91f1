#pragma once

// Helpers shared by the test executables.

#include "platform/Prompts.h"

#include "systemfixtures.h"
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QProcess>

#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

// Points QUELLIX_HOME at a fresh temporary folder for the life of the object.
class TempHome
{
public:
    TempHome()
    {
        old_ = qEnvironmentVariable("QUELLIX_HOME");
        home_ = dir_.path() + QStringLiteral("/ZAV Quellix Touch");
        SetEnvironmentText("QUELLIX_HOME", home_);
    }
    ~TempHome() { SetEnvironmentText("QUELLIX_HOME", old_); }
    QString path() const { return home_; }
    QString root() const { return dir_.path(); }
    QString file(const QString &name) const { return dir_.path() + QLatin1Char('/') + name; }

private:
    QTemporaryDir dir_;
    QString home_;
    QString old_;
};

// One run of the command-line tool the build made (QUELLIX_TEST_BIN_DIR):
// its exit code (-1 when it did not end in time, -2 when it crashed) and what
// it printed.
struct QuellixRun {
    int exitCode = -1;
    QString out, err;
};

inline QuellixRun RunQuellix(const QStringList &args, int timeoutMs = 120000)
{
    QProcess p;
    p.start(qEnvironmentVariable("QUELLIX_TEST_BIN_DIR") + QStringLiteral("/quellix"), args);
    QuellixRun r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// Records every box and answers from a script (default: the first button).
class ScriptedMessages : public MessagePrompt
{
public:
    struct Box {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
        std::optional<Answer> defaultAnswer; // none: a box without a chosen default
    };
    using MessagePrompt::Show;
    Answer Show(const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        return answer({text, title, icon, buttons, {}});
    }
    Answer Ask(const QString &text, const QString &title, Icon icon, Buttons buttons, Answer defaultAnswer) override
    {
        return answer({text, title, icon, buttons, defaultAnswer});
    }
    // Unscripted, a question goes on: Yes, or Discard for unsaved changes.
    Answer answer(const Box &box)
    {
        boxes.append(box);
        if (!answers.isEmpty())
            return answers.takeFirst();
        switch (box.buttons) {
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::Yes;
        case Buttons::SaveDiscardCancel:
            return Answer::Discard;
        default:
            return Answer::Ok;
        }
    }
    QList<Box> boxes;
    QList<Answer> answers;
};

// Records every file dialog and returns scripted names ("" = cancel).
class ScriptedFileDialogs : public FileDialogPrompt
{
public:
    struct Dialog {
        bool save;
        QString filter;
        QString initialName;
        QString title;
    };
    QString ShowOpen(const QString &filter, const QString &initialName) override
    {
        dialogs.append({false, filter, initialName, QString()});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString ShowSave(const QString &filter, const QString &initialName, const QString &title) override
    {
        dialogs.append({true, filter, initialName, title});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QList<Dialog> dialogs;
    QList<QString> answers;
};
