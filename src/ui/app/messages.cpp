#include "ui/app/messages.h"

#include "core/storage/historystore.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// File names as the history got them from QFile::encodeName; the reasons the
// system and SQLite give come in the locale's encoding.
QString FileName(const std::string &path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
QString SystemText(const std::string &text) { return QString::fromLocal8Bit(text.data(), qsizetype(text.size())); }

QString Cause(const HistoryCause &c)
{
    switch (c.reason) {
    case HistoryReason::System:
        return SystemText(c.text);
    case HistoryReason::Busy:
        return QCoreApplication::translate("Messages", "another running copy of Trivisto kept the history file busy "
                                                       "for %n s", nullptr, c.number);
    case HistoryReason::FolderNotWritable:
        return QCoreApplication::translate("Messages", "the folder cannot be written: %1").arg(SystemText(c.text));
    case HistoryReason::ReadOnlyFile:
        return QCoreApplication::translate("Messages", "the file can only be read");
    case HistoryReason::NotAHistory:
        return QCoreApplication::translate("Messages", "its tables are not those of a turn history");
    case HistoryReason::NewerFormat:
        return QCoreApplication::translate("Messages", "format %1; this version reads up to %2")
            .arg(c.number)
            .arg(History::SchemaVersion);
    }
    return SystemText(c.text);
}

// Where the system or SQLite gave the reason, the file it concerns.
QString CauseAndFile(const HistoryStatus &s)
{
    if (s.cause.reason != HistoryReason::System)
        return Cause(s.cause);
    return QStringLiteral("%1 (%2)").arg(Cause(s.cause), FileName(s.path));
}

bool Newer(const HistoryStatus &s) { return s.broken.reason == HistoryReason::NewerFormat; }

QString Unavailable(const HistoryStatus &s)
{
    const QString file = FileName(s.path), cause = Cause(s.cause), broken = Cause(s.broken), aside = FileName(s.aside);
    if (s.error == HistoryError::UnavailableNotSetAside)
        return Newer(s) ? QCoreApplication::translate("Messages",
                                                      "The turn history is unavailable: %1 cannot be used (it was "
                                                      "written by a newer version of Trivisto (%2) and could not be "
                                                      "set aside: %3). The game goes on without recording turns.")
                              .arg(file, broken, cause)
                        : QCoreApplication::translate("Messages",
                                                      "The turn history is unavailable: %1 cannot be used (it is "
                                                      "damaged (%2) and could not be set aside: %3). The game goes on "
                                                      "without recording turns.")
                              .arg(file, broken, cause);
    if (s.aside.empty())
        return QCoreApplication::translate("Messages", "The turn history is unavailable: %1 cannot be used (%2). The "
                                                       "game goes on without recording turns.")
            .arg(file, cause);
    return Newer(s) ? QCoreApplication::translate("Messages",
                                                  "The turn history is unavailable: %1 cannot be used (%2). The old "
                                                  "file was written by a newer version of Trivisto (%3) and was set "
                                                  "aside as %4. The game goes on without recording turns.")
                          .arg(file, cause, broken, aside)
                    : QCoreApplication::translate("Messages",
                                                  "The turn history is unavailable: %1 cannot be used (%2). The old "
                                                  "file is damaged (%3) and was set aside as %4. The game goes on "
                                                  "without recording turns.")
                          .arg(file, cause, broken, aside);
}

} // namespace

QString HistoryMessage(const HistoryStatus &s)
{
    const int n = s.count;
    switch (s.error) {
    case HistoryError::None:
        break;
    case HistoryError::SetAside:
        return Newer(s) ? QCoreApplication::translate("Messages",
                                                      "The history file %1 was written by a newer version of Trivisto "
                                                      "(%2). It was set aside as %3 and a new, empty history was "
                                                      "started.")
                              .arg(FileName(s.path), Cause(s.broken), FileName(s.aside))
                        : QCoreApplication::translate("Messages",
                                                      "The history file %1 is damaged (%2). It was set aside as %3 and "
                                                      "a new, empty history was started.")
                              .arg(FileName(s.path), Cause(s.broken), FileName(s.aside));
    case HistoryError::Unavailable:
    case HistoryError::UnavailableNotSetAside:
        return Unavailable(s);
    case HistoryError::Closed:
        return QCoreApplication::translate("Messages", "The turn history is unavailable.");
    case HistoryError::NotRecordedKept:
        return n == 1 ? QCoreApplication::translate("Messages", "The turn was not recorded yet: %1. It is kept and "
                                                                "recorded with the next turn.")
                            .arg(CauseAndFile(s))
                      : QCoreApplication::translate("Messages", "The turn was not recorded yet: %1. The %n turns "
                                                                "waiting are kept and recorded with the next turn.",
                                                    nullptr, n)
                            .arg(CauseAndFile(s));
    case HistoryError::NotRecordedUnavailable:
        return n == 1 ? QCoreApplication::translate("Messages", "The turn was not recorded: the turn history is "
                                                                "unavailable.")
                      : QCoreApplication::translate("Messages", "The %n turns were not recorded: the turn history is "
                                                                "unavailable.", nullptr, n);
    case HistoryError::NotRecorded:
        return n == 1 ? QCoreApplication::translate("Messages", "The turn was not recorded: %1.").arg(CauseAndFile(s))
                      : QCoreApplication::translate("Messages", "The %n turns were not recorded: %1.", nullptr, n)
                            .arg(CauseAndFile(s));
    case HistoryError::SittingNotRecorded:
        return QCoreApplication::translate("Messages", "The assessment sitting was not recorded: %1.")
            .arg(CauseAndFile(s));
    case HistoryError::SeenNotRecorded:
        return QCoreApplication::translate("Messages", "The figure was not marked as seen: %1.").arg(CauseAndFile(s));
    case HistoryError::ReadFailed:
        return QCoreApplication::translate("Messages", "The history could not be read: %1 (%2).")
            .arg(Cause(s.cause), FileName(s.path));
    case HistoryError::ExportFailed:
        return QCoreApplication::translate("Messages", "The history could not be exported to %1: %2.")
            .arg(FileName(s.path), Cause(s.cause));
    case HistoryError::Exported:
        return n == 1 ? QCoreApplication::translate("Messages", "Exported 1 turn to %1.").arg(FileName(s.path))
                      : QCoreApplication::translate("Messages", "Exported %n turns to %1.", nullptr, n)
                            .arg(FileName(s.path));
    }
    return {};
}
