#include "render/RunTimeState.h"

#include "model/ObjectTables.h"
#include "model/modVantile.h"

#include <algorithm>

RunTimeState RunTimeState::AtRest(const modVantile &m)
{
    RunTimeState state;
    for (int offset = 0; offset <= std::clamp(m.GetNodeRange(), 0, ObjectTables::LastNodeRangeIndex); ++offset)
        state.AddDevice(ObjectTables::NodeOf(m.GetNodeAddress(), offset));
    return state;
}

QList<int> RunTimeState::Nodes() const
{
    QList<int> nodes;
    nodes.reserve(qsizetype(devices_.size()));
    for (const auto &device : devices_)
        nodes.append(device.first);
    return nodes;
}

bool RunTimeState::InputOn(int node, int input) const
{
    const auto it = devices_.find(node);
    return it != devices_.end() && input >= 1 && input <= InputCount && (it->second.inputs >> (input - 1) & 1u) != 0;
}

void RunTimeState::SetInput(int node, int input, bool on)
{
    if (input < 1 || input > InputCount)
        return;
    unsigned &inputs = devices_[node].inputs;
    inputs = on ? inputs | 1u << (input - 1) : inputs & ~(1u << (input - 1));
}

int RunTimeState::Level(int node) const
{
    const auto it = devices_.find(node);
    return it == devices_.end() ? 0 : it->second.level;
}

void RunTimeState::SetLevel(int node, int percent)
{
    devices_[node].level = std::clamp(percent, 0, MaxLevel);
}
