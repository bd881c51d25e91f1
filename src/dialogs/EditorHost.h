#pragma once

// What an object editor dialog needs from the main window: the live update
// of one object on the canvas and a redraw of the whole screen.
class EditorHost
{
public:
    virtual ~EditorHost() = default;
    virtual void UDButton(int n) = 0;
    virtual void UDPilot(int n) = 0;
    virtual void UDSlider(int n) = 0;
    virtual void UDTitle(int n) = 0;
    virtual void ShowScreen() = 0;
};
