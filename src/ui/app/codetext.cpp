#include "ui/app/codetext.h"

#include <QCoreApplication>

QString PuzzleCodeProblem(PuzzleCodeError error)
{
    switch (error) {
    case PuzzleCodeError::None:
        break;
    case PuzzleCodeError::Empty:
        return QCoreApplication::translate("PuzzleCode", "The puzzle code is empty.");
    case PuzzleCodeError::WrongCharacter:
        return QCoreApplication::translate("PuzzleCode", "A puzzle code has only the digits 0-9 and the letters A-Z "
                                                    "(hyphens and spaces are ignored).");
    case PuzzleCodeError::TooShort:
        return QCoreApplication::translate("PuzzleCode", "The puzzle code is too short: it has 9 characters.");
    case PuzzleCodeError::TooLong:
        return QCoreApplication::translate("PuzzleCode", "The puzzle code is too long: it has 9 characters.");
    case PuzzleCodeError::WrongCheck:
        return QCoreApplication::translate("PuzzleCode", "The puzzle code has a typing error: please check every "
                                                    "character.");
    case PuzzleCodeError::LevelOutOfRange:
        return QCoreApplication::translate("PuzzleCode", "The puzzle code is for a level this version of Trivisto "
                                                    "does not have.");
    }
    return {};
}
