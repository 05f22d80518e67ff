// Any bytes given to the design-file reader: it must refuse them with a message or read them,
// never read past them or misbehave; and a design it read must write out and read back to the
// same file (the writer and the reader agree on every field).
#include <cstdint>
#include <memory>
#include <span>

#include "io/design_file/design_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrel;
    auto design = std::make_unique<Design>();
    if (ReadDesignBytes(std::span(data, size), *design)) return 0;
    const std::vector<std::uint8_t> written = DesignFileBytes(*design);
    auto again = std::make_unique<Design>();
    if (ReadDesignBytes(written, *again)) __builtin_trap();
    if (DesignFileBytes(*again) != written) __builtin_trap();
    return 0;
}
