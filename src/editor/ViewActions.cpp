#include "editor/ViewActions.h"

#include "editor/CanvasHost.h"
#include "editor/Inspector.h"
#include "editor/SettingsLists.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

// The narrowest the Properties dock becomes: labels and fields side by side.
constexpr int InspectorWidth = 200;
constexpr int CompactListsHeight = 200;

const char *newActionName(SettingsLists::ObjectKind kind)
{
    switch (kind) {
    case SettingsLists::ObjectKind::Button:
        return "mnuNewButton";
    case SettingsLists::ObjectKind::Pilot:
        return "mnuNewPilot";
    case SettingsLists::ObjectKind::Slider:
        return "mnuNewSlider";
    case SettingsLists::ObjectKind::Text:
        break;
    }
    return "mnuNewText";
}

} // namespace

ViewActions::ViewActions(QMainWindow &window, Document &document, MessagePrompt &messages, ObjectSelection &selection,
                         SettingsLists &lists, CanvasHost &canvas)
    : QObject(&window), window_(window), lists_(lists), canvas_(canvas)
{
    inspector_ = new Inspector(document, messages, selection);
    inspector_->setMinimumWidth(InspectorWidth);
    dockProperties = new QDockWidget(QStringLiteral("Properties"), &window);
    dockProperties->setObjectName(QStringLiteral("dockProperties"));
    dockProperties->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    dockProperties->setWidget(inspector_);
    dockProperties->installEventFilter(this);
    connect(inspector_, &Inspector::BackgroundWanted, this, &ViewActions::BackgroundWanted);

    // The compact lists: one column, scrolled when it is longer than the window.
    auto *column = new QWidget;
    column->setObjectName(QStringLiteral("frmCompactLists"));
    auto *stack = new QVBoxLayout(column);
    stack->setContentsMargins(2, 2, 2, 2);
    stack->setSpacing(4);
    stack->setAlignment(Qt::AlignTop);
    scrCompactLists = new QScrollArea;
    scrCompactLists->setObjectName(QStringLiteral("scrCompactLists"));
    scrCompactLists->setFrameShape(QFrame::NoFrame);
    scrCompactLists->setWidgetResizable(true);
    scrCompactLists->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrCompactLists->setWidget(column);
    // Room for a few lines of each list beside the Properties below them.
    scrCompactLists->setMinimumHeight(CompactListsHeight);
    dockLists = new QDockWidget(QStringLiteral("Settings Lists"), &window);
    dockLists->setObjectName(QStringLiteral("dockLists"));
    dockLists->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    dockLists->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dockLists->setWidget(scrCompactLists);

    window.addDockWidget(Qt::RightDockWidgetArea, dockLists);
    window.addDockWidget(Qt::RightDockWidgetArea, dockProperties);
    window.splitDockWidget(dockLists, dockProperties, Qt::Vertical);
    for (QDockWidget *dock : {dockProperties, dockLists}) {
        connect(dock, &QDockWidget::topLevelChanged, this, &ViewActions::applySides);
        connect(dock, &QDockWidget::dockLocationChanged, this, &ViewActions::applySides);
    }
    connect(&lists_, &SettingsLists::NewClicked, this, [this](SettingsLists::ObjectKind kind) {
        if (auto *action = window_.findChild<QAction *>(QLatin1String(newActionName(kind))))
            action->trigger();
    });

    // Docks settle at their width only when the window lays them out: the
    // canvas area's size tells.
    central_ = window.centralWidget();
    if (central_)
        central_->installEventFilter(this);

    // As the user left them last time.
    restoring_ = true;
    SetListsMode(Settings::ReadListsMode());
    SetPropertiesShown(Settings::ReadPropertiesShown());
    restoring_ = false;
}

