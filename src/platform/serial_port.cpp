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
    case kPermissionDenied:
        return QStringLiteral("Permission denied");
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

QString SerialError::permissionDeniedText(const QString &device, const QString &group)
{
    const QString crLf = QStringLiteral("\r\n");
    QString t = QStringLiteral("Permission denied for ") + device + QLatin1Char('.') + crLf;
    if (group.isEmpty()) {
        return t + QStringLiteral("Ask the administrator for read and write access to the device.");
    }
    return t + QStringLiteral("Add your user to the group that owns the device (") + group +
           QStringLiteral(") and log in again.");
}
