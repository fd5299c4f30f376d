#include "ui/app/resultsmessages.h"

#include <QCoreApplication>
#include <QDir>

QString ResultsMessage(const ResultsError &error)
{
    switch (error.problem) {
    case ResultsProblem::None:
        break;
    case ResultsProblem::CannotOpen:
        return QCoreApplication::translate("ResultsFile", "Can not open Stat.txt");
    case ResultsProblem::NotANumber:
        return QCoreApplication::translate("ResultsFile", "'%1' is not a valid integer value")
                   .arg(QString::fromStdString(error.text)) +
               QLatin1Char('\n') +
               QCoreApplication::translate("ResultsFile", "in %1, line %2")
                   .arg(QDir::toNativeSeparators(QString::fromStdString(error.path)))
                   .arg(error.line);
    }
    return {};
}
