#include "ui/app/classroomtext.h"

#include "core/classroom/assignment.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <climits>

// The translation context of these texts.
class ClassroomText {
    Q_DECLARE_TR_FUNCTIONS(ClassroomText)
};

namespace {

QString Utf8(const std::string &text) { return QString::fromStdString(text); }

// A value of the file as a teacher can find it: the files name their values
// by paths such as "figures[2].score", which count figures from 0.
QString Field(const std::string &where)
{
    static const QRegularExpression figure(QStringLiteral("^figures\\[(\\d+)\\](?:\\.([a-z]+))?$"));
    const QString path = Utf8(where);
    if (path.isEmpty())
        return ClassroomText::tr("the file's contents");
    const QRegularExpressionMatch m = figure.match(path);
    if (!m.hasMatch())
        return ClassroomText::tr("“%1”").arg(path);
    const qlonglong number = m.captured(1).toLongLong() + 1;
    if (m.captured(2).isEmpty())
        return ClassroomText::tr("figure %1").arg(number);
    return ClassroomText::tr("“%1” of figure %2").arg(m.captured(2)).arg(number);
}

QString TypeName(const std::string &type)
{
    if (type == "string")
        return ClassroomText::tr("a text");
    if (type == "integer")
        return ClassroomText::tr("a whole number");
    if (type == "boolean")
        return ClassroomText::tr("true or false");
    if (type == "array")
        return ClassroomText::tr("a list");
    if (type == "object")
        return ClassroomText::tr("a group of values");
    return Utf8(type);
}

// What the file is, from the format it names.
QString FormatName(const std::string &format)
{
    if (format == "trivisto-assignment")
        return ClassroomText::tr("a Trivisto assignment");
    if (format == "trivisto-result")
        return ClassroomText::tr("a student's Trivisto result");
    return ClassroomText::tr("a file of the kind “%1”").arg(Utf8(format));
}

QString Damaged(const QString &file, const QString &why)
{
    return ClassroomText::tr("%1 is damaged or was edited: %2.").arg(file, why);
}

} // namespace

