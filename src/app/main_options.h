// The options dialog: display mode, effects, bubbles, sound and the cave
// editor switch. Not modal; Ok writes the changed settings into Env.
#pragma once

#include <QDialog>

#include "infra/option_settings.h"

class IMessages;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QWidget;

class TMainOptions : public QDialog {
public:
    // Frees itself when closed.
    TMainOptions(IMessages& messages, QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet3 = nullptr;  // "Grafic"
    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* RadioGroup1Items = nullptr;
    QCheckBox* CheckBox2 = nullptr;  // "Autostart", not shown
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QSlider* TrackBar3 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label5 = nullptr;
    QWidget* TabSheet1 = nullptr;  // "Sound"
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox6 = nullptr;  // "No Music", not shown
    QGroupBox* GroupBox2 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QSlider* TrackBar2 = nullptr;
    QLabel *Label3 = nullptr, *Label4 = nullptr;
    QWidget* TabSheet2 = nullptr;  // "Extras", its tab hidden
    QCheckBox* CheckBox4 = nullptr;
    QPushButton* BtOk = nullptr;
    QPushButton* BtCancel = nullptr;

    // Sets every control from Env and "caveedit".
    void FormShow();
    void BtOkClick();
    void BtCancelClick();

    // What the controls hold now.
    TOptionSettings Chosen() const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void CreateGraphicsPage();
    void CreateSoundPage();
    void CreateExtrasPage();
    void ShowSettings(const TOptionSettings& s);

    IMessages& messages_;
    TOptionSettings shown_;
};
