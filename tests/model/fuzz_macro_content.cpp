// Decoding any stored content: the walk ends, reads nothing outside the content, gives lines
// of the editor's forms, and what it gives encodes again into no more event bytes than it read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/macro_content.h"

namespace {

using namespace vornik;

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Up to 224 bytes fill a device content, longer inputs a driver block; zeros after them.
    const MacroForm form = size <= kMacroContentSize ? MacroForm::Device : MacroForm::Driver;
    std::vector<std::uint8_t> content(contentSize(form), 0);
    std::copy_n(data, std::min(size, content.size()), content.begin());

    const DecodedMacro decoded = decodeContent(content, form);
    const std::size_t length = storedLength(content, form);
    const bool empty = length == 0 || length == (form == MacroForm::Device ? 0xFFu : 0xFFFFu);
    check(decoded.empty == empty);
    if (empty) {
        check(decoded.script.empty());
        return 0;
    }
    check(!decoded.script.empty() && decoded.script.front() == headerLine(decoded.header));
    for (std::size_t i = 1; i < decoded.script.size(); ++i)
        check(lineKind(decoded.script[i]).has_value());

    const std::size_t start = form == MacroForm::Device ? 2 : 3;
    const std::size_t readable = std::min(length - 1, content.size() - start);
    const EncodedMacro again =
        encodeScript(decoded.script, decoded.releaseStops.value_or(false), form);
    check(again.status != EncodeStatus::BadLine);
    check(again.eventBytes <= readable);
    if (readable <= eventCapacity(form)) check(again.ok());
    if (again.ok()) check(again.content.size() == content.size());
    return 0;
}
