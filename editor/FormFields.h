#pragma once

// The plugin writer's view of a window whose controls are named after the fields: each field
// is looked up among the window's children by its name.

#include "PluginWriter.h"

class QWidget;

namespace vormo {

class FormFields final : public FieldAccess {
public:
    explicit FormFields(const QWidget& form) : form_(form) {}

    QString text(const FieldDef& field) const override;
    bool isChecked(const FieldDef& field) const override;
    bool isEnabled(const FieldDef& field) const override;

    // The control of a field; throws std::out_of_range when the window has none.
    QWidget& control(const FieldDef& field) const;

private:
    const QWidget& form_;
};

} // namespace vormo
