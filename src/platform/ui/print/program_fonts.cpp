#include "platform/ui/print/program_fonts.h"

namespace {

struct Compatible {
    const char *name;
    const char *family;
};

// Names compared without case; the Liberation fonts share the advance widths
// of these families, so text lines up as it was laid out.
constexpr Compatible kCompatible[] = {
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
};

} // namespace

namespace programfonts {

QStringList families(const QString &name)
{
    const QString wanted = name.trimmed();
    for (const Compatible &c : kCompatible) {
        if (wanted.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            return {QLatin1String(c.family), wanted};
        }
    }
    return {wanted};
}

void setFamily(QFont &font, const QString &name)
{
    font.setFamilies(families(name));
}

QFont font(const QString &name, double points)
{
    QFont f;
    setFamily(f, name);
    f.setPointSizeF(points);
    return f;
}

} // namespace programfonts
