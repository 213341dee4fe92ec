// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The editor's hidden document: a control that is never shown and never takes the focus,
// holding the plugin text on its way to the disk.

#include "PluginDocument.h"

#include <QWidget>

namespace vormo {

class DocumentControl final : public QWidget {
public:
    explicit DocumentControl(QWidget* parent);

    PluginDocument& document() { return document_; }
    const PluginDocument& document() const { return document_; }

private:
    PluginDocument document_;
};

} // namespace vormo
