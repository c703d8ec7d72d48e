// libFuzzer target: sequences of line store operations chosen by the input, applied to the store and to a
// plain vector model, compared after every step.
#include "../tests/editor/core/LineStoreModel.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > 4096) return 0;
    TZefEditStringList store;
    TLineModel model;
    // The first bytes choose the document's size: up to a few blocks.
    model.Load(store, (data[0] << 4 | data[1] >> 4) % 4500, data[1]);
    if (!model.Differs(store).empty()) std::abort();
    for (size_t i = 2; i + 1 < size; i += 2) {
        model.Apply(store, data[i], data[i + 1]);
        if (!model.Differs(store).empty()) std::abort();
    }
    return 0;
}
