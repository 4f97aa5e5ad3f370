#pragma once

struct ViewState;

// What the preferences dialog edits through: the view's state, whose
// settings its pages show and change, and the settings file behind them.
// The main window implements it.
class SettingsEditor
{
public:
    virtual ~SettingsEditor() = default;

    virtual ViewState &viewState() = 0;
    // The state's settings reach the view at once: the background, the
    // colours and drawing options of every model, the palette, and the
    // colour lines while they show.
    virtual void applyViewSettings() = 0;
    virtual void writeSettings() = 0;
    // Reads the settings file into the state again (and applies it).
    virtual int readSettings(bool askReopen) = 0;
    // The language changed and the user agreed to restart: the window closes,
    // which writes the settings.
    virtual void restartProgram() = 0;
};