void ViewActions::BuildMenu(QMenu *menu)
{
    mnuProperties = menu->addAction(QStringLiteral("&Properties"));
    mnuProperties->setObjectName(QStringLiteral("mnuProperties"));
    mnuProperties->setCheckable(true);
    mnuProperties->setChecked(!dockProperties->isHidden());
    connect(mnuProperties, &QAction::triggered, this, &ViewActions::SetPropertiesShown);
    menu->addSeparator();
    auto *group = new QActionGroup(menu);
    auto item = [this, menu, group](const char *name, const QString &caption, Settings::ListsMode mode) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setCheckable(true);
        a->setChecked(lists_.Mode() == mode);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, mode] { SetListsMode(mode); });
        return a;
    };
    mnuListsFull = item("mnuListsFull", QStringLiteral("&Full Settings Lists"), Settings::ListsMode::Full);
    mnuListsCompact = item("mnuListsCompact", QStringLiteral("&Compact Settings Lists"), Settings::ListsMode::Compact);
    mnuListsHidden = item("mnuListsHidden", QStringLiteral("&Hide Settings Lists"), Settings::ListsMode::Hidden);
}

void ViewActions::SetListsMode(Settings::ListsMode mode)
{
    lists_.SetMode(mode, scrCompactLists->widget());
    if (mode == Settings::ListsMode::Compact) {
        // As wide as the lists with a scroll bar beside them: nothing is cut.
        QWidget *column = scrCompactLists->widget();
        column->layout()->activate();
        scrCompactLists->setMinimumWidth(column->minimumSizeHint().width() +
                                         scrCompactLists->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }
    dockLists->setVisible(mode == Settings::ListsMode::Compact);
    if (mnuListsFull) {
        mnuListsFull->setChecked(mode == Settings::ListsMode::Full);
        mnuListsCompact->setChecked(mode == Settings::ListsMode::Compact);
        mnuListsHidden->setChecked(mode == Settings::ListsMode::Hidden);
    }
    // A comfort: a settings file that cannot be written costs nothing else.
    if (!restoring_)
        Settings::WriteListsMode(mode);
    applySides();
}

void ViewActions::SetPropertiesShown(bool shown)
{
    dockProperties->setVisible(shown);
    if (mnuProperties)
        mnuProperties->setChecked(shown);
    if (!restoring_)
        Settings::WritePropertiesShown(shown);
    applySides();
}

// The dock's own close button closes it as the menu does.
bool ViewActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == dockProperties && event->type() == QEvent::Close) {
        if (mnuProperties)
            mnuProperties->setChecked(false);
        Settings::WritePropertiesShown(false);
        // The dock is hidden once the event is through.
        QMetaObject::invokeMethod(this, &ViewActions::applySides, Qt::QueuedConnection);
    }
    // Only the canvas area's own resizing: events while the window goes away
    // must not reach a window half taken down.
    if (event->type() == QEvent::Resize && watched == central_ && window_.isVisible() && MeasureSides())
        QMetaObject::invokeMethod(this, &ViewActions::LayoutChanged, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

int ViewActions::dockWidth(QDockWidget *dock) const
{
    if (dock->isHidden() || dock->isFloating() || window_.dockWidgetArea(dock) == Qt::NoDockWidgetArea)
        return 0;
    // Whichever is wider, what it asks for or what it has; and the handle
    // between it and the canvas.
    const int width =
        std::max({dock->sizeHint().width(), dock->minimumSizeHint().width(), window_.isVisible() ? dock->width() : 0});
    return width + window_.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, &window_);
}

void ViewActions::applySides()
{
    MeasureSides();
    emit LayoutChanged();
}

bool ViewActions::MeasureSides()
{
    // The docks of one side stand one above the other: the wider one counts.
    WindowFit::Sides sides;
    sides.lists = lists_.InClient();
    sides.docks = std::max(dockWidth(dockProperties), dockWidth(dockLists));
    // Once shown, the room the docks really take, handles and margins included.
    if (window_.isVisible() && central_) {
        window_.layout()->activate();
        sides.docks = window_.width() - central_->width();
    }
    const bool changed = sides.lists != canvas_.Sides().lists || sides.docks != canvas_.Sides().docks;
    canvas_.SetSides(sides);
    return changed;
}

Inspector *ViewActions::GetInspector() const
{
    return inspector_;
}
