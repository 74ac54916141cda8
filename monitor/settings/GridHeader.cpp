#include "monitor/settings/GridHeader.h"

#include "monitor/settings/SettingsStream.h"

namespace baudrill {

void GridHeader::Serialize(SettingsStream& stream)
{
    int version = StoredVersion;
    stream.SerializePacked(version);
    if (stream.IsLoading() && version != StoredVersion)
        stream.SetError();
    int count = static_cast<int>(columns.size());
    stream.SerializeCount(count, ColumnBytes);
    if (stream.IsLoading()) {
        if (stream.IsError())
            return;
        if (count > MaxColumns) {
            stream.SetError();
            return;
        }
        columns.assign(static_cast<std::size_t>(count), HeaderColumn{});
    }
    for (HeaderColumn& column : columns)
        stream % column.index % column.ratio % column.visible;
}

std::vector<double> GridHeader::Ratios() const
{
    std::vector<double> ratios;
    for (const HeaderColumn& column : columns)
        ratios.push_back(column.ratio);
    return ratios;
}

GridHeader GridHeader::OfRatios(const std::vector<double>& ratios)
{
    GridHeader header;
    for (std::size_t i = 0; i < ratios.size(); ++i)
        header.columns.push_back({static_cast<int>(i), ratios[i], true});
    return header;
}

}  // namespace baudrill
