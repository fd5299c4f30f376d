#include "ui/app/mistaketext.h"

#include <QCoreApplication>

QString MistakeDescription(Mistake m)
{
    switch (m) {
    case Mistake::MirrorLeftRight: return QCoreApplication::translate("Mistake", "Mirrored left to right");
    case Mistake::MirrorTopBottom: return QCoreApplication::translate("Mistake", "Mirrored top to bottom");
    case Mistake::Turn180: return QCoreApplication::translate("Mistake", "Turned a half turn");
    case Mistake::TurnClockwise: return QCoreApplication::translate("Mistake", "Turned a quarter turn clockwise");
    case Mistake::TurnAnticlockwise: return QCoreApplication::translate("Mistake", "Turned a quarter turn anticlockwise");
    case Mistake::SheetX: return QCoreApplication::translate("Mistake", "This is the view of sheet X");
    case Mistake::SheetY: return QCoreApplication::translate("Mistake", "This is the view of sheet Y");
    case Mistake::SheetZ: return QCoreApplication::translate("Mistake", "This is the view of sheet Z");
    case Mistake::ShiftLeft: return QCoreApplication::translate("Mistake", "One step too far left");
    case Mistake::ShiftRight: return QCoreApplication::translate("Mistake", "One step too far right");
    case Mistake::ShiftUp: return QCoreApplication::translate("Mistake", "One step too high");
    case Mistake::ShiftDown: return QCoreApplication::translate("Mistake", "One step too low");
    }
    return {};
}

QString MistakeDescription(const std::string &token)
{
    const std::optional<Mistake> m = MistakeFromToken(token);
    return m ? MistakeDescription(*m) : QString::fromStdString(token);
}
