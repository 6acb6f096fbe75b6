// The small interfaces through which the core drives the link's windows
// (status, Dwnloaditem, InstSel, InstProperties, PortSel); their state is in
// program/link_window_states.h. A window mirrors that state on sync() and
// forwards its button presses to the core procedures of status_check.h,
// inst_select.h and port_select.h.
#pragma once

#include "link/serial_link.h"
#include "program/link_window_states.h"

#include <QString>
#include <cstdint>

// ------------------------------------------------------------ status

class StatusView {
public:
    virtual ~StatusView() = default;
    virtual void show() = 0; // not modal
    virtual void hide() = 0;
    virtual void unload() = 0;
    virtual void sync() = 0;
};

// ------------------------------------------------------------ Dwnloaditem

class DownloadView {
public:
    virtual ~DownloadView() = default;
    virtual void show() = 0; // not modal
    virtual void hide() = 0;
    virtual void unload() = 0;
    virtual void sync() = 0;
};

// ------------------------------------------------------------ InstSel

class InstSelView {
public:
    virtual ~InstSelView() = default;
    // Shows the window modally; returns when it is unloaded.
    virtual void showModal() = 0;
    virtual void unload() = 0;
    virtual void sync() = 0;
};

// ------------------------------------------------------------ InstProperties

class InstPropertiesView {
public:
    virtual ~InstPropertiesView() = default;
    virtual void showModal() = 0;
    virtual void unload() = 0;
};

// ------------------------------------------------------------ PortSel

class PortSelView {
public:
    virtual ~PortSelView() = default;
    virtual void showModal() = 0;
    virtual void unload() = 0;
};

// Window names and captions.
inline constexpr int kPortButtons = 8;
QString portSelCaption(int button); // "Com1".."Com7", "com8"
