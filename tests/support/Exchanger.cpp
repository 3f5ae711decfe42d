#include "support/Exchanger.h"

#include <fcntl.h>
#include <stdio.h>

namespace testsupport {

Exchanger::Exchanger(std::string first, std::string second)
    : first_(std::move(first)), second_(std::move(second)), thread_([this] {
          while (!done_.load())
              if (renameat2(AT_FDCWD, first_.c_str(), AT_FDCWD, second_.c_str(), RENAME_EXCHANGE) == 0) ++exchanges_;
      }) {}

Exchanger::~Exchanger() { stop(); }

void Exchanger::stop() {
    done_.store(true);
    if (thread_.joinable()) thread_.join();
}

}  // namespace testsupport
