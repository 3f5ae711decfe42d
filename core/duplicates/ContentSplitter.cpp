#include "core/duplicates/ContentSplitter.h"

#include "core/duplicates/EqualRuns.h"
#include "core/duplicates/crc.h"
#include "core/kit/ParallelLoop.h"
#include "platform/files/OpenFileLimit.h"

#include <algorithm>
#include <mutex>

namespace core {
namespace {

constexpr std::uint64_t firstRoundEnd = 4u << 10;
constexpr std::uint64_t secondRoundEnd = 64u << 10;
constexpr std::size_t mostOpenPerWorker = 32;
constexpr std::size_t leastOpenPerWorker = 2;

// A file of at most one chunk is read whole at once. Of a longer one the first round reads
// 4 KiB, as different files of one size mostly differ early and a large class of them is then
// read little; the next round reads to 64 KiB and each later one four times as far as the one
// before; a rest no longer than what was read by then is read with it.
std::uint64_t roundEnd(std::uint64_t hashedTo, std::uint64_t size) {
    if (size <= algorithm::chunkLength) return size;
    const std::uint64_t end = hashedTo == 0 ? firstRoundEnd : std::max(secondRoundEnd, hashedTo * 4);
    return end >= size || size - end <= end ? size : end;
}

}  // namespace

// Some members of one class (positions begin to end, past the first) compared with its first.
struct ContentSplitter::Batch {
    enum class Seen : unsigned char { Same, Differs, Unreadable };
    std::size_t classIndex = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
    std::uint64_t bytes = 0;
    std::vector<Seen> seen;  // for positions begin to end; all Same until compared
    bool firstFailed = false;
    bool interrupted = false;
};

// One pass of comparisons: the classes, their batches, and what is left for the next pass.
struct ContentSplitter::Pass {
    Pass(std::vector<Class> compared, std::vector<Batch> batchesOfAll)
        : classes(std::move(compared)),
          batches(std::move(batchesOfAll)),
          batchesOfClass(classes.size()),
          batchesLeft(new std::atomic<std::size_t>[classes.size()]) {
        for (std::size_t position = 0; position < batches.size(); ++position)
            batchesOfClass[batches[position].classIndex].push_back(position);
        for (std::size_t i = 0; i < classes.size(); ++i) batchesLeft[i] = batchesOfClass[i].size();
    }

    std::vector<Class> classes;
    std::vector<Batch> batches;
    std::vector<Indices> batchesOfClass;
    std::unique_ptr<std::atomic<std::size_t>[]> batchesLeft;
    std::mutex mutex;  // over next and the copies found
    std::vector<Class> next;
};

ContentSplitter::ContentSplitter(Setting setting, Settle settle)
    : setting_(std::move(setting)),
      settle_(std::move(settle)),
      workerCount_(std::max<std::size_t>(1, setting_.workers->size())) {
    splitters_.reserve(workerCount_);
    for (const auto& worker : *setting_.workers) splitters_.emplace_back(*worker, setting_.stop, setting_.progress);
    recent_.resize(workerCount_);
}

std::size_t ContentSplitter::openFilesPerWorker(std::size_t workerCount) {
    // All workers together take at most a quarter of the limit.
    const std::size_t share = platform::openFileLimit() / 4 / std::max<std::size_t>(1, workerCount);
    return std::clamp(share, leastOpenPerWorker, mostOpenPerWorker);
}

std::vector<ContentSplitter::Indices> ContentSplitter::split(std::vector<fileAttrbItem>& candidates,
                                                             const std::vector<Indices>& sameSize) {
    const std::size_t heldOpen = openFilesPerWorker(workerCount_);
    std::vector<Indices> few, many;
    for (const Indices& members : sameSize) (members.size() <= heldOpen ? few : many).push_back(members);
    std::vector<Indices> copies = splitInStep(candidates, few);
    for (Indices& copy : confirmedClasses(candidates, digestedClasses(candidates, many))) copies.push_back(std::move(copy));
    return copies;
}

// Every class on one worker, all classes at once, the classes of most bytes first, so no worker
// is left alone with a big one at the end.
std::vector<ContentSplitter::Indices> ContentSplitter::splitInStep(std::vector<fileAttrbItem>& candidates,
                                                                   const std::vector<Indices>& classes) {
    Indices order(classes.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    auto bytes = [&](std::size_t i) { return candidates[classes[i].front()].fileSize * classes[i].size(); };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return bytes(a) > bytes(b); });
    std::vector<std::vector<Indices>> found(classes.size());
    runInParallel(setting_.pool, workerCount_, order.size(), [&](std::size_t worker, std::size_t position) {
        const Indices& members = classes[order[position]];
        std::vector<const fileAttrbItem*> files;
        for (std::size_t index : members) files.push_back(&candidates[index]);
        StepSplitter::Split split;
        if (!splitters_[worker].split(files, split)) {
            for (std::size_t index : members) settle_(index, Verdict::Undecided);
            return;
        }
        settleInStep(candidates, members, split, found[order[position]]);
    });
    std::vector<Indices> copies;
    for (auto& copiesOfClass : found)
        for (Indices& copy : copiesOfClass) copies.push_back(std::move(copy));
    return copies;
}

