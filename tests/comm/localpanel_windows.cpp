#include "commtests.h"

namespace CommTests
{

std::unique_ptr<SimulatedPanel::Player> LocalPanel(const PanelSimulator::Options &, QString *why)
{
    *why = QStringLiteral("Windows has no pseudo-terminals: run the simulator's harness (quellix-panel-sim --harness) "
                          "and name its control line in QUELLIX_PANEL_HARNESS");
    return nullptr;
}

} // namespace CommTests