QString ClassFileProblemText(const ClassFileProblem &p, const QString &file)
{
    const QString where = Field(p.where);
    QString detail = Utf8(p.detail);
    switch (p.error) {
    case ClassFileError::None:
        return {};
    case ClassFileError::TooLarge:
        return ClassroomText::tr("%1 is too large for a Trivisto file: it is over %2.")
            .arg(file, QLocale().formattedDataSize(p.number));
    case ClassFileError::NotUtf8:
        return ClassroomText::tr("%1 is not a Trivisto file, or it is damaged: its text is not UTF-8 (at byte %2).")
            .arg(file)
            .arg(p.number);
    case ClassFileError::NotJson:
        // The parser's own words follow for whoever repairs the file by hand,
        // without the library's tag before them.
        detail.remove(QRegularExpression(QStringLiteral("^\\[json\\.exception\\.[^\\]]*\\]\\s*")));
        return p.number > 0
                   ? ClassroomText::tr("%1 is not a Trivisto file, or it is damaged: it is not valid JSON at "
                                       "byte %2 (%3).")
                         .arg(file)
                         .arg(p.number)
                         .arg(detail)
                   : ClassroomText::tr("%1 is not a Trivisto file, or it is damaged: it is not valid JSON (%2).")
                         .arg(file, detail);
    case ClassFileError::TooDeep:
        return Damaged(file, ClassroomText::tr("%1 nests deeper than %2 levels").arg(where).arg(p.number));
    case ClassFileError::DuplicateKey:
        return Damaged(file, ClassroomText::tr("%1 is given twice").arg(where));
    case ClassFileError::NotAnInteger:
        return Damaged(
            file, ClassroomText::tr("%1 holds %2, which is not a whole number this game can read").arg(where, detail));
    case ClassFileError::WrongFormat:
        if (p.detail.empty())
            return ClassroomText::tr("%1 is not a Trivisto assignment or result file.").arg(file);
        return ClassroomText::tr("%1 is not the kind of file expected here: it is %2.").arg(file, FormatName(p.detail));
    case ClassFileError::NewerVersion:
        return ClassroomText::tr("%1 is from a newer version of Trivisto (version %2); this game reads version %3.")
            .arg(file)
            .arg(p.number)
            .arg(detail);
    case ClassFileError::MissingKey:
        return Damaged(file, ClassroomText::tr("%1 is missing").arg(where));
    case ClassFileError::WrongType:
        return Damaged(file, ClassroomText::tr("%1 is not %2").arg(where, TypeName(p.detail)));
    case ClassFileError::BadValue:
        return Damaged(file, ClassroomText::tr("%1 holds “%2”, which is not allowed there").arg(where, detail));
    case ClassFileError::FigureCount:
        // Never 1: one figure is a count an assignment may have.
        return Damaged(file, ClassroomText::tr("it lists %n figures, and an assignment holds 1 to %1", nullptr,
                                               static_cast<int>(std::min<std::int64_t>(p.number, INT_MAX)))
                                 .arg(MaxAssignmentFigures));
    case ClassFileError::DuplicateFigure:
        return Damaged(file, ClassroomText::tr("%1 repeats the figure %2").arg(where, detail));
    case ClassFileError::Incomplete:
        if (p.where == "complete")
            return Damaged(file, ClassroomText::tr("whether it is complete contradicts its figures"));
        return Damaged(file, ClassroomText::tr("%1 has some of its results missing").arg(where));
    case ClassFileError::BadChecksum:
        return Damaged(file, ClassroomText::tr("its checksum does not match"));
    case ClassFileError::FigureMismatch:
        if (p.where == "figures")
            return ClassroomText::tr("%1 does not match the assignment: it holds %2 figures, not the assignment's.")
                .arg(file, detail);
        if (p.where.ends_with(".exercise"))
            return ClassroomText::tr("%1 does not match the assignment: %2 is “%3”, not the assignment's exercise.")
                .arg(file, where, detail);
        return ClassroomText::tr("%1 does not match the assignment: %2 is %3, not the assignment's figure.")
            .arg(file, where, detail);
    case ClassFileError::OtherAssignment:
        if (p.detail.empty())
            return ClassroomText::tr("%1 belongs to another assignment (id %2).").arg(file, Utf8(p.where));
        return ClassroomText::tr("%1 belongs to another assignment, “%2”.").arg(file, detail);
    case ClassFileError::Unreadable:
        return ClassroomText::tr("%1 could not be read: %2.").arg(file, detail);
    }
    return ClassroomText::tr("%1 cannot be used.").arg(file);
}

QString ClassRowStatusText(const ClassRow &row)
{
    switch (row.status) {
    case ClassRowStatus::Ok:
        return ClassroomText::tr("ok");
    case ClassRowStatus::Damaged:
        return ClassroomText::tr("damaged or edited");
    case ClassRowStatus::NewerVersion:
        return ClassroomText::tr("newer version");
    case ClassRowStatus::OtherAssignment:
        return ClassroomText::tr("other assignment");
    case ClassRowStatus::Duplicate:
        return ClassroomText::tr("duplicate: kept %1").arg(FileNameOf(row.keptPath));
    case ClassRowStatus::Unreadable:
        return ClassroomText::tr("unreadable");
    }
    return {};
}

QString ClassRowReason(const ClassRow &row)
{
    const QString file = FileNameOf(row.path);
    switch (row.status) {
    case ClassRowStatus::Ok:
        return {};
    case ClassRowStatus::Duplicate:
        return ClassroomText::tr("%1 is another result of %2; the one checked last, %3, is counted.")
            .arg(file, Utf8(row.name), FileNameOf(row.keptPath));
    default:
        break;
    }
    const QString text = ClassFileProblemText(row.problem, file);
    return text.isEmpty() ? ClassroomText::tr("%1 cannot be used.").arg(file) : text;
}

QString ExerciseTitle(Exercise exercise)
{
    return exercise == Exercise::Build ? ClassroomText::tr("Build the figure") : ClassroomText::tr("Draw the views");
}

QString FileNameOf(const std::string &path)
{
    const QString p = Utf8(path);
    return p.mid(p.lastIndexOf(QRegularExpression(QStringLiteral("[/\\\\]"))) + 1);
}
