#include "platform/chart_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cmath>

namespace {

QJsonArray colorJson(const ChartColor &c)
{
    return QJsonArray{c.r, c.g, c.b};
}

std::optional<ChartColor> colorFrom(const QJsonValue &v)
{
    const QJsonArray a = v.toArray();
    if (a.size() != 3) {
        return std::nullopt;
    }
    ChartColor c{a[0].toInt(-1), a[1].toInt(-1), a[2].toInt(-1)};
    for (int part : {c.r, c.g, c.b}) {
        if (part < 0 || part > 255) {
            return std::nullopt;
        }
    }
    return c;
}

QJsonObject boxJson(const ChartBox &b)
{
    return QJsonObject{{"left", b.left},
                       {"top", b.top},
                       {"width", b.width},
                       {"height", b.height},
                       {"text", b.text},
                       {"background", colorJson(b.background)},
                       {"transparent", b.transparent},
                       {"framed", b.framed},
                       {"fontSize", b.fontSize}};
}

std::optional<ChartBox> boxFrom(const QJsonValue &v)
{
    if (!v.isObject()) {
        return std::nullopt;
    }
    const QJsonObject o = v.toObject();
    ChartBox b;
    b.left = o.value("left").toDouble();
    b.top = o.value("top").toDouble();
    b.width = o.value("width").toDouble();
    b.height = o.value("height").toDouble();
    b.text = o.value("text").toString();
    const auto bg = colorFrom(o.value("background"));
    if (!bg) {
        return std::nullopt;
    }
    b.background = *bg;
    b.transparent = o.value("transparent").toBool();
    b.framed = o.value("framed").toBool();
    b.fontSize = o.value("fontSize").toDouble(9);
    if (b.fontSize <= 0 || b.fontSize > 200) {
        return std::nullopt;
    }
    return b;
}

// JSON has no NaN: unset values are null.
QJsonArray valuesJson(const QVector<double> &values)
{
    QJsonArray a;
    for (double v : values) {
        a.append(std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null));
    }
    return a;
}

bool valuesFrom(const QJsonValue &v, int points, QVector<double> &out)
{
    const QJsonArray a = v.toArray();
    if (a.size() != points) {
        return false;
    }
    out.resize(points);
    for (int i = 0; i < points; ++i) {
        const QJsonValue x = a[i];
        if (x.isNull()) {
            out[i] = std::nan("");
        } else if (x.isDouble()) {
            out[i] = x.toDouble();
        } else {
            return false;
        }
    }
    return true;
}

uint32_t flagsFrom(const QJsonValue &v)
{
    return static_cast<uint32_t>(v.toInteger());
}

} // namespace

QByteArray chartFileBytes(const ChartContent &c)
{
    QJsonArray series;
    for (size_t s = 0; s < c.values.size(); ++s) {
        const int i = static_cast<int>(s);
        series.append(QJsonObject{{"legend", i < c.legends.size() ? c.legends[i] : QString()},
                                  {"values", valuesJson(c.values[s])}});
    }
    QJsonArray labels;
    for (const auto &[j, text] : c.labels) {
        labels.append(QJsonObject{{"index", j}, {"text", text}});
    }
    QJsonArray bands;
    for (const ChartBand &b : c.bands) {
        bands.append(QJsonObject{{"from", b.fromPoint}, {"to", b.toPoint}, {"color", colorJson(b.color)}});
    }
    QJsonArray boxes;
    for (const ChartBox &b : c.boxes) {
        boxes.append(boxJson(b));
    }
    const QJsonObject font{{"name", c.labelFont.name},
                           {"points", c.labelFont.points},
                           {"bold", c.labelFont.bold},
                           {"color", colorJson(c.labelFont.color)}};
    const QJsonObject root{
        {"points", c.points},
        {"series", series},
        {"valueAxis", QJsonObject{{"title", c.valueTitle}, {"min", c.valueMin}, {"max", c.valueMax}}},
        {"timeAxis", QJsonObject{{"font", font}, {"step", c.labelStep}, {"labels", labels}}},
        {"bands", bands},
        {"boxes", boxes},
        {"margins", QJsonArray{c.marginTop, c.marginBottom}},
        {"typeFlags", static_cast<qint64>(c.typeFlags)},
        {"styleFlags", static_cast<qint64>(c.styleFlags)},
        {"background", colorJson(c.background)},
        {"toolbarColor", colorJson(c.toolbarColor)},
    };
    QByteArray bytes(kChartFileMagic);
    bytes += '\n';
    bytes += QJsonDocument(root).toJson(QJsonDocument::Compact);
    bytes += '\n';
    return bytes;
}

