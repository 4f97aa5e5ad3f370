#pragma once

#include "PaletteTexture.h"
#include "ViewConfig.h"
#include "model/ImageSlice.h"

#include <memory>

// The edge entry of the menus that is checked; its number is the EdgesMode a
// new model takes.
enum class EdgeEntry : qint32 {
    None = 0,
    Contour = 1,
    Surface = 2,
};

// The face entry of the menus that is checked; its number is the ColorMode it
// sets (1 .. 5), or the isosurfaces. The face commands also take Cut, the
// cut's faces through the intersection panel, which no entry shows checked.
enum class FaceEntry : qint32 {
    None = 0,
    Normal,
    Surface,
    Hidden,
    Material,
    Function,
    Isosurfaces,
    Cut,
};

// What the view shows beyond each model's own display settings: the options
// and colours of the settings file, the background, the function palette,
// the opacity of the transparent mode, and the state of the menus' toggles.
// The menus and panels edit it and the view draws from it; the commands that
// change a toggle themselves (a mode switched off, a selection made) say so
// through ViewCommands::stateChanged, after which a window shows the state
// in its menus.
struct ViewState
{
    ViewConfig Config;
    float ClearColor[4] = {0, 0, 0, 1}; // the background, from Config.background
    PaletteTexture Palette;
    qint32 Opacity = 255; // of the Opacity panel, 0 .. 255

    // True when a window's menus drive the toggles below. Without menus (the
    // tests, the command-line tool) an opacity below 255 is transparency at
    // once, an edge command switches each model's edges, and a new model
    // keeps the edges and points it comes with.
    bool Menus = false;
    bool Transparent = false; // "Transparent Mode": the opacity applies
    bool Ruler = false;       // "Show Ruler": a vertex pick measures from the last one
    bool ColorLines = false;  // "View Color Lines"
    bool ColorLinesEnabled = true;
    bool MassSelect = false; // "Mass Select": a drag selects what its rectangle covers
    // The edges and the vertices the menus show, which a new model takes.
    EdgeEntry Edges = EdgeEntry::None;
    bool Points = false;
    // None when a mode was switched off and no entry is checked.
    FaceEntry Faces = FaceEntry::None;
    // Commands that need a selection or a picked vertex.
    bool CanEditSelection = true;
    bool CanClearSelection = true;
    bool CanCentreOnPoint = true;
    bool CanCentreAllOnPoint = true;

    // The image under the surfaces (a CT), shown in slice planes with its
    // window; null when none is open.
    std::shared_ptr<const ImageVolume> Image;
    QString ImagePath; // the file or folder it was read from, for a session
    SliceState Slices;
    bool WindowLevelMode = false; // "Window/Level Mode": a left drag sets the window
};
