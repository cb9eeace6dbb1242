#include "settings/key_names.h"

#include "image/function_code.h"
#include "model/slot_names.h"
#include "ui/page.h"

namespace vornik {

QStringList keyNames(const PageSource& model, int keyMode, const TextLookup& texts) {
    const auto slotNames = slotNamesIn(model.sections);
    const NameContext context{texts, model.eepromMode, slotNames, 0, model.gunList};
    QStringList names;
    for (int k = 1; k <= 9; ++k)
        names << QString::fromStdString(nameForCode(model.codes.code(keyMode, k), context));
    return names;
}

}  // namespace vornik
