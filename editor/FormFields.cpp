#include "FormFields.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include <stdexcept>

namespace vormo {

QWidget& FormFields::control(const FieldDef& field) const
{
    auto* widget =
        form_.findChild<QWidget*>(QLatin1StringView(field.name), Qt::FindDirectChildrenOnly);
    if (!widget)
        throw std::out_of_range(std::string("no control for field ") + field.name);
    return *widget;
}

QString FormFields::text(const FieldDef& field) const
{
    QWidget& widget = control(field);
    if (auto* edit = qobject_cast<QLineEdit*>(&widget))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(&widget))
        return combo->currentText();
    return {};
}

bool FormFields::isChecked(const FieldDef& field) const
{
    auto* button = qobject_cast<QAbstractButton*>(&control(field));
    return button && button->isChecked();
}

// The field's own state: disabling the whole window (while the about box is up) is not the
// field being switched off.
bool FormFields::isEnabled(const FieldDef& field) const
{
    return control(field).isEnabledTo(&form_);
}

} // namespace vormo
