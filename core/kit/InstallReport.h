#pragma once

#include <string>

namespace core {

// The one-time report of a new installation, sent during the first launch: a GET request to
// "<site>/userinfo.php" with uid, ptype "Duridove" and install 1. The site is a build setting
// (DURIDOVE_REPORT_SITE), empty unless the maker sets one; without a site nothing is sent.
class InstallReport {
public:
    explicit InstallReport(std::string site = buildSite(), std::string machineIdFile = "/etc/machine-id");
    static std::string buildSite();

    // The first-launch steps: while the settings say "IsFristTime" "0", open the install page,
    // send the report and store "1", so later launches do neither. True when they ran.
    bool runFirstLaunchSteps() const;
    // Sends the report and logs the answer; waits for it on the calling thread.
    void sendInstallRequest() const;
    // A stable identifier of this machine for this application: a keyed hash of the machine id,
    // never the machine id itself (machine-id(5) asks that it is not sent out). "" (and a log
    // line) when the machine id cannot be read.
    std::string getOrCreateUID() const;
    std::string requestURL(const std::string& uid) const;

private:
    std::string site_;
    std::string machineIdFile_;
};

}  // namespace core
