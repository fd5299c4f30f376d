#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The game's pictures, sharp on every screen: on one at 150 % and above the
// twice-as-large copy beside a picture ("panel@2x.jpg" for "panel.jpg") is
// read instead, and drawn at the same size in the window's own pixels. A
// missing copy falls back to the picture itself.
QPixmap CrispPixmap(const QString &path, qreal devicePixelRatio);

// The window's icon: the icon theme's, else the scalable icon beside the
// program (with the PNG for systems without Qt's SVG icon support).
QIcon GameIcon(const QString &dataDir);
