#include "statwindow/pyramidareareader.h"

#include "platform/vb/errors.h"
#include "statwindow/statareareader.h"

namespace veltra::statwindow {

namespace {

[[noreturn]] void raise(const StatAreaReader &reader)
{
    throw vb::FileError(reader.lastError().toStdString());
}

} // namespace

std::int32_t CreatePyramidStatArea(
    statdata::MeshDatabase &database, std::int32_t anaRange, const std::vector<QString> &codes)
{
    StatAreaReader reader(database, ReaderProfile::pyramid());
    std::int32_t count = 0;
    if (!reader.CreateStatArea(anaRange, 1, codes, count))
        raise(reader);
    return count;
}

bool ReadAgeData(statdata::MeshDatabase &database, QWidget *window, std::int32_t anaRange,
    std::vector<QString> &codes, const QString &itemFolder, std::int32_t classCount, std::int32_t startField1,
    std::int32_t startField2)
{
    StatAreaReader reader(database, ReaderProfile::pyramid());
    reader.setWindow(window);
    const bool found
        = reader.ReadPyramidSeries(anaRange, codes, itemFolder, classCount, startField1, startField2);
    if (!found && !reader.lastError().isEmpty())
        raise(reader);
    return found;
}

} // namespace veltra::statwindow
