#include "core/buffer/action_captions.h"

#include "core/buffer/undo_history.h"

int ActionStringId(int nAction)
{
    // Indexed by action code; the delete key's string lies between those of cut and typing.
    static constexpr int kIds[] = {8619, 8620, 8621, 8622, 8624, 8625, 8626, 8627, 8628, 8623, 8629};
    static_assert(sizeof kIds / sizeof kIds[0] == ACTION_AUTOINDENT + 1, "one string per action code");
    if (nAction < ACTION_UNKNOWN || nAction > ACTION_AUTOINDENT)
        return 0;
    return kIds[nAction];
}