void ContentSplitter::settleInStep(std::vector<fileAttrbItem>& candidates, const Indices& members,
                                   const StepSplitter::Split& split, std::vector<Indices>& copies) {
    std::vector<Verdict> verdicts(members.size(), Verdict::Unique);
    for (const Indices& positions : split.classes) {
        Indices copy;
        for (std::size_t position : positions) {
            copy.push_back(members[position]);
            verdicts[position] = Verdict::Copy;
        }
        copies.push_back(std::move(copy));
    }
    for (std::size_t position : split.unreadable) verdicts[position] = Verdict::Unreadable;
    for (std::size_t position = 0; position < members.size(); ++position) {
        if (split.wholeCrc[position] != 0) candidates[members[position]].md5 = split.wholeCrc[position];
        settle_(members[position], verdicts[position]);
    }
}

// The classes of members read to their end with one whole-file CRC.
std::vector<ContentSplitter::Class> ContentSplitter::digestedClasses(std::vector<fileAttrbItem>& candidates,
                                                                     const std::vector<Indices>& sameSize) {
    std::vector<Class> classes;
    for (const Indices& members : sameSize) {
        Class start;
        start.reserve(members.size());
        for (std::size_t index : members) {
            Member member;
            member.index = index;
            member.running = crc::initialValue;
            start.push_back(member);
        }
        classes.push_back(std::move(start));
    }
    std::vector<Class> digested;
    while (!classes.empty()) classes = readOneRound(candidates, std::move(classes), digested);
    return digested;
}

// Reads every member not at its end one round further and splits each class by the running
// values; the parts read to their end join digested, the others are returned. A stop settles
// everything undecided and returns nothing.
std::vector<ContentSplitter::Class> ContentSplitter::readOneRound(std::vector<fileAttrbItem>& candidates,
                                                                  std::vector<Class> classes,
                                                                  std::vector<Class>& digested) {
    std::vector<Member*> reading;
    for (Class& members : classes)
        for (Member& member : members)
            if (member.hashedTo < candidates[member.index].fileSize) reading.push_back(&member);
    auto left = [&](const Member* member) {
        return roundEnd(member->hashedTo, candidates[member->index].fileSize) - member->hashedTo;
    };
    // The longest reads first, so no worker is left alone with one at the end.
    std::stable_sort(reading.begin(), reading.end(), [&](const Member* a, const Member* b) { return left(a) > left(b); });
    runInParallel(setting_.pool, workerCount_, reading.size(), [&](std::size_t worker, std::size_t position) {
        if (stopRequested()) return;
        Member& member = *reading[position];
        fileAttrbItem& item = candidates[member.index];
        if (setting_.progress) setting_.progress->setCurrentPath(item.filePathName);
        const std::uint64_t end = roundEnd(member.hashedTo, item.fileSize);
        algorithm& reader = *(*setting_.workers)[worker];
        const bool wholeAtOnce = member.hashedTo == 0 && end == item.fileSize && end <= algorithm::chunkLength;
        member.failed = !reader.advanceCrc(item, member.hashedTo, end, member.running);
        member.hashedTo = end;
        if (!member.failed && wholeAtOnce)
            member.copyOf = recent_[worker].copyOf(member.index, member.running, reader.lastChunk(), end);
    });
    if (stopRequested()) {
        for (const std::vector<Class>* undecided : {&classes, &digested})
            for (const Class& members : *undecided) settleAll(members, Verdict::Undecided);
        digested.clear();
        return {};
    }

    std::vector<Class> next;
    for (const Class& members : classes) {
        Class readable;
        readable.reserve(members.size());
        for (const Member& member : members) {
            if (member.failed) settle_(member.index, Verdict::Unreadable);
            else readable.push_back(member);
        }
        Indices positions(readable.size());
        for (std::size_t i = 0; i < positions.size(); ++i) positions[i] = i;
        forEachRun(positions, [&](std::size_t i) { return readable[i].running; }, [&](const Indices& run) {
            if (run.size() == 1) {
                settle_(readable[run.front()].index, Verdict::Unique);
                return;
            }
            Class part;
            part.reserve(run.size());
            for (std::size_t i : run) part.push_back(readable[i]);
            const bool atEnd = part.front().hashedTo == candidates[part.front().index].fileSize;
            (atEnd ? digested : next).push_back(std::move(part));
        });
    }
    return next;
}

