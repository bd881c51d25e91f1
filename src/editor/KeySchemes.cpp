#include "editor/KeySchemes.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace KeySchemes
{

namespace
{
QKeySequence key(int combination)
{
    return QKeySequence(combination);
}
} // namespace

const QList<Row> &Table()
{
    constexpr int Ctrl = Qt::CTRL, Shift = Qt::SHIFT;
    static const QList<Row> rows{
        // File
        {"mnuFileNew", {key(Ctrl | Qt::Key_N)}, {key(Ctrl | Qt::Key_N)}},
        {"mnuFileOpen", {key(Ctrl | Qt::Key_O)}, {key(Ctrl | Qt::Key_O)}},
        // Classic: Ctrl+S stays New Slider, and Save has no key.
        {"mnuFileSave", {}, {key(Ctrl | Qt::Key_S)}},
        {"mnuFileSaveAs", {key(Ctrl | Shift | Qt::Key_S)}, {key(Ctrl | Shift | Qt::Key_S)}},
        {"mnuExit", {}, {key(Ctrl | Qt::Key_Q)}},
        // Edit
        {"mnuUndo", {key(Ctrl | Qt::Key_Z)}, {key(Ctrl | Qt::Key_Z)}},
        {"mnuRedo",
         {key(Ctrl | Shift | Qt::Key_Z), key(Ctrl | Qt::Key_Y)},
         {key(Ctrl | Qt::Key_Y), key(Ctrl | Shift | Qt::Key_Z)}},
        {"mnuCut", {key(Shift | Qt::Key_Delete)}, {key(Ctrl | Qt::Key_X), key(Shift | Qt::Key_Delete)}},
        {"mnuCopy", {key(Ctrl | Qt::Key_C)}, {key(Ctrl | Qt::Key_C)}},
        {"mnuPaste", {key(Ctrl | Qt::Key_V)}, {key(Ctrl | Qt::Key_V)}},
        {"mnuDuplicate", {key(Ctrl | Qt::Key_D)}, {key(Ctrl | Qt::Key_D)}},
        {"mnuDelete", {key(Qt::Key_Delete)}, {key(Qt::Key_Delete)}},
        {"mnuNewButton", {key(Ctrl | Qt::Key_B)}, {key(Ctrl | Shift | Qt::Key_B)}},
        {"mnuNewPilot", {key(Ctrl | Qt::Key_P)}, {key(Ctrl | Shift | Qt::Key_P)}},
        {"mnuNewSlider", {key(Ctrl | Qt::Key_S)}, {key(Ctrl | Shift | Qt::Key_L)}},
        {"mnuNewText", {key(Ctrl | Qt::Key_T)}, {key(Ctrl | Shift | Qt::Key_T)}},
        {"mnuClearScreen", {key(Ctrl | Qt::Key_X)}, {key(Ctrl | Shift | Qt::Key_Delete)}},
        {"mnuPreferences", {key(Ctrl | Qt::Key_Comma)}, {key(Ctrl | Qt::Key_Comma)}},
        {"mnuZoomIn",
         {key(Ctrl | Qt::Key_Plus), key(Ctrl | Qt::Key_Equal)},
         {key(Ctrl | Qt::Key_Plus), key(Ctrl | Qt::Key_Equal)}},
        {"mnuZoomOut", {key(Ctrl | Qt::Key_Minus)}, {key(Ctrl | Qt::Key_Minus)}},
        {"mnuActualSize", {key(Ctrl | Qt::Key_0)}, {key(Ctrl | Qt::Key_0)}},
        // Program
        {"mnuTryPanel", {key(Qt::Key_F5)}, {key(Qt::Key_F5)}},
        {"mnuCheckProject", {key(Qt::Key_F7)}, {key(Qt::Key_F7)}},
        // Help
        {"mnuContextHelp", {key(Qt::Key_F1)}, {key(Qt::Key_F1)}},
    };
    return rows;
}

QList<QKeySequence> Keys(const Row &row, Settings::KeyScheme scheme)
{
    return scheme == Settings::KeyScheme::Standard ? row.standard : row.classic;
}

void Apply(QWidget *window, Settings::KeyScheme scheme)
{
    for (const Row &row : Table())
        for (QAction *action : window->findChildren<QAction *>(QString::fromLatin1(row.action)))
            action->setShortcuts(Keys(row, scheme));
}

QString SchemeName(Settings::KeyScheme scheme)
{
    return scheme == Settings::KeyScheme::Standard ? QStringLiteral("Standard") : QStringLiteral("Classic");
}

namespace
{
QString plain(QString text)
{
    // "&Save" -> "Save", "Fish && Chips" -> "Fish & Chips"
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.toHtmlEscaped();
}

void addMenu(QString &html, const QMenu *menu, const QString &path, const QHash<QString, const Row *> &rows,
             Settings::KeyScheme scheme)
{
    for (const QAction *action : menu->actions()) {
        if (action->menu()) {
            addMenu(html, action->menu(), path + plain(action->text()) + QStringLiteral(" \u203A "), rows, scheme);
            continue;
        }
        const auto row = rows.constFind(action->objectName());
        if (row == rows.constEnd() || Keys(**row, scheme).isEmpty())
            continue;
        QStringList keys;
        for (const QKeySequence &sequence : Keys(**row, scheme))
            keys << QStringLiteral("<b>%1</b>").arg(sequence.toString(QKeySequence::NativeText).toHtmlEscaped());
        html += QStringLiteral("<tr><td>%1%2</td><td>%3</td></tr>\n")
                    .arg(path, plain(action->text()), keys.join(QStringLiteral(" or ")));
    }
}
} // namespace

QString Sheet(QWidget *window, Settings::KeyScheme scheme)
{
    QHash<QString, const Row *> rows;
    for (const Row &row : Table())
        rows.insert(QString::fromLatin1(row.action), &row);
    QString html = QStringLiteral("<h2>Keyboard Shortcuts: %1</h2>\n").arg(SchemeName(scheme));
    const QMenuBar *bar = window->findChild<QMenuBar *>();
    for (const QAction *top : bar ? bar->actions() : QList<QAction *>()) {
        if (!top->menu())
            continue;
        QString body;
        addMenu(body, top->menu(), QString(), rows, scheme);
        if (!body.isEmpty())
            html += QStringLiteral("<h3>%1</h3>\n<table cellspacing=\"0\" cellpadding=\"3\">\n%2</table>\n")
                        .arg(plain(top->text()), body);
    }
    html += QStringLiteral("<p>Moving the selected objects: the arrow keys by a pixel, Shift and an arrow key by the "
                           "grid step; Enter opens the editor of the object last selected; Escape drops the "
                           "selection.</p>\n");
    return html;
}

} // namespace KeySchemes
