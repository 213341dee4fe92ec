#include "SaveDialog.h"

namespace vormo {
namespace {
SaveDialogRunner* defaultRunner = nullptr;
}

void SaveDialog::setDefaultRunner(SaveDialogRunner* runner) { defaultRunner = runner; }

bool SaveDialog::Execute()
{
    SaveDialogRunner* runner = runner_ ? runner_ : defaultRunner;
    if (!runner)
        return false;
    const std::optional<SaveDialogAnswer> answer = runner->run(settings_);
    if (!answer)
        return false;
    settings_.fileName = answer->path;
    settings_.filterIndex = answer->filterIndex;
    return true;
}

} // namespace vormo