// Each class of equal whole-file CRC, compared byte for byte with its first member, in passes
// until every member is settled. Members already known to be copies of another member (read
// whole just after it) follow it and are not compared themselves.
std::vector<ContentSplitter::Indices> ContentSplitter::confirmedClasses(const std::vector<fileAttrbItem>& candidates,
                                                                        std::vector<Class> sameCrc) {
    std::vector<Indices> copies;
    std::vector<Class> pending;
    for (Class& members : sameCrc) {
        Class compared;
        for (const Member& member : members) {
            if (member.copyOf == RecentContents::none) compared.push_back(member);
            else followers_[member.copyOf].push_back(member.index);
        }
        // A copy's first is always among the compared: it was known to no worker before.
        if (compared.size() > 1) pending.push_back(std::move(compared));
        else settleAlone(compared.front().index, copies);
    }
    while (!pending.empty()) {
        std::vector<Batch> batches = batchesOf(candidates, pending);
        Pass pass(std::move(pending), std::move(batches));
        runInParallel(setting_.pool, workerCount_, pass.batches.size(), [&](std::size_t worker, std::size_t position) {
            Batch& batch = pass.batches[position];
            compare(candidates, pass.classes[batch.classIndex], batch, worker);
            // The worker that ends a class's last batch settles the class, so progress moves on.
            if (pass.batchesLeft[batch.classIndex].fetch_sub(1, std::memory_order_acq_rel) == 1)
                conclude(pass, batch.classIndex, copies);
        });
        pending = std::move(pass.next);
    }
    return copies;
}

// Settles a class from what its batches saw: the members equal to its first are copies of it,
// and those that differ from it are compared among themselves in the next pass. When the first
// could not be read, every other member is compared again with a new first; the followers of a
// member that could not be read are compared again themselves.
void ContentSplitter::conclude(Pass& pass, std::size_t classIndex, std::vector<Indices>& copies) {
    const Class& members = pass.classes[classIndex];
    std::vector<Batch::Seen> seen(members.size(), Batch::Seen::Same);
    bool firstFailed = false, interrupted = false;
    for (std::size_t position : pass.batchesOfClass[classIndex]) {
        const Batch& batch = pass.batches[position];
        firstFailed |= batch.firstFailed;
        interrupted |= batch.interrupted;
        std::copy(batch.seen.begin(), batch.seen.end(), seen.begin() + static_cast<std::ptrdiff_t>(batch.begin));
    }
    if (firstFailed) seen.front() = Batch::Seen::Unreadable;
    Indices same;
    Class others;
    for (std::size_t position = 0; position < members.size(); ++position) {
        const std::size_t index = members[position].index;
        if (interrupted) {
            settleWithFollowers(index, Verdict::Undecided);
        } else if (seen[position] == Batch::Seen::Unreadable) {
            settle_(index, Verdict::Unreadable);
            for (std::size_t follower : followersOf(index)) others.push_back(Member{follower});
        } else if (seen[position] == Batch::Seen::Same && !firstFailed) {
            same.push_back(index);
        } else {
            others.push_back(members[position]);
        }
    }
    if (interrupted) return;
    std::lock_guard<std::mutex> lock(pass.mutex);
    if (same.size() == 1) settleAlone(same.front(), copies);
    else if (!same.empty()) settleCopies(same, copies);
    if (others.size() == 1) settleAlone(others.front().index, copies);
    else if (others.size() > 1) pass.next.push_back(std::move(others));
}

