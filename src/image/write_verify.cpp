#include "image/write_verify.h"

#include <algorithm>

#include "formats/language_keys.h"

namespace vornik {

namespace {

// The addresses of the chunks the last block transfer from `address` left unacknowledged.
std::vector<std::uint16_t> failedAddresses(const CommandProtocol& protocol, std::size_t address,
                                           std::size_t length) {
    std::vector<std::uint16_t> list;
    for (const std::size_t chunk : protocol.lastBlock().failedChunks)
        for (std::size_t a = chunk * kChunkSize; a < std::min(length, (chunk + 1) * kChunkSize);
             ++a)
            list.push_back(static_cast<std::uint16_t>(address + a));
    return list;
}

// Compares the read-back with the image; bytes of chunks that were not returned are unknown and
// compared with nothing.
void compare(const ConfigImage& written, const CommandProtocol& protocol, VerifyRecord& r,
             int pass) {
    auto& unreadable = r.unreadable[static_cast<std::size_t>(pass)];
    unreadable = failedAddresses(protocol, 0, kImageSize);
    auto& differ = r.mismatches[static_cast<std::size_t>(pass)];
    differ.clear();
    auto next = unreadable.begin();
    for (std::size_t a = 0; a < kImageSize; ++a) {
        if (next != unreadable.end() && *next == a) {
            ++next;
            continue;
        }
        if (written[a] != r.readBackImage[a])
            differ.push_back({static_cast<std::uint16_t>(a), r.readBackImage[a]});
    }
}

}  // namespace

const char* writeResultName(WriteResult result) {
    switch (result) {
        case WriteResult::Verified:
            return "written and verified";
        case WriteResult::NotWritten:
            return "not written";
        case WriteResult::Failed:
            return "failed";
        case WriteResult::Interrupted:
            return "interrupted";
    }
    return "?";
}

bool VerifyRecord::passClean(int pass) const {
    const auto p = static_cast<std::size_t>(pass);
    return mismatches[p].empty() && unreadable[p].empty() && unacknowledged[p].empty();
}

std::vector<std::uint16_t> addressesToRewrite(const VerifyRecord& record, int pass) {
    const auto p = static_cast<std::size_t>(pass - 1);
    std::vector<std::uint16_t> list = record.unreadable[p];
    list.insert(list.end(), record.unacknowledged[p].begin(), record.unacknowledged[p].end());
    for (const Mismatch& m : record.mismatches[p]) list.push_back(m.address);
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
}

WriteResult writeAndVerify(CommandProtocol& protocol, const ConfigImage& image,
                           MessageSink& messages, VerifyRecord* record) {
    VerifyRecord local;
    VerifyRecord& r = record ? *record : local;
    r = VerifyRecord{};
    TransferObserver* observer = protocol.observer();
    if (observer) observer->showLoadingWindow();
    r.readBackImage.fill(0xFF);

    auto phase = [&](TransferPhase p, std::size_t chunks) {
        if (observer) observer->transferPhase(p, chunks);
    };
    auto fail = [&](TransferPhase p, const BlockReport& block) {
        r.transferFailed = true;
        r.failedPhase = p;
        r.failedBlock = block;
        if (block.end == BlockEnd::Interrupted) return WriteResult::Interrupted;
        // A half-written mouse must not look like a written one.
        messages.messageDialog(textkey::kFail);
        return WriteResult::Failed;
    };
    auto readBack = [&](int pass) {
        phase(TransferPhase::ReadBack, chunkCount(kImageSize));
        if (!protocol.readBlock(0, kImageSize, r.readBackImage)) return false;
        compare(image, protocol, r, pass);
        return true;
    };

    phase(TransferPhase::Write, chunkCount(kImageSize));
    if (!protocol.writeBlock(0, kImageSize, image))
        return fail(TransferPhase::Write, protocol.lastBlock());
    r.unacknowledged[0] = failedAddresses(protocol, 0, kImageSize);
    if (!readBack(0)) return fail(TransferPhase::ReadBack, protocol.lastBlock());

    for (int pass = 1; pass <= 3 && !r.passClean(pass - 1); ++pass) {
        r.passes = pass;
        const std::vector<std::uint16_t> rewrite = addressesToRewrite(r, pass);
        auto& unacknowledged = r.unacknowledged[static_cast<std::size_t>(pass)];
        phase(TransferPhase::Repair, rewrite.size());
        std::size_t failedInARow = 0;
        for (const std::uint16_t address : rewrite) {
            if (!protocol.writeBlock(address, 1, std::span(image).subspan(address, 1)))
                return fail(TransferPhase::Repair, protocol.lastBlock());
            if (protocol.lastBlockFailedChunks() == 0) {
                failedInARow = 0;
                continue;
            }
            unacknowledged.push_back(address);
            // One-byte blocks have one chunk each; a mouse refusing them all is given up on
            // as within one block.
            if (++failedInARow == kMaxFailedChunksInARow) {
                BlockReport block = protocol.lastBlock();
                block.end = BlockEnd::GaveUp;
                return fail(TransferPhase::Repair, block);
            }
        }
        if (!readBack(pass)) return fail(TransferPhase::ReadBack, protocol.lastBlock());
    }
    if (!r.passClean(r.passes)) {
        messages.messageDialog(textkey::kFail);
        return WriteResult::Failed;
    }
    return WriteResult::Verified;
}

}  // namespace vornik
