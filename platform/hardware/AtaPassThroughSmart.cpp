#include "platform/hardware/AtaPassThroughSmart.h"

#include <fcntl.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>

#include <array>

namespace platform {
namespace {

constexpr uint8_t kAtaPassThrough16 = 0x85;
constexpr uint8_t kProtocolNonData = 3;
constexpr uint8_t kProtocolPioDataIn = 4;
// Data comes from the device, its length counted in blocks given in the sector count field.
constexpr uint8_t kDataInOneBlock = 0x0E;
constexpr uint8_t kSmartCommand = 0xB0;
constexpr uint8_t kIdentifyDevice = 0xEC;
constexpr uint8_t kSmartReadData = 0xD0;
constexpr uint8_t kSmartReadThresholds = 0xD1;
constexpr uint8_t kSmartEnableOperations = 0xD8;
constexpr uint8_t kSmartDisableOperations = 0xD9;
constexpr unsigned kTimeoutMilliseconds = 5000;

// Translators may answer a successful pass-through with "ATA pass-through information available".
bool isOnlyPassThroughInformation(const std::array<uint8_t, 32>& sense) {
    bool descriptorFormat = (sense[0] & 0x7F) >= 0x72;
    uint8_t key = (descriptorFormat ? sense[1] : sense[2]) & 0x0F;
    uint8_t asc = descriptorFormat ? sense[2] : sense[12];
    uint8_t ascq = descriptorFormat ? sense[3] : sense[13];
    return key == 0x01 && asc == 0x00 && ascq == 0x1D;
}

}  // namespace

std::unique_ptr<AtaPassThroughSmart> AtaPassThroughSmart::open(const std::string& deviceNode) {
    FileDescriptor device(::open(deviceNode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!device.isOpen()) return nullptr;
    std::unique_ptr<AtaPassThroughSmart> smart(new AtaPassThroughSmart(std::move(device)));
    if (!smart->identifiesSmart()) return nullptr;
    return smart;
}

bool AtaPassThroughSmart::identifiesSmart() {
    std::vector<uint8_t> identify;
    if (command(kIdentifyDevice, 0, &identify) != kIOReturnSuccess) return false;
    // Word 82 bit 0: the S.M.A.R.T. feature set is supported.
    return (identify[82 * 2] & 0x01) != 0;
}

int AtaPassThroughSmart::SMARTEnableDisableOperations(bool enable) {
    return command(kSmartCommand, enable ? kSmartEnableOperations : kSmartDisableOperations, nullptr);
}

int AtaPassThroughSmart::SMARTReadData(std::vector<uint8_t>& page) {
    return command(kSmartCommand, kSmartReadData, &page);
}

int AtaPassThroughSmart::SMARTReadDataThresholds(std::vector<uint8_t>& page) {
    return command(kSmartCommand, kSmartReadThresholds, &page);
}

int AtaPassThroughSmart::command(uint8_t ataCommand, uint8_t features, std::vector<uint8_t>* page) {
    std::array<uint8_t, 16> cdb{};
    cdb[0] = kAtaPassThrough16;
    cdb[1] = static_cast<uint8_t>((page ? kProtocolPioDataIn : kProtocolNonData) << 1);
    cdb[2] = page ? kDataInOneBlock : 0;
    cdb[4] = features;
    cdb[6] = page ? 1 : 0;  // one block of data
    if (ataCommand == kSmartCommand) {
        cdb[10] = 0x4F;  // the S.M.A.R.T. signature in LBA mid and high
        cdb[12] = 0xC2;
    }
    cdb[14] = ataCommand;

    std::array<uint8_t, 32> sense{};
    std::vector<uint8_t> data(page ? kPageSize : 0, 0);
    sg_io_hdr_t request{};
    request.interface_id = 'S';
    request.dxfer_direction = page ? SG_DXFER_FROM_DEV : SG_DXFER_NONE;
    request.cmd_len = cdb.size();
    request.cmdp = cdb.data();
    request.mx_sb_len = sense.size();
    request.sbp = sense.data();
    request.dxfer_len = static_cast<unsigned>(data.size());
    request.dxferp = page ? data.data() : nullptr;
    request.timeout = kTimeoutMilliseconds;
    if (ioctl(device_.get(), SG_IO, &request) != 0) return kIOReturnError;
    bool passed = (request.info & SG_INFO_OK_MASK) == SG_INFO_OK ||
                  (request.host_status == 0 && request.sb_len_wr > 0 && isOnlyPassThroughInformation(sense));
    if (!passed) return kIOReturnError;
    if (page) *page = std::move(data);
    return kIOReturnSuccess;
}

}  // namespace platform
