#pragma once

#include "ui/app/settings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;

// Edits the player's settings; the window applies and stores them on OK.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget *parent = nullptr);

    void setValues(const GameSettings &values);
    // The values as edited; fields the dialog does not show keep theirs.
    GameSettings values() const;

private:
    GameSettings m_values;
    QSpinBox *m_levelBox;
    QSpinBox *m_lineWidthBox;
    QCheckBox *m_soundBox;
    QCheckBox *m_fullScreenBox;
    QCheckBox *m_continueBox;
    QCheckBox *m_paletteBox;
    QComboBox *m_lookBox;
    QCheckBox *m_nameSheetsBox;
    QCheckBox *m_chooseFiguresBox;
    QSpinBox *m_targetBox;
    QComboBox *m_languageBox;
};
