#include "program/wait_window.h"

#include "platform/clock.h"

WaitWindow::WaitWindow() = default;
WaitWindow::~WaitWindow() = default;

bool WaitWindow::timer1Enabled() const
{
    return timer1 != nullptr && timer1->isActive();
}
