#include "platform/serial_port.h"

QString SerialError::text(int n)
{
    switch (n) {
    case kNone:
        return QStringLiteral("No error");
    case kInvalidPortNumber:
        return QStringLiteral("Invalid port number");
    case kPortAlreadyOpen:
        return QStringLiteral("Port already open");
    case kHardwareNotAvailable:
        return QStringLiteral("The device is not available (disconnected or hung up)");
    case kCannotSetCommState:
        return QStringLiteral("Could not set comm state, there may be one or more invalid port settings");
    case kPortNotOpen:
        return QStringLiteral("Operation valid only when the port is open");
    case kReadError:
        return QStringLiteral("Error reading the communications device");
    case kWriteError:
        return QStringLiteral("Error writing the communications device");
    case kUnknownError:
        return QStringLiteral("Unknown communications error");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}
