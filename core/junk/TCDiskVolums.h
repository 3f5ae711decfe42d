#pragma once

#include "core/junk/TCVolumDetail.h"

#include <vector>

namespace core::junk {

// The mounted volumes as volume records, enumerated afresh on every call.
class TCDiskVolums {
public:
    // The volumes in the order the system lists them; volumes without any space are left out.
    const std::vector<TCVolumDetail>& allDiskVolums();
    const std::vector<TCVolumDetail>& volumesArr() const { return volumesArr_; }

private:
    void enumVolumesInfo();

    std::vector<TCVolumDetail> volumesArr_;
};

}  // namespace core::junk