std::optional<ChartContent> parseChartFile(const QByteArray &bytes)
{
    const qsizetype eol = bytes.indexOf('\n');
    if (eol < 0 || bytes.left(eol).trimmed() != QByteArray(kChartFileMagic)) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes.mid(eol + 1), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        return std::nullopt;
    }
    const QJsonObject root = doc.object();
    ChartContent c;

    c.points = root.value("points").toInt(-1);
    const QJsonArray series = root.value("series").toArray();
    if (c.points < 0 || c.points > kChartFileMaxPoints || series.size() > kChartFileMaxSeries) {
        return std::nullopt;
    }
    for (const QJsonValue sv : series) {
        const QJsonObject so = sv.toObject();
        QVector<double> values;
        if (!valuesFrom(so.value("values"), c.points, values)) {
            return std::nullopt;
        }
        c.values.push_back(std::move(values));
        c.legends.append(so.value("legend").toString());
    }

    const QJsonObject axis = root.value("valueAxis").toObject();
    c.valueTitle = axis.value("title").toString();
    c.valueMin = axis.value("min").toDouble(0);
    c.valueMax = axis.value("max").toDouble(10);
    if (!std::isfinite(c.valueMin) || !std::isfinite(c.valueMax)) {
        return std::nullopt;
    }

    const QJsonObject time = root.value("timeAxis").toObject();
    const QJsonObject font = time.value("font").toObject();
    c.labelFont.name = font.value("name").toString(c.labelFont.name);
    c.labelFont.points = font.value("points").toDouble(c.labelFont.points);
    c.labelFont.bold = font.value("bold").toBool();
    c.labelFont.color = colorFrom(font.value("color")).value_or(ChartColor{});
    c.labelStep = time.value("step").toInt(1);
    if (c.labelStep < 1 || c.labelFont.points <= 0 || c.labelFont.points > 200) {
        return std::nullopt;
    }
    for (const QJsonValue lv : time.value("labels").toArray()) {
        const QJsonObject lo = lv.toObject();
        const int j = lo.value("index").toInt(-1);
        if (j < 0 || j > kChartFileMaxPoints) {
            return std::nullopt;
        }
        c.labels[j] = lo.value("text").toString();
    }

    for (const QJsonValue bv : root.value("bands").toArray()) {
        const QJsonObject bo = bv.toObject();
        const auto color = colorFrom(bo.value("color"));
        if (!color) {
            return std::nullopt;
        }
        c.bands.push_back(ChartBand{bo.value("from").toInt(), bo.value("to").toInt(), *color});
    }
    for (const QJsonValue bv : root.value("boxes").toArray()) {
        const auto box = boxFrom(bv);
        if (!box) {
            return std::nullopt;
        }
        c.boxes.push_back(*box);
    }

    const QJsonArray margins = root.value("margins").toArray();
    if (margins.size() == 2) {
        // A margin is at most half the chart's height, as setMargins allows.
        c.marginTop = std::clamp(margins[0].toInt(c.marginTop), 0, kMaxChartMargin);
        c.marginBottom = std::clamp(margins[1].toInt(c.marginBottom), 0, kMaxChartMargin);
    }
    c.typeFlags = flagsFrom(root.value("typeFlags"));
    c.styleFlags = flagsFrom(root.value("styleFlags"));
    c.background = colorFrom(root.value("background")).value_or(c.background);
    c.toolbarColor = colorFrom(root.value("toolbarColor")).value_or(c.toolbarColor);
    return c;
}
