#include "ui/app/classroomtext.h"
QString ClassFileProblemText(const ClassFileProblem &problem, const QString &fileName)
{
    return fileName + QStringLiteral(": ") + QString::fromStdString(DescribeClassFileProblem(problem));
}
