#include "ui/app/codetext.h"

#include <QCoreApplication>

QString PuzzleCodeProblem(const ParsedPuzzleCode &parsed)
{
    switch (parsed.error) {
    case PuzzleCodeError::None:
        break;
    case PuzzleCodeError::Empty:
        return QCoreApplication::translate("PuzzleCode", "The puzzle code is empty.");
    case PuzzleCodeError::WrongCharacter: {
        // A control character or a stray byte is better described than shown.
        const QString character = QString::fromStdString(parsed.character);
        if (!character.isEmpty() && character.front().isPrint() && character.front() != QChar::ReplacementCharacter)
            return QCoreApplication::translate("PuzzleCode", "“%1” is not used in puzzle codes. Codes have the digits "
                                                             "0–9 and the letters A–Z except U (O is read as 0, I and "
                                                             "L as 1); hyphens and spaces are ignored.")
                .arg(character);
        return QCoreApplication::translate("PuzzleCode", "The puzzle code has a character that codes do not use. Codes "
                                                         "have the digits 0–9 and the letters A–Z except U (O is read "
                                                         "as 0, I and L as 1); hyphens and spaces are ignored.");
    }
    case PuzzleCodeError::TooShort:
        return QCoreApplication::translate("PuzzleCode", "The puzzle code is too short: it has %n of its 9 symbols.",
                                           nullptr, parsed.symbols);
    case PuzzleCodeError::TooLong:
        return QCoreApplication::translate("PuzzleCode", "The puzzle code is too long: it has %n symbols, a code has 9.",
                                           nullptr, parsed.symbols);
    case PuzzleCodeError::WrongCheck:
        return QCoreApplication::translate("PuzzleCode", "The puzzle code has a typing error: please check every "
                                                         "character.");
    case PuzzleCodeError::LevelOutOfRange:
        return QCoreApplication::translate("PuzzleCode", "The puzzle code is for a level this version of Trivisto "
                                                         "does not have.");
    }
    return {};
}
