// libFuzzer target for the text buffer. The first byte picks the line-end style to load with (or
// detection), the second the length of the file that the next bytes make; every later byte is a
// choice of the edit script: which command, where, what text, undo, redo, save. After every step
// the buffer must match the plain string model; at the end undoing and redoing everything must
// too.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/buffer/edit_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int nStyle = data[0] % 4 == 3 ? EOL_DETECT : data[0] % 4;
    const std::size_t nFile = data[1] < size - 2 ? data[1] : size - 2;
    std::string file(reinterpret_cast<const char*>(data) + 2, nFile);
    std::replace(file.begin(), file.end(), '\x01', '\x02'); // the model's mark of a line break
    std::size_t nAt = 2 + nFile;
    CEditModel model(file, nStyle, [&]() -> unsigned { return nAt < size ? data[nAt++] : 0u; });
    while (nAt < size && model.Step()) {
    }
    model.UndoAll();
    model.RedoAll();
    if (!model.strFailure.empty()) {
        std::fprintf(stderr, "buffer differs from the model: %s\n", model.strFailure.c_str());
        std::abort();
    }
    return 0;
}
