#pragma once

#include "platform/privileged/PrivilegedSession.h"

#include <deque>
#include <string>
#include <vector>

namespace testsupport {

// A privileged session that asks nobody: each time the right is asked for it takes the next
// planned answer (granted once the plan is used up) and counts the prompt; removals are only
// recorded and answered with the planned reply.
class FakePrivilegedSession : public platform::PrivilegedSession {
public:
    std::deque<Outcome> answers;  // what the next prompts answer
    Removal reply{0, "", true};   // what every removal answers: a clean removal unless planned
    int prompts = 0;
    std::vector<std::string> removed;  // the paths of the requests
    std::vector<platform::PrivilegedProtocol::Request> requests;

    Outcome authorize(int* status) override {
        if (authorized_) return Outcome::Granted;
        ++prompts;
        Outcome answer = Outcome::Granted;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        authorized_ = answer == Outcome::Granted;
        if (status) *status = authorized_ ? 0 : 126;
        return answer;
    }
    bool isAuthorized() override { return authorized_; }
    std::optional<Removal> removeItem(const platform::PrivilegedProtocol::Request& request) override {
        if (!authorized_) return std::nullopt;
        removed.push_back(request.path);
        requests.push_back(request);
        return reply;
    }
    bool release() override {
        authorized_ = false;
        return true;
    }
    // The privileged side goes away as a crashed helper would.
    void loseRight() { authorized_ = false; }

private:
    bool authorized_ = false;
};

}  // namespace testsupport
