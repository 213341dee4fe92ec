// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TAboutBox.h"

#include "DoubleClick.h"
#include "ErrorReport.h"
#include "Errors.h"
#include "Resources.h"
#include "SafeFile.h"
#include "TForm1.h"
#include "ToolTips.h"
#include "WindowLook.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace vormo {

TAboutBox* AboutBox = nullptr;

namespace {

constexpr QSize kClientSize(298, 213);
constexpr int kCommentsWidth = 248;

// No slashes: Qt would wrap the line after one of them, in the middle of the address.
const char kWebAddress[] = "www.vormo.example.org";

QLabel* createLabel(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1StringView(name));
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    label->adjustSize();
    return label;
}

SaveDialogSettings iconSaveDialogSettings()
{
    SaveDialogSettings settings;
    settings.title = u"Save Vormo Weapon icon as...";
    settings.filters = {{u"Icon Files", u"*.ico"}, {u"All Files", u"*.*"}};
    settings.filterIndex = 1;
    settings.defaultExt = u"ico";
    settings.initialDir = ".";
    settings.fileName = "VormoWeapon.ico";
    settings.confirmOverwrite = true;
    settings.confirmCreate = true;
    return settings;
}

} // namespace

TAboutBox::TAboutBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About..."));
    setFixedSize(kClientSize);
    useWindowLook(*this);

    // The labels have no hint or cursor of their own: over them the panel's show.
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 281, 161);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setCursor(Qt::PointingHandCursor);
    Panel1->setToolTip(QStringLiteral("Quit touching me!"));
    Panel1->setToolTipDuration(kToolTipDisplayMs);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setAlignment(Qt::AlignCenter);
    ProgramIcon->setPixmap(QPixmap::fromImage(decodeProgramIcon(programIconBytes())));
    ProgramIcon->move(8, 8);
    ProgramIcon->adjustSize();
    ProgramIcon->setCursor(Qt::WhatsThisCursor);
    ProgramIcon->setToolTip(QStringLiteral("Double click to save this"));
    ProgramIcon->setToolTipDuration(kToolTipDisplayMs);
    onDoubleClick(ProgramIcon, [this] { guarded([this] { ProgramIconDblClick(ProgramIcon); }); });

    ProductName =
        createLabel(Panel1, "ProductName", QStringLiteral("Vormo Weapon Editor"), {88, 16});
    Version = createLabel(Panel1, "Version", QStringLiteral("Version 1.3"), {88, 40});
    Notice = createLabel(Panel1, "Notice",
                         QStringLiteral("Copyright \u00a9 2002 The Vormo Toolworks"), {48, 72});
    Comments = createLabel(Panel1, "Comments",
                           QStringLiteral("Interface derived from VormoM8 toolkit.  Visit ") +
                               QLatin1StringView(kWebAddress) +
                               QStringLiteral(" For use with VormoKit and VormoM8, versions 1.6 +"),
                           {8, 88});
    Comments->setWordWrap(true);
    Comments->setFixedSize(kCommentsWidth, Comments->heightForWidth(kCommentsWidth));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this,
            [this] { guarded([this] { OKButtonClick(OKButton); }); });

    IconSaveDlg = std::make_unique<SaveDialog>(iconSaveDialogSettings());

    // Centred the first time only; afterwards it comes back where it was last hidden, also
    // when the user dragged it there.
    centreWhenFirstShown(*this, [this] {
        const QScreen* screen = Form1 && Form1->screen() ? Form1->screen() : this->screen();
        return screen ? screen->geometry() : QRect();
    });
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::OKButtonClick(QObject*)
{
    if (Form1)
        Form1->setEnabled(true);
    setResult(QDialog::Accepted);
    hide();
    // As the desktop would do for a dialog going away: the editor is the active window again.
    if (Form1 && Form1->isVisible())
        Form1->activateWindow();
}

void TAboutBox::ProgramIconDblClick(QObject*)
{
    if (!IconSaveDlg->Execute())
        return;
    // The icon's bytes as stored, in one piece; the file they replace stays whole until all of
    // them are written.
    const QByteArray icon = programIconBytes();
    saveFileSafely(IconSaveDlg->FileName(),
                   std::string_view(icon.constData(), std::size_t(icon.size())),
                   messages::streamWriteError());
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OKButton->setFocus();
}

void TAboutBox::closeEvent(QCloseEvent* event)
{
    event->ignore();
    guarded([this] { OKButtonClick(this); });
}

void TAboutBox::reject() {}

} // namespace vormo
