// The load-survey window: the station name, the feeder choice and name,
// the three phase buttons with their file names, and the result, station
// and print buttons. It mirrors SurveyState::loadsurv and forwards every
// press to the survey procedures (survey/load_survey.h).
#pragma once

#include "survey/load_survey.h"

#include <QDialog>
#include <array>

class Program;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class LoadsurvWindow : public QDialog, public SurveyWindowView {
    Q_OBJECT
public:
    explicit LoadsurvWindow(Program &p, QWidget *parent = nullptr);

    void show() override;
    void hide() override;
    void sync() override;

    QLabel *Label1 = nullptr; // station name
    std::array<QRadioButton *, 4> Option{};
    QLabel *Label2 = nullptr; // "EnterFeeder Name or use default"
    QLineEdit *Text4 = nullptr;
    QPushButton *Command1 = nullptr; // "PROCEED"
    QPushButton *red = nullptr;
    QPushButton *white = nullptr;
    QPushButton *blue = nullptr;
    QLineEdit *Text1 = nullptr;      // red phase file
    QLineEdit *Text2 = nullptr;      // white phase file
    QLineEdit *Text3 = nullptr;      // blue phase file
    QPushButton *Command2 = nullptr; // "Show Result"
    QPushButton *Command3 = nullptr; // "Show Station Peak"
    QPushButton *Command4 = nullptr; // "PRINT ALL FEEDER RESULTS"
    QPushButton *Command5 = nullptr; // "PRINT STATION PEAK"
    QPushButton *Cancel = nullptr;   // "cancel"

    void reject() override; // Escape acts as cancel

protected:
    void closeEvent(QCloseEvent *event) override; // so does the close button

private:
    Program &p_;
    bool syncing_ = false;
};
