#include "ui/dialogs/settingsdialog.h"

#include "core/coach/choice.h"
#include "core/figure/figure.h"
#include "core/view3d/camera.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

SettingsDialog::SettingsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("settingsDialog"));
    setWindowTitle(tr("Trivisto Settings"));

    m_levelBox = new QSpinBox(this);
    m_levelBox->setObjectName(QStringLiteral("levelSetting"));
    m_levelBox->setRange(0, MaxLevel);
    m_lineWidthBox = new QSpinBox(this);
    m_lineWidthBox->setObjectName(QStringLiteral("lineWidthSetting"));
    m_lineWidthBox->setRange(Camera::MinLineWidth, Camera::MaxLineWidth);
    m_soundBox = new QCheckBox(tr("Play sounds"), this);
    m_soundBox->setObjectName(QStringLiteral("soundSetting"));
    m_fullScreenBox = new QCheckBox(tr("Full screen"), this);
    m_fullScreenBox->setObjectName(QStringLiteral("fullScreenSetting"));
    m_continueBox = new QCheckBox(tr("Continue the last turn at start"), this);
    m_continueBox->setObjectName(QStringLiteral("continueAtStartBox"));
    m_continueBox->setToolTip(tr("A turn left unfinished goes on where it stopped when the game starts again."));
    m_paletteBox = new QCheckBox(tr("Colour-blind-safe colours after Check"), this);
    m_paletteBox->setObjectName(QStringLiteral("paletteSetting"));
    m_lookBox = new QComboBox(this);
    m_lookBox->setObjectName(QStringLiteral("lookSetting"));
    m_lookBox->addItem(tr("Light"), int(Look::Light));
    m_lookBox->addItem(tr("Dark"), int(Look::Dark));
    m_lookBox->addItem(tr("Follow the desktop"), int(Look::Desktop));
    m_nameSheetsBox = new QCheckBox(tr("Name the sheets"), this);
    m_nameSheetsBox->setObjectName(QStringLiteral("nameSheetsBox"));
    m_nameSheetsBox->setToolTip(tr("Each sheet shows above its dots where it sees the figure from."));
    m_chooseFiguresBox = new QCheckBox(tr("Choose figures for me"), this);
    m_chooseFiguresBox->setObjectName(QStringLiteral("chooseFiguresBox"));
    m_chooseFiguresBox->setToolTip(tr("New picks a figure at or around your level that your rating expects you to "
                                      "get about as right as the target."));
    m_targetBox = new QSpinBox(this);
    m_targetBox->setObjectName(QStringLiteral("coachTargetBox"));
    m_targetBox->setRange(MinTargetPercent, MaxTargetPercent);
    m_targetBox->setSuffix(QStringLiteral(" %"));
    // Editable with the choice off as well: the level suggestion aims at it
    // once the rating leads it.
    m_targetBox->setToolTip(tr("The share of a figure's points you aim to get right: figures chosen for you and "
                               "the suggested level aim at it."));
    m_languageBox = new QComboBox(this);
    m_languageBox->setObjectName(QStringLiteral("languageSetting"));
    m_languageBox->addItem(tr("The system's language"), QString());
    m_languageBox->addItem(QStringLiteral("English"), QStringLiteral("en"));
    m_languageBox->addItem(QStringLiteral("Русский"), QStringLiteral("ru"));
    auto *languageNote = new QLabel(tr("A new language shows from the next start."), this);
    languageNote->setEnabled(false);

    auto *form = new QFormLayout;
    form->addRow(tr("Level for new figures:"), m_levelBox);
    form->addRow(tr("Line width of the 3D view:"), m_lineWidthBox);
    form->addRow(QString(), m_soundBox);
    form->addRow(QString(), m_fullScreenBox);
    form->addRow(QString(), m_continueBox);
    form->addRow(QString(), m_paletteBox);
    form->addRow(tr("Look:"), m_lookBox);
    form->addRow(QString(), m_nameSheetsBox);
    form->addRow(QString(), m_chooseFiguresBox);
    form->addRow(tr("Target accuracy:"), m_targetBox);
    form->addRow(tr("Language:"), m_languageBox);
    form->addRow(QString(), languageNote);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void SettingsDialog::setValues(const GameSettings &values)
{
    m_values = values;
    m_levelBox->setValue(values.level);
    m_lineWidthBox->setValue(values.lineWidth);
    m_soundBox->setChecked(values.sound);
    m_fullScreenBox->setChecked(values.fullScreen);
    m_continueBox->setChecked(values.continueAtStart);
    m_paletteBox->setChecked(values.safePalette);
    m_lookBox->setCurrentIndex(std::max(m_lookBox->findData(int(values.look)), 0));
    m_nameSheetsBox->setChecked(values.nameSheets);
    m_chooseFiguresBox->setChecked(values.chooseFigures);
    m_targetBox->setValue(values.coachTarget);
    m_languageBox->setCurrentIndex(std::max(m_languageBox->findData(values.language), 0));
}

GameSettings SettingsDialog::values() const
{
    GameSettings v = m_values;
    v.level = m_levelBox->value();
    v.lineWidth = m_lineWidthBox->value();
    v.sound = m_soundBox->isChecked();
    v.fullScreen = m_fullScreenBox->isChecked();
    v.continueAtStart = m_continueBox->isChecked();
    v.safePalette = m_paletteBox->isChecked();
    v.look = static_cast<Look>(m_lookBox->currentData().toInt());
    v.nameSheets = m_nameSheetsBox->isChecked();
    v.chooseFigures = m_chooseFiguresBox->isChecked();
    v.coachTarget = m_targetBox->value();
    v.language = m_languageBox->currentData().toString();
    return v;
}
