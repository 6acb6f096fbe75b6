// The station window: the coincidental station peak and every feeder
// phase's current at it. "CLOSE WINDOW" (or closing it) allows printing
// the station peak. It opens over the survey window, which waits for it.
#pragma once

#include "survey/load_survey.h"

#include <QDialog>

class Program;
class QLabel;
class QPushButton;
class QTextEdit;

class StationWindow : public QDialog, public SurveyWindowView {
    Q_OBJECT
public:
    explicit StationWindow(Program &p, QWidget *parent = nullptr);

    void show() override;
    void hide() override;
    void sync() override;

    QLabel *Label1 = nullptr; // "Station: " + name
    QTextEdit *RichTextBox1 = nullptr;
    QPushButton *Command1 = nullptr; // "CLOSE WINDOW"

    // Escape and the close button.
    void reject() override;

private:
    Program &p_;
};
