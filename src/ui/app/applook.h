#pragma once

#include "core/look/look.h"

#include <QColor>

QColor ToQColor(Rgb c);

// The application's look. Light leaves the desktop's style and palette as the
// game found them; Dark puts a dark palette on the Fusion style, so every
// dialog follows. Follow the desktop takes the desktop's side as it was when
// the game started: Qt 6.4 cannot ask the desktop for its colour scheme, so
// the palette it gave is read before the game changes anything.
namespace AppLook {

// Keeps the desktop's palette and style; called once the application object
// exists, before any look is set. Later calls change nothing.
void RememberDesktop();
bool DesktopIsDark();
// Sets the look and says which scheme it shows.
Scheme Apply(Look look);
// The scheme shown now: Light until a look says otherwise.
Scheme Shown();

} // namespace AppLook
