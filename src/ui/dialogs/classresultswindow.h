#pragma once

#include "core/classroom/assignment.h"
#include "core/classroom/classtable.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class QChartView;
class QLabel;
class QPushButton;
class QTableWidget;

// The teacher's view of the results handed in for one assignment: a row per
// file added, the students' kept results first with a cell per figure, then
// every file not counted with the reason (a damaged or edited file is shown
// and marked, never dropped; files of another assignment come last, greyed),
// a chart of the class mean per figure, and the table as CSV. Files are read
// again whenever they are added again, so a student's later hand-in replaces
// the earlier read.
class ClassResultsWindow : public QDialog {
    Q_OBJECT
public:
    struct ExportResult {
        bool ok = false;
        QString message;
    };

    explicit ClassResultsWindow(QWidget *parent = nullptr);

    // The assignment the files are read against; another assignment starts
    // with no files.
    void setAssignment(const Assignment &assignment, const QString &assignmentPath);
    const Assignment &assignment() const { return m_assignment; }

    // Reads the files (again, if added before) and shows the table.
    void addFiles(const QStringList &paths);
    // The result files directly inside the folder; a message when there are none.
    void addFolder(const QString &folder);
    const ClassTable &table() const { return m_table; }

    // Writes the table as CSV to path; the message is shown in the window too.
    ExportResult exportCsv(const QString &path);

private:
    void refresh();
    void fillTable();
    void fillChart();
    void showMessage(const QString &text);
    void onAddFilesClicked();
    void onAddFolderClicked();
    void onExportClicked();

    Assignment m_assignment;
    QString m_assignmentPath;
    std::vector<LoadedResult> m_files;
    ClassTable m_table;
    QLabel *m_heading = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_addFiles = nullptr;
    QPushButton *m_addFolder = nullptr;
    QPushButton *m_export = nullptr;
    QTableWidget *m_tableWidget = nullptr;
    QChartView *m_chart = nullptr;
};
