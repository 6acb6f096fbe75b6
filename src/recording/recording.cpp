#include "recording/recording.h"

#include "platform/textformat.h"

bool Cell::isEmpty() const
{
    if (std::holds_alternative<std::monostate>(v_)) {
        return true;
    }
    if (const auto *s = std::get_if<QString>(&v_)) {
        return s->isEmpty();
    }
    return false;
}

QString Cell::text() const
{
    if (const auto *s = std::get_if<QString>(&v_)) {
        return *s;
    }
    if (const auto *d = std::get_if<double>(&v_)) {
        return textformat::numberText(*d);
    }
    return {};
}

double Cell::number() const
{
    if (const auto *d = std::get_if<double>(&v_)) {
        return *d;
    }
    if (const auto *s = std::get_if<QString>(&v_)) {
        return textformat::leadingNumber(*s);
    }
    return 0.0;
}

int Recording::openCount() const
{
    int n = 0;
    for (int s = 0; s < kSlots; ++s) {
        if (slotInUse(s)) {
            ++n;
        }
    }
    return n;
}

void ModeTable::fill()
{
    static constexpr std::array<int, 12> kMinutes{15, 5, 1, 15, 5, 1, 15, 5, 1, 15, 5, 1};
    for (int r = 0; r < 12; ++r) {
        minutes_[r] = kMinutes[r];
        const bool cont = (r % 6) < 3;
        memory_[r] = cont ? QStringLiteral("Cont") : QStringLiteral("Stop");
    }
    minutes_[12] = 0;
    memory_[12].clear();
    filled_ = true;
}

void ModeTable::clear()
{
    *this = ModeTable{};
}

int ModeTable::row(const QString &letter)
{
    if (letter.size() != 1) {
        return -1;
    }
    const int r = letter.at(0).unicode() - 'a';
    return (r >= 0 && r <= 12) ? r : -1;
}

std::optional<int> ModeTable::interval(const QString &letter) const
{
    const int r = row(letter);
    if (!filled_ || r < 0) {
        return std::nullopt;
    }
    return minutes_[r];
}

std::optional<QString> ModeTable::intervalText(const QString &letter) const
{
    const int r = row(letter);
    if (!filled_ || r < 0) {
        return std::nullopt;
    }
    return memory_[r].isEmpty() ? QString() : QString::number(minutes_[r]);
}

std::optional<QString> ModeTable::memory(const QString &letter) const
{
    const int r = row(letter);
    if (!filled_ || r < 0) {
        return std::nullopt;
    }
    return memory_[r];
}
