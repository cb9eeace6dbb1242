// Walking any fire macro record: it ends, finds operands only inside the body, and a write
// changes only the operand it found and the check byte; a record walked to its end renders to
// a script that compiles back into the same bytes.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/fire_record.h"

namespace {

using namespace vornik;

void check(bool condition) {
    if (!condition) std::abort();
}

void checkOperand(const std::optional<FireOperand>& operand, std::size_t length) {
    if (operand) check(operand->position >= 3 && operand->position <= length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FireMacroRecord record{};
    std::copy_n(data, std::min(size, record.size()), record.begin());
    const std::size_t length = record[1];

    const FireMacroValues values = decodeFireMacro(record);
    check(values.readable == (length <= 22));
    for (const auto* operand : {&values.count, &values.x, &values.y, &values.timeMs})
        checkOperand(*operand, length);
    if (!values.readable) check(!values.count && !values.x && !values.y && !values.timeMs);

    for (const FireParameter p :
         {FireParameter::Count, FireParameter::X, FireParameter::Y, FireParameter::Time}) {
        for (const int value : {INT_MIN, -129, 0, 7, 127, 256, 2041, INT_MAX}) {
            FireMacroRecord written = record;
            const bool wrote = writeFireParameter(written, p, value);
            for (std::size_t i = 0; i < record.size(); ++i) {
                if (written[i] == record[i]) continue;
                check(wrote);
                const std::optional<FireOperand>& at = p == FireParameter::Count ? values.count
                                                       : p == FireParameter::X   ? values.x
                                                       : p == FireParameter::Y   ? values.y
                                                                                 : values.timeMs;
                check(at && (i == at->position || i == length + 1));
            }
            if (wrote) check(fireChecksumValid(written));
        }
    }

    const std::string dump = fireHexDump(record);
    check(dump.size() == 2 * std::min<std::size_t>(length + 2, record.size()));
    const MacroScript script = renderFireScript(record);
    if (values.complete && length >= 2 && record[0] <= 1) {
        FireMacroRecord compiled{};
        check(compileFireScript(script, record[0] == 1, compiled).ok());
        check(std::equal(compiled.begin(),
                         compiled.begin() + static_cast<std::ptrdiff_t>(length) + 1,
                         record.begin()));
    }
    return 0;
}
