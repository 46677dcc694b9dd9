// The options dialog: three pages of controls bound to Env and "caveedit".
#include "app/main_options.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSlider>
#include <QTabWidget>

#include <exception>
#include <string>

#include "app/window_placement.h"
#include "infra/messages.h"

namespace {

constexpr int ClientWidth = 329, ClientHeight = 287;
const char* const DisplayModes[] = {"Fullscreen 800 x 600 (standard)",
                                    "Fullscreen, without changing resolution", "Window"};

QCheckBox* NewCheckBox(const char* caption, QWidget* parent, int x, int y, int width = 140) {
    auto* box = new QCheckBox(caption, parent);
    box->setGeometry(x, y, width, 20);
    return box;
}

QSlider* NewTrackBar(QWidget* parent, int maximum, int tickEvery, QRect where) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setRange(0, maximum);
    bar->setTickInterval(tickEvery);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setPageStep(tickEvery);
    bar->setGeometry(where);
    return bar;
}

QLabel* NewLabel(const char* caption, QWidget* parent, int x, int y, int width = 60) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(x, y, width, 18);
    return label;
}

}  // namespace

TMainOptions::TMainOptions(IMessages& messages, QWidget* parent) : QDialog(parent), messages_(messages) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("MainOptions");
    setWindowTitle("Options");
    setFixedSize(ClientWidth, ClientHeight);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(8, 8, ClientWidth - 16, ClientHeight - 52);
    CreateGraphicsPage();
    CreateSoundPage();
    CreateExtrasPage();
    BtOk = new QPushButton("Ok", this);
    BtOk->setGeometry(ClientWidth - 170, ClientHeight - 35, 75, 25);
    BtOk->setDefault(true);
    BtCancel = new QPushButton("Cancel", this);
    BtCancel->setGeometry(ClientWidth - 83, ClientHeight - 35, 75, 25);
    connect(BtOk, &QPushButton::clicked, this, [this] { BtOkClick(); });
    connect(BtCancel, &QPushButton::clicked, this, [this] { BtCancelClick(); });
    // The close box and Escape act like Cancel: nothing is written.
    CentreOnScreen(*this);
}

void TMainOptions::CreateGraphicsPage() {
    TabSheet3 = new QWidget;
    PageControl1->addTab(TabSheet3, "Grafic");
    RadioGroup1 = new QGroupBox("Display Mode", TabSheet3);
    RadioGroup1->setGeometry(8, 6, 293, 92);
    RadioGroup1Items = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(DisplayModes[i], RadioGroup1);
        item->setGeometry(12, 20 + 22 * i, 270, 20);
        RadioGroup1Items->addButton(item, i);
    }
    CheckBox2 = NewCheckBox("Autostart", TabSheet3, 8, 100);
    CheckBox2->hide();
    GroupBox1 = new QGroupBox("Effects", TabSheet3);
    GroupBox1->setGeometry(8, 102, 293, 96);
    CheckBox3 = NewCheckBox("Transparency", GroupBox1, 12, 20);
    CheckBox7 = NewCheckBox("Front", GroupBox1, 160, 20, 120);
    Label1 = NewLabel("Bubbles", GroupBox1, 12, 50);
    TrackBar3 = NewTrackBar(GroupBox1, BubblesPercentMax, 10, QRect(70, 46, 210, 26));
    Label2 = NewLabel("0%", GroupBox1, 72, 72, 30);
    Label5 = NewLabel("100%", GroupBox1, 244, 72, 40);
}

void TMainOptions::CreateSoundPage() {
    TabSheet1 = new QWidget;
    PageControl1->addTab(TabSheet1, "Sound");
    CheckBox1 = NewCheckBox("Sound on", TabSheet1, 16, 10);
    CheckBox6 = NewCheckBox("No Music", TabSheet1, 160, 10);
    CheckBox6->hide();
    GroupBox2 = new QGroupBox("Volume Adjustment", TabSheet1);
    GroupBox2->setGeometry(8, 40, 293, 110);
    Label3 = NewLabel("Music", GroupBox2, 12, 32);
    TrackBar1 = NewTrackBar(GroupBox2, VolumeMax, 13, QRect(80, 28, 200, 26));
    Label4 = NewLabel("Sound FX", GroupBox2, 12, 72);
    TrackBar2 = NewTrackBar(GroupBox2, VolumeMax, 13, QRect(80, 68, 200, 26));
}

void TMainOptions::CreateExtrasPage() {
    TabSheet2 = new QWidget;
    PageControl1->addTab(TabSheet2, "Extras");
    CheckBox4 = NewCheckBox("Cave Editor", TabSheet2, 16, 10);
}

void TMainOptions::showEvent(QShowEvent* e) {
    // Not again when the window manager restores a minimised dialog.
    if (!e->spontaneous()) FormShow();
    QDialog::showEvent(e);
}

void TMainOptions::FormShow() {
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet2), false);
    PageControl1->setCurrentWidget(TabSheet3);
    TOptionSettings settings;
    std::string error;
    try {
        ReadOptionSettings(settings, messages_);
    } catch (const std::exception& e) {
        error = e.what();  // a "caveedit" that is not a number: the other controls are set all the same
    }
    ShowSettings(settings);
    shown_ = settings;
    if (!error.empty()) messages_.Error(error);
}

void TMainOptions::ShowSettings(const TOptionSettings& s) {
    if (QAbstractButton* item = RadioGroup1Items->button(s.DisplayMode)) {
        item->setChecked(true);
    } else {
        // No item selected: the group must let go of its checked button first.
        RadioGroup1Items->setExclusive(false);
        for (QAbstractButton* b : RadioGroup1Items->buttons()) b->setChecked(false);
        RadioGroup1Items->setExclusive(true);
    }
    CheckBox2->setChecked(s.Autostart);
    CheckBox3->setChecked(s.Transparency);
    CheckBox7->setChecked(s.FrontOn);
    TrackBar3->setValue(s.BubblesPercent);
    CheckBox1->setChecked(s.SoundOn);
    CheckBox6->setChecked(s.NoMusic);
    TrackBar1->setValue(s.MusicVolume);
    TrackBar2->setValue(s.SoundVolume);
    CheckBox4->setChecked(s.CaveEdit);
}

TOptionSettings TMainOptions::Chosen() const {
    TOptionSettings s;
    s.DisplayMode = RadioGroup1Items->checkedId();
    s.Autostart = CheckBox2->isChecked();
    s.Transparency = CheckBox3->isChecked();
    s.FrontOn = CheckBox7->isChecked();
    s.BubblesPercent = TrackBar3->value();
    s.SoundOn = CheckBox1->isChecked();
    s.NoMusic = CheckBox6->isChecked();
    s.MusicVolume = TrackBar1->value();
    s.SoundVolume = TrackBar2->value();
    s.CaveEdit = CheckBox4->isChecked();
    return s;
}

void TMainOptions::BtOkClick() {
    WriteOptionSettings(shown_, Chosen());
    close();
}

void TMainOptions::BtCancelClick() {
    close();
}
