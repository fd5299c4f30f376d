#pragma once

#include <QDialog>

class QLineEdit;

// Asks the player's name for a new record. Remembers the name confirmed last
// and offers it the next time; closing the window without "OK" stores
// nothing. Only "OK" confirms: Enter and Esc have no meaning of their own.
// It opens at the main window's corner, 70 pixels in on both axes.
class RecordNameDialog : public QDialog {
    Q_OBJECT
public:
    explicit RecordNameDialog(QWidget *parent = nullptr);

    QString lastName() const { return m_lastName; }
    QString pendingName() const { return m_pendingName; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onOkClicked();

    QLineEdit *m_nameEdit;
    QString m_lastName;
    QString m_pendingName;
};
