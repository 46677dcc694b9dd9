// The publishing dialog: the best local score, the personal data that goes
// with it, and "Publish". Not modal; it closes after a publication and stays
// open after a failure for another try.
#pragma once

#include <QColor>
#include <QDialog>

#include <functional>

#include "app/wait_cursor.h"
#include "online/highscore_publisher.h"
#include "online/internet.h"

class IMessages;
class IResources;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
struct TEnvData;

// The dialog's background: a light violet (red 0xD4, green 0x93, blue 0xC9).
inline const QColor PublishHighscoreColour{0xD4, 0x93, 0xC9};

class TPublishHighscoreForm : public QDialog {
    Q_OBJECT

public:
    // Nothing is owned. The dialog reads and fills env; saveEnv writes env
    // to disk when the server hands out a new player identifier; the result
    // dialog takes its picture from resources. The dialog frees itself when
    // closed.
    TPublishHighscoreForm(TInternet& internet, IMessages& messages, const IResources& resources,
                          TEnvData& env, std::function<void()> saveEnv, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel *Label8 = nullptr, *Label9 = nullptr;
    QLineEdit *Edit4 = nullptr, *Edit5 = nullptr;
    QPushButton* Button1 = nullptr;

    void FormShow();
    void SavePublishData();
    void Button1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void CreateControls();
    QGroupBox* CreatePublicData();
    QGroupBox* CreatePrivateData();

    IMessages& messages_;
    const IResources& resources_;
    TEnvData& env_;
    TWaitingHttpClient waitingHttp_;
    TInternet internet_;
    THighscorePublisher publisher_;
};

// "Publish Highscore" of the menu window: the dialog over parent for the
// global record Env, saving it with SaveEnv; the new dialog, or null when an
// open one came to the front instead of a second.
QWidget* ShowPublishHighscoreDialog(QWidget* parent, TInternet& internet, IMessages& messages,
                                    const IResources& resources);
