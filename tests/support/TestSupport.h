#pragma once

// Shared by the test suites: fixtures, a weapon with every field edited, and a save dialog
// whose answers a test scripts in advance.

#include "SaveDialog.h"
#include "WeaponValues.h"

#include <QByteArray>
#include <QList>

namespace vormo::test {

QByteArray fixture(const char* name);

// Every field changed to a value of its own; its plugin is tests/data/edited.vwp.
WeaponValues editedWeapon();

class ScriptedSaveDialog final : public SaveDialogRunner {
public:
    ScriptedSaveDialog() { SaveDialog::setDefaultRunner(this); }
    ~ScriptedSaveDialog() override { SaveDialog::setDefaultRunner(nullptr); }

    void accept(const QString& path, int filterIndex = 1)
    {
        answers_.append({{path, filterIndex}});
    }
    void cancel() { answers_.append(std::nullopt); }

    // The settings of every run so far, in order.
    const QList<SaveDialogSettings>& runs() const { return runs_; }
    bool allAnswersUsed() const { return answers_.isEmpty(); }

    std::optional<SaveDialogAnswer> run(const SaveDialogSettings& settings) override;

private:
    QList<std::optional<SaveDialogAnswer>> answers_;
    QList<SaveDialogSettings> runs_;
};

} // namespace vormo::test
