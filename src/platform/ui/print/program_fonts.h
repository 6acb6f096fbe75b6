// The fonts the program names ("Arial", "Times New Roman", "Courier New") are
// drawn with fonts of the same metrics that the package depends on (the
// Liberation fonts), whatever else a machine has installed: left to the
// font configuration, "Arial" became Nimbus Sans or DejaVu Sans depending on
// the machine, and printed pages and charts changed their layout with it.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace programfonts {

// The families to ask for, best first: the metric-compatible family of a
// name the program uses, then the name itself. A name without such a family
// is asked for as it is.
QStringList families(const QString &name);
// A font of `name` at `points` that asks for families(name).
QFont font(const QString &name, double points);
// Gives `font` the families of `name`, keeping its size and weight.
void setFamily(QFont &font, const QString &name);

} // namespace programfonts