// A member that no other compared member equals: a copy all the same when it has followers.
void ContentSplitter::settleAlone(std::size_t index, std::vector<Indices>& copies) {
    if (followersOf(index).empty()) settle_(index, Verdict::Unique);
    else settleCopies({index}, copies);
}

// Byte-equal members, and their followers, as one class of copies in member order.
void ContentSplitter::settleCopies(const Indices& same, std::vector<Indices>& copies) {
    Indices copy;
    for (std::size_t index : same) {
        copy.push_back(index);
        const Indices& followers = followersOf(index);
        copy.insert(copy.end(), followers.begin(), followers.end());
    }
    std::sort(copy.begin(), copy.end());
    for (std::size_t index : copy) settle_(index, Verdict::Copy);
    copies.push_back(std::move(copy));
}

void ContentSplitter::settleWithFollowers(std::size_t index, Verdict verdict) {
    settle_(index, verdict);
    for (std::size_t follower : followersOf(index)) settle_(follower, verdict);
}

const ContentSplitter::Indices& ContentSplitter::followersOf(std::size_t index) const {
    static const Indices noFollowers;
    const auto found = followers_.find(index);
    return found == followers_.end() ? noFollowers : found->second;
}

// The members of every class past its first, in batches small enough for one worker to hold
// open with the first; the batches of most bytes first.
std::vector<ContentSplitter::Batch> ContentSplitter::batchesOf(const std::vector<fileAttrbItem>& candidates,
                                                               const std::vector<Class>& classes) const {
    const std::size_t perBatch = openFilesPerWorker(workerCount_) - 1;
    std::vector<Batch> batches;
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const std::uint64_t size = candidates[classes[i].front().index].fileSize;
        for (std::size_t begin = 1; begin < classes[i].size(); begin += perBatch) {
            Batch batch;
            batch.classIndex = i;
            batch.begin = begin;
            batch.end = std::min(begin + perBatch, classes[i].size());
            batch.bytes = size * (batch.end - batch.begin + 1);
            batches.push_back(std::move(batch));
        }
    }
    std::stable_sort(batches.begin(), batches.end(), [](const Batch& a, const Batch& b) { return a.bytes > b.bytes; });
    return batches;
}

// The batch's members split with the class's first: those in the first's class are the same
// as it, the others differ.
void ContentSplitter::compare(const std::vector<fileAttrbItem>& candidates, const Class& members, Batch& batch,
                              std::size_t worker) {
    std::vector<const fileAttrbItem*> files{&candidates[members.front().index]};
    for (std::size_t position = batch.begin; position < batch.end; ++position)
        files.push_back(&candidates[members[position].index]);
    StepSplitter::Split split;
    if (!splitters_[worker].split(files, split)) {
        batch.interrupted = true;
        return;
    }
    batch.seen.assign(files.size() - 1, Batch::Seen::Differs);
    for (const Indices& positions : split.classes) {
        if (positions.front() != 0) continue;
        for (std::size_t i = 1; i < positions.size(); ++i) batch.seen[positions[i] - 1] = Batch::Seen::Same;
    }
    for (std::size_t position : split.unreadable) {
        if (position == 0) batch.firstFailed = true;
        else batch.seen[position - 1] = Batch::Seen::Unreadable;
    }
}

void ContentSplitter::settleAll(const Class& members, Verdict verdict) {
    for (const Member& member : members) settle_(member.index, verdict);
}

bool ContentSplitter::stopRequested() const { return setting_.stop && setting_.stop->load(std::memory_order_relaxed); }

}  // namespace core
