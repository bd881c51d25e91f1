#pragma once

#include <QList>

#include <map>

class modVantile;

// What the devices of the network hold at run time, as far as a panel shows
// it: per device (network node number), eight inputs on or off and one level
// 0 - 100 %. An empty state knows no device: a screen drawn with it is what
// the SD card's screen picture holds. A device the state does not know reads
// as all inputs off and level 0.
class RunTimeState
{
public:
    static constexpr int InputCount = 8;
    static constexpr int MaxLevel = 100;

    // Every device of the project's node range, each input off and level 0:
    // the panel at rest. A damaged range still gives the 1 to 64 devices a
    // project can have.
    static RunTimeState AtRest(const modVantile &m);

    bool IsEmpty() const { return devices_.empty(); }
    void Clear() { devices_.clear(); }

    // Adds a device (all off, level 0) unless it is known already.
    void AddDevice(int node) { devices_.try_emplace(node); }
    bool HasDevice(int node) const { return devices_.count(node) != 0; }
    QList<int> Nodes() const;

    // input: 1 - 8; another input reads as off and is never stored.
    bool InputOn(int node, int input) const;
    void SetInput(int node, int input, bool on);
    int Level(int node) const;
    // Clamped to 0 - 100.
    void SetLevel(int node, int percent);

    bool operator==(const RunTimeState &other) const = default;

private:
    struct Device {
        unsigned inputs = 0; // bit k - 1 = input k
        int level = 0;
        bool operator==(const Device &) const = default;
    };
    std::map<int, Device> devices_;
};
