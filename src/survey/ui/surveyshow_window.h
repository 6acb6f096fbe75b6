// The feeder result window ("RESULT"): station, feeder, heading and the
// feeder's peaks. "NEXT FEEDER" (or closing the window) hands over to the
// next feeder. It opens over the survey window, which waits for it.
#pragma once

#include "survey/load_survey.h"

#include <QDialog>

class Program;
class QLabel;
class QPushButton;
class QTextEdit;

class SurveyshowWindow : public QDialog, public SurveyWindowView {
    Q_OBJECT
public:
    explicit SurveyshowWindow(Program &p, QWidget *parent = nullptr);

    void show() override;
    void hide() override;
    void sync() override;

    QLabel *Label2 = nullptr; // "NORTHGRID STATION FEEDER REPORT"
    QLabel *Label3 = nullptr; // station
    QLabel *Label1 = nullptr; // feeder
    QLabel *feederID = nullptr;
    QTextEdit *RichTextBox1 = nullptr;
    QPushButton *Command2 = nullptr; // "NEXT FEEDER"

    // Escape and the close button.
    void reject() override;

private:
    Program &p_;
};
