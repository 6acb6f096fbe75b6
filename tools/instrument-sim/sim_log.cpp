#include "sim_log.h"

SimLog::~SimLog()
{
    if (own_) {
        std::fclose(file_);
    }
}

bool SimLog::open(const QString &path)
{
    if (path.isEmpty()) {
        return true;
    }
    FILE *f = std::fopen(path.toLocal8Bit().constData(), "w");
    if (f == nullptr) {
        return false;
    }
    file_ = f;
    own_ = true;
    return true;
}

void SimLog::event(const QString &text)
{
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
    std::fprintf(file_, "[%8.3f] %s\n", static_cast<double>(ms.count()) / 1000.0,
                 text.toLocal8Bit().constData());
    std::fflush(file_);
}
