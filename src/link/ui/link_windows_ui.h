// Creates the link's windows (status, Dwnloaditem, InstSel, InstProperties, PortSel, Abort) and
// hands them to the program. The returned object owns them; keep it for the
// whole run.
#pragma once

#include <memory>

class Program;
class QWidget;
class AbortWindow;
class DownloadWindow;
class InstPropertiesWindow;
class InstSelWindow;
class PortSelWindow;
class StatusWindow;

struct LinkWindowSet {
    LinkWindowSet();
    ~LinkWindowSet();
    LinkWindowSet(const LinkWindowSet &) = delete;
    LinkWindowSet &operator=(const LinkWindowSet &) = delete;
    std::unique_ptr<StatusWindow> status;
    std::unique_ptr<DownloadWindow> download;
    std::unique_ptr<InstSelWindow> instSel;
    std::unique_ptr<InstPropertiesWindow> instProperties;
    std::unique_ptr<PortSelWindow> portSel;
    std::unique_ptr<AbortWindow> abort; // header exchange of the initialization
};

std::unique_ptr<LinkWindowSet> installLinkWindows(Program &p, QWidget *parent);
