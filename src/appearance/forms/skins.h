#pragma once

// The skin window: the look of every window (a skin, or the plain style) and the two display
// colours. Every choice takes effect and is stored the moment it is made; "Close" only hides
// the window.

#include <QDialog>

class QPushButton;
class SkinEngine;
class TRadioGroup;

class Tskin : public QDialog
{
    Q_OBJECT

public:
    explicit Tskin(QWidget *parent = nullptr);

    TRadioGroup *RadioGroup1 = nullptr; // "Skins Setting": WINDOWS, Skin 1 to Skin 6
    TRadioGroup *RadioGroup2 = nullptr; // "Background Color"
    TRadioGroup *RadioGroup3 = nullptr; // "Color scale"
    QPushButton *Button1 = nullptr; // "Close"

    // Selects the stored skin and colours, each selection acting as the user's choice would,
    // except that the drawings are redrawn once, after all three. Runs once, after the window
    // is made and its signal connected.
    void FormCreate();
    // Every text shown in the current language; again at each change of language.
    void retranslateUi();

    void RadioGroup1Click();
    void RadioGroup2Click();
    void RadioGroup3Click();
    void Button1Click();

protected:
    void changeEvent(QEvent *event) override;

signals:
    // WaveBackgroundColor or WaveScaleColor was chosen: every drawing should be redrawn.
    void DisplayColorsChanged();
};

extern Tskin *skin;

// The program's skin engine; it shows its style sheets on the whole application.
SkinEngine &ProgramSkin();

// Start-up: shows the stored skin before the main window is laid out.
void LoadSavedSkin();
