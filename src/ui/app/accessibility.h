#pragma once

// Makes the game's own widgets readable by a screen reader: each sheet lists
// its strokes (SheetAccessible), and the 3D view is a canvas, named and
// described by the view itself. Installed once, before the first window shows.
void InstallAccessibility();
