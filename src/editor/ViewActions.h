#pragma once

#include "editor/WindowFit.h"
#include "model/Settings.h"

#include <QObject>
#include <QPointer>

class CanvasHost;
class Document;
class Inspector;
class MessagePrompt;
class ObjectSelection;
class SettingsLists;
class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;
class QScrollArea;

// The View menu and what it switches: the Properties dock (the Inspector)
// and how the settings lists are shown (full, compact in a dock of their
// own, or hidden). Both choices are kept in the settings file and come
// back at the next start. The canvas is told what stands beside it, so
// that the window fits and Fit zooms to the room they leave.
class ViewActions : public QObject
{
    Q_OBJECT
public:
    ViewActions(QMainWindow &window, Document &document, MessagePrompt &messages, ObjectSelection &selection,
                SettingsLists &lists, CanvasHost &canvas);

    void BuildMenu(QMenu *menu);

    Inspector *GetInspector() const;
    // Shows the lists as `mode` and remembers it.
    void SetListsMode(Settings::ListsMode mode);
    // Shows or closes the Properties dock and remembers it.
    void SetPropertiesShown(bool shown);

    // Tells the canvas the room the docks take now; true when it changed.
    bool MeasureSides();

signals:
    // The room beside the canvas changed: the window fits itself again.
    void LayoutChanged();
    // The Properties dock's "Select..." of the screen's background.
    void BackgroundWanted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applySides();
    int dockWidth(QDockWidget *dock) const;

    QMainWindow &window_;
    SettingsLists &lists_;
    CanvasHost &canvas_;
    QPointer<Inspector> inspector_;
    QDockWidget *dockProperties = nullptr, *dockLists = nullptr;
    QScrollArea *scrCompactLists = nullptr;
    QAction *mnuProperties = nullptr;
    QAction *mnuListsFull = nullptr, *mnuListsCompact = nullptr, *mnuListsHidden = nullptr;
    QWidget *central_ = nullptr;
    bool restoring_ = false;
};
