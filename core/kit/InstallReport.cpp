#include "core/kit/InstallReport.h"

#include "core/kit/EULinkUrl.h"
#include "core/kit/SettingsFile.h"
#include "platform/desktop/HttpClient.h"
#include "platform/system/CryptoLibrary.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/Log.h"
#include "platform/desktop/Workspace.h"

#include <array>
#include <charconv>
#include <optional>

#ifndef DURIDOVE_REPORT_SITE
#define DURIDOVE_REPORT_SITE ""
#endif

namespace core {
namespace {

using Id128 = std::array<unsigned char, 16>;

// This application's own key for deriving its machine identifier.
constexpr Id128 kApplicationId = {0x8c, 0x25, 0x95, 0xe8, 0xdd, 0x02, 0x41, 0x9b,
                                  0x2c, 0x9f, 0xfb, 0xe6, 0x1f, 0xb3, 0xa9, 0x28};

// 32 hexadecimal digits, as machine-id(5) stores them, followed by nothing but a newline.
std::optional<Id128> parseMachineId(const std::string& text) {
    size_t end = text.find_last_not_of("\n");
    if (end == std::string::npos || end + 1 != 32) return std::nullopt;
    Id128 id{};
    for (size_t i = 0; i < id.size(); ++i) {
        auto [stop, error] = std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, id[i], 16);
        if (error != std::errc() || stop != text.data() + 2 * i + 2) return std::nullopt;
    }
    return id;
}

// HMAC-SHA256 of the application id keyed with the machine id, cut to 128 bits and marked as
// a version 4 UUID, written like the hardware UUIDs it stands for. Empty, with a log line, when
// the digest cannot be made.
std::string applicationSpecificUUID(const Id128& machineId) {
    const platform::CryptoLibrary* crypto = platform::CryptoLibrary::loaded();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!crypto || !crypto->HMAC(crypto->EVP_sha256(), machineId.data(), static_cast<int>(machineId.size()),
                                 kApplicationId.data(), kApplicationId.size(), digest, &length) ||
        length < 16) {
        platform::logError("Install report: no digest of the machine id could be made");
        return "";
    }
    digest[6] = (digest[6] & 0x0f) | 0x40;
    digest[8] = (digest[8] & 0x3f) | 0x80;
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += kDigits[digest[i] >> 4];
        text += kDigits[digest[i] & 0x0f];
    }
    return text;
}

}  // namespace

InstallReport::InstallReport(std::string site, std::string machineIdFile)
    : site_(std::move(site)), machineIdFile_(std::move(machineIdFile)) {
    while (!site_.empty() && site_.back() == '/') site_.pop_back();
}

std::string InstallReport::buildSite() { return DURIDOVE_REPORT_SITE; }

bool InstallReport::runFirstLaunchSteps() const {
    if (SettingsFile::valueForKey("IsFristTime").toString() != "0") return false;
    std::string page = EULinkUrl::GetUrl("InstallURL");
    if (!page.empty()) platform::Workspace::shared()->openURL(page);
    sendInstallRequest();
    SettingsFile::setValue("IsFristTime", "1");
    return true;
}

std::string InstallReport::getOrCreateUID() const {
    auto text = platform::readKernelFile(machineIdFile_);
    if (!text) {
        platform::logError("❌ 无法找到 IOPlatformExpertDevice 服务");
        return "";
    }
    auto machineId = parseMachineId(*text);
    if (!machineId) {
        platform::logError("❌ 无法读取硬件 UUID 属性");
        return "";
    }
    return applicationSpecificUUID(*machineId);
}

std::string InstallReport::requestURL(const std::string& uid) const {
    return site_ + "/userinfo.php?uid=" + uid + "&ptype=Duridove&install=1";
}

void InstallReport::sendInstallRequest() const {
    if (site_.empty()) {
        platform::logInfo("install report not sent: no report site was set for this build");
        return;
    }
    platform::HttpReply reply = platform::HttpClient::shared()->get(requestURL(getOrCreateUID()));
    if (!reply.ok) platform::logWarning("请求失败: " + reply.error);
    else platform::logInfo("响应: " + reply.body);
}

}  // namespace core
