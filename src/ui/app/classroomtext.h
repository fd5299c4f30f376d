#pragma once
#include "core/classroom/fileproblem.h"
#include <QString>
QString ClassFileProblemText(const ClassFileProblem &problem, const QString &fileName);
