// The options dialog: its pages and controls, what Ok and Cancel write, and
// the stored values it cannot show.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

#include "app/main_options.h"
#include "infra/env_data.h"
#include "support/recording_messages.h"
#include "support/temp_program_dir.h"

namespace {

class OptionsTest : public ::testing::Test {
protected:
    OptionsTest() { LoadEnv(); }
    // Shown as the menu window shows it: not modal, freed when closed.
    QPointer<TMainOptions> Open() {
        auto* dialog = new TMainOptions(messages);
        dialog->show();
        return dialog;
    }
    static TEnvData EnvCopy() { return Env; }
    static bool SameEnv(const TEnvData& a) { return std::memcmp(&a, &Env, sizeof Env) == 0; }

    TempProgramDir dir;
    RecordingMessages messages;
};

TEST_F(OptionsTest, AFreshSetUpShowsTheDefaults) {
    QPointer<TMainOptions> d = Open();
    EXPECT_EQ(d->windowTitle(), "Options");
    EXPECT_EQ(d->size(), QSize(329, 287));
    EXPECT_FALSE(d->isModal());
    // Two tabs shown, "Extras" hidden; "Grafic" in front.
    ASSERT_EQ(d->PageControl1->count(), 3);
    EXPECT_EQ(d->PageControl1->tabText(0), "Grafic");
    EXPECT_EQ(d->PageControl1->tabText(1), "Sound");
    EXPECT_EQ(d->PageControl1->tabText(2), "Extras");
    EXPECT_TRUE(d->PageControl1->isTabVisible(0));
    EXPECT_FALSE(d->PageControl1->isTabVisible(2));
    EXPECT_EQ(d->PageControl1->currentWidget(), d->TabSheet3);
    EXPECT_EQ(d->RadioGroup1->title(), "Display Mode");
    QStringList items;
    for (QAbstractButton* b : d->RadioGroup1Items->buttons()) items << b->text();
    EXPECT_EQ(items, QStringList({"Fullscreen 800 x 600 (standard)",
                                  "Fullscreen, without changing resolution", "Window"}));
    EXPECT_EQ(d->RadioGroup1Items->checkedId(), 0);
    EXPECT_TRUE(d->CheckBox3->isChecked());
    EXPECT_TRUE(d->CheckBox7->isChecked());
    EXPECT_TRUE(d->CheckBox1->isChecked());
    EXPECT_FALSE(d->CheckBox4->isChecked());
    EXPECT_EQ(d->TrackBar3->value(), 70);
    EXPECT_EQ(d->TrackBar1->value(), 100);
    EXPECT_EQ(d->TrackBar2->value(), 100);
    // Ranges and ticks of the three sliders.
    EXPECT_EQ(d->TrackBar3->maximum(), 100);
    EXPECT_EQ(d->TrackBar3->tickInterval(), 10);
    EXPECT_EQ(d->TrackBar1->maximum(), 127);
    EXPECT_EQ(d->TrackBar2->tickInterval(), 13);
    // The captions of the rest; "Autostart" and "No Music" exist but are not shown.
    EXPECT_EQ(d->GroupBox1->title(), "Effects");
    EXPECT_EQ(d->GroupBox2->title(), "Volume Adjustment");
    const QStringList captions = {d->CheckBox3->text(), d->CheckBox7->text(), d->Label1->text(),
                                  d->Label2->text(),    d->Label5->text(),    d->CheckBox1->text(),
                                  d->Label3->text(),    d->Label4->text(),    d->CheckBox4->text(),
                                  d->BtOk->text(),      d->BtCancel->text()};
    EXPECT_EQ(captions, QStringList({"Transparency", "Front", "Bubbles", "0%", "100%", "Sound on", "Music",
                                     "Sound FX", "Cave Editor", "Ok", "Cancel"}));
    EXPECT_EQ(d->CheckBox2->text(), "Autostart");
    EXPECT_TRUE(d->CheckBox2->isHidden());
    EXPECT_EQ(d->CheckBox6->text(), "No Music");
    EXPECT_TRUE(d->CheckBox6->isHidden());
    d->close();
}

TEST_F(OptionsTest, OkWithoutChangesWritesOnlyTheCaveEditorSwitch) {
    const TEnvData before = EnvCopy();
    QPointer<TMainOptions> d = Open();
    d->BtOk->click();
    EXPECT_TRUE(SameEnv(before));
    EXPECT_EQ(dir.Read("sps/prog.cfg"), "caveedit: 0\r\n");
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(d.isNull());  // the dialog frees itself
}

TEST_F(OptionsTest, CancelAndTheCloseBoxChangeNothing) {
    const TEnvData before = EnvCopy();
    QPointer<TMainOptions> d = Open();
    d->TrackBar1->setValue(5);
    d->RadioGroup1Items->button(2)->click();
    d->BtCancel->click();
    QPointer<TMainOptions> again = Open();
    again->TrackBar2->setValue(5);
    again->close();
    EXPECT_TRUE(SameEnv(before));
    EXPECT_FALSE(dir.Exists("sps/prog.cfg") && !dir.Read("sps/prog.cfg").empty());
}

TEST_F(OptionsTest, OkWritesWhatThePlayerChanged) {
    dir.Write("sps/prog.cfg", "caveedit: 256\r\n");
    QPointer<TMainOptions> d = Open();
    EXPECT_FALSE(d->CheckBox4->isChecked());  // low byte 0
    d->RadioGroup1Items->button(2)->click();
    d->CheckBox3->setChecked(false);
    d->TrackBar3->setValue(30);
    d->CheckBox1->setChecked(false);
    d->TrackBar2->setValue(127);
    d->BtOk->click();
    EXPECT_EQ(Env.DisplayMode, 2);
    EXPECT_EQ(Env.Transparency, 0);
    EXPECT_EQ(Env.BubblesPercent, 30);
    EXPECT_EQ(Env.SoundOn, 0);
    EXPECT_EQ(Env.SoundVolume, 127);
    EXPECT_EQ(Env.MusicVolume, 100);
    EXPECT_EQ(dir.Read("sps/prog.cfg"), "caveedit: 0\r\n");
    // Ticked, the cave editor is written as 1.
    QPointer<TMainOptions> again = Open();
    again->CheckBox4->setChecked(true);
    again->BtOk->click();
    EXPECT_EQ(dir.Read("sps/prog.cfg"), "caveedit: 1\r\n");
}

TEST_F(OptionsTest, ValuesTheDialogCannotShowStayUnlessTheirControlChanges) {
    Env.DisplayMode = 3;
    Env.MusicVolume = 200;
    Env.SoundVolume = -5;
    Env.BubblesPercent = 250;
    Env.Transparency = 2;
    Env.MusicOn = 7;
    QPointer<TMainOptions> d = Open();
    EXPECT_EQ(d->RadioGroup1Items->checkedId(), -1);
    EXPECT_EQ(d->TrackBar1->value(), 127);  // shown at the nearest end
    EXPECT_EQ(d->TrackBar2->value(), 0);
    EXPECT_EQ(d->TrackBar3->value(), 100);
    EXPECT_TRUE(d->CheckBox3->isChecked());
    d->BtOk->click();
    EXPECT_EQ(Env.DisplayMode, 3);
    EXPECT_EQ(Env.MusicVolume, 200);
    EXPECT_EQ(Env.SoundVolume, -5);
    EXPECT_EQ(Env.BubblesPercent, 250);
    EXPECT_EQ(Env.Transparency, 2);
    EXPECT_EQ(Env.MusicOn, 7);
    // Changed controls are written.
    QPointer<TMainOptions> again = Open();
    again->RadioGroup1Items->button(1)->click();
    again->TrackBar1->setValue(60);
    again->BtOk->click();
    EXPECT_EQ(Env.DisplayMode, 1);
    EXPECT_EQ(Env.MusicVolume, 60);
    EXPECT_EQ(Env.SoundVolume, -5);
}

TEST_F(OptionsTest, ACaveEditorSettingThatIsNoNumberIsReportedAndOkRepairsIt) {
    dir.Write("sps/prog.cfg", "caveedit: on\r\n");
    Env.BubblesPercent = 40;
    QPointer<TMainOptions> d = Open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "'on' ist kein g\xFCltiger Integerwert");
    // The controls before it are set all the same.
    EXPECT_EQ(d->TrackBar3->value(), 40);
    EXPECT_FALSE(d->CheckBox4->isChecked());
    d->BtOk->click();
    EXPECT_EQ(dir.Read("sps/prog.cfg"), "caveedit: 0\r\n");
}

}  // namespace
