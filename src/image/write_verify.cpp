#include "image/write_verify.h"

namespace vornik {

namespace {

std::vector<Mismatch> differences(const ConfigImage& written, const ConfigImage& readBack) {
    std::vector<Mismatch> list;
    for (std::size_t a = 0; a < kImageSize; ++a)
        if (written[a] != readBack[a]) list.push_back({static_cast<std::uint16_t>(a), readBack[a]});
    return list;
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
    }
    return "?";
}

WriteResult WriteAndVerify(CommandProtocol& protocol, const ConfigImage& image,
                           MessageSink& messages, VerifyRecord* record) {
    VerifyRecord local;
    VerifyRecord& r = record ? *record : local;
    r = VerifyRecord{};
    if (auto* observer = protocol.observer()) observer->showLoadingWindow();
    r.VerifyBuf.fill(0xFF);

    auto fail = [&] {
        r.transferFailed = true;
        // A half-written mouse must not look like a written one.
        messages.messageDialog("Str109");
        return WriteResult::Failed;
    };
    if (!protocol.WriteBlock(0, kImageSize, image)) return fail();
    if (!protocol.ReadBlock(0, kImageSize, r.VerifyBuf)) return fail();
    r.MismatchList[0] = differences(image, r.VerifyBuf);

    for (int pass = 1; pass <= 3 && !r.MismatchList[pass - 1].empty(); ++pass) {
        r.passes = pass;
        for (const Mismatch& m : r.MismatchList[pass - 1])
            if (!protocol.WriteBlock(m.address, 1, std::span(image).subspan(m.address, 1)))
                return fail();
        if (!protocol.ReadBlock(0, kImageSize, r.VerifyBuf)) return fail();
        r.MismatchList[pass] = differences(image, r.VerifyBuf);
    }
    if (!r.MismatchList[r.passes].empty()) {
        messages.messageDialog("Str109");
        return WriteResult::Failed;
    }
    return WriteResult::Verified;
}

}  // namespace vornik
