// A program wired as the desktop program is for the serial exchanges: the
// real QSerialPort and a clock running at a fifth of real time (the
// simulator's pauses shrink with it), scripted dialogs, and the status
// check, download, initialization and recovery commands installed.
#pragma once

#include "sim_harness.h"

#include "program/program.h"
#include "setup/initialize.h"
#include "support/fake_dialogs.h"
#include "support/temp_settings.h"

#include <QByteArray>
#include <memory>

class QtClock;
class QtSerialPort;

// InitInst with the options already chosen: Proceed at once.
class ProceedingInitInst : public InitInstView {
public:
    void showModal() override { InitInstProceed(*program); }
    void unload() override {}
    Program *program = nullptr;
};

class LinkedProgram {
public:
    static constexpr double kTimeScale = 0.2;

    LinkedProgram();
    ~LinkedProgram();
    LinkedProgram(const LinkedProgram &) = delete;
    LinkedProgram &operator=(const LinkedProgram &) = delete;

    Program &p() { return *program_; }
    // Options > Instrument Selection: catalogue type `type` (11: automatic detection).
    void select(int type);
    // The port is closed and every open the simulator saw was closed again
    // (unless the simulator ended with its terminal).
    bool allClosed(const SimHarness &sim) const;

    FakeDialogs dialogs;
    TempSettings settings;
    std::unique_ptr<QtClock> clock;
    std::unique_ptr<QtSerialPort> port;
    ProceedingInitInst initInst;

private:
    std::unique_ptr<Program> program_;
};
