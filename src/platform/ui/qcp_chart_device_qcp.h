// QCustomPlot's header, usable in a build that turns Qt's keywords off: the
// header is written with `signals`, `emit` and `foreach`.
#pragma once

#include <QtGlobal>

#ifdef QT_NO_KEYWORDS
#define signals Q_SIGNALS
#define slots Q_SLOTS
#define emit Q_EMIT
#define foreach Q_FOREACH
#include <qcustomplot.h>
#undef signals
#undef slots
#undef emit
#undef foreach
#else
#include <qcustomplot.h>
#endif
