// The privileged remover, started through pkexec by a privileged session of the application.
// It says "ready", then for each request (an item's path with the identities of its folder and
// of the item as the application listed them) reaches the item's folder from "/" without
// passing through any link, checks that it is still the folder that was listed, and removes
// the item through the same checked route as the application: the item is removed only while
// it is the item that was listed, a folder is emptied through its open descriptor and its name
// goes last, and no other file system mounted below it is entered. So a folder swapped for a
// link or for a look-alike after the application chose the item is refused, never removed.
// It replies with the exit status, whether the item is gone from its folder and what went
// wrong. A path that is not absolute and normalised, is "/" or passes through a link is
// refused. It ends at the end of its input, or at a request it cannot read.
#include "platform/files/AtomicFile.h"
#include "platform/files/FileIdentity.h"
#include "platform/files/ItemRemoval.h"
#include "platform/files/LinkFreePath.h"
#include "platform/privileged/PrivilegedProtocol.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

using platform::FileIdentity;
using platform::ItemRemoval;
using platform::LinkFreePath;
using platform::PrivilegedProtocol;

namespace {

// Reads requests from the standard input; a request line is looked for only within its
// longest length, and a path is read to its announced length and no further.
class RequestReader {
public:
    // The next request; nothing at the end of the input or when the input is not a request.
    std::optional<PrivilegedProtocol::Request> next() {
        std::optional<size_t> end = lineEnd();
        if (!end) return std::nullopt;
        auto header = PrivilegedProtocol::parseRequestLine(buffer_.substr(0, *end));
        buffer_.erase(0, *end + 1);
        scanned_ = 0;
        if (!header || !fill(header->length)) return std::nullopt;
        PrivilegedProtocol::Request request{buffer_.substr(0, header->length), header->folder, header->item};
        buffer_.erase(0, header->length);
        return request;
    }

private:
    std::optional<size_t> lineEnd() {
        for (;;) {
            size_t end = buffer_.find('\n', scanned_);
            if (end != std::string::npos) return end;
            scanned_ = buffer_.size();
            if (scanned_ > PrivilegedProtocol::kLongestRequestLine || !readMore()) return std::nullopt;
        }
    }

    bool fill(size_t length) {
        while (buffer_.size() < length)
            if (!readMore()) return false;
        return true;
    }

    bool readMore() {
        char chunk[4096];
        for (;;) {
            ssize_t length = read(STDIN_FILENO, chunk, sizeof chunk);
            if (length < 0 && errno == EINTR) continue;
            if (length <= 0) return false;
            buffer_.append(chunk, static_cast<size_t>(length));
            return true;
        }
    }

    std::string buffer_;
    size_t scanned_ = 0;
};

std::string refusal(const std::string& reason) {
    return PrivilegedProtocol::reply(PrivilegedProtocol::kRefusedStatus, false, "refused: " + reason + "\n");
}

std::string removeItem(const PrivilegedProtocol::Request& request) {
    const std::string& path = request.path;
    if (auto reason = PrivilegedProtocol::refusalReason(path)) return refusal(path.substr(0, 200) + ": " + *reason);
    LinkFreePath::Parent parent = LinkFreePath::openParentBelow("/", path);
    if (parent.reach == LinkFreePath::Reach::ThroughLink) return refusal(path + ": passes through a link");
    if (parent.reach == LinkFreePath::Reach::Missing) return PrivilegedProtocol::reply(0, true, "");
    if (FileIdentity::ofDescriptor(parent.folder.get()) != request.folder)
        return refusal(path + ": its folder is not the one that was chosen");
    ItemRemoval::Options options;
    options.oneFileSystem = true;
    ItemRemoval::Result result = ItemRemoval::removeAt(parent.folder.get(), parent.name, request.item, path, options);
    switch (result.outcome) {
        case ItemRemoval::Outcome::Removed:
        case ItemRemoval::Outcome::Gone:
            return PrivilegedProtocol::reply(0, true, "");
        case ItemRemoval::Outcome::Refused:
            return refusal(result.reason);
        case ItemRemoval::Outcome::Failed:
            break;
    }
    std::optional<FileIdentity> left = FileIdentity::ofEntryAt(parent.folder.get(), parent.name);
    return PrivilegedProtocol::reply(1, !left || *left != request.item, result.reason + "\n");
}

}  // namespace

int main() {
    if (!platform::writeAll(STDOUT_FILENO, PrivilegedProtocol::kReady)) return 1;
    RequestReader requests;
    while (std::optional<PrivilegedProtocol::Request> request = requests.next())
        if (!platform::writeAll(STDOUT_FILENO, removeItem(*request))) return 1;
    return 0;
}
