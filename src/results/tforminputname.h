#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks the player's name for a new record. Remembers the name confirmed last
// and offers it the next time; closing the window without "OK" stores nothing.
class TFormInputName : public QDialog {
    Q_OBJECT
public:
    explicit TFormInputName(QWidget *parent = nullptr);

    QString LastName() const { return m_lastName; }
    QString PendingName() const { return m_pendingName; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Button1Click();

    QLineEdit *m_editName;
    QPushButton *m_ok;
    QString m_lastName;
    QString m_pendingName;
};
