// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/about/TAboutBox.h"

#include "DoubleClick.h"
#include "ErrorReport.h"
#include "Errors.h"
#include "SafeFile.h"
#include "ToolTips.h"
#include "WindowLook.h"
#include "WindowPlacement.h"
#include "WindowRoles.h"
#include "WindowTexts.h"
#include "qt/editor/TForm1.h"
#include "qt/services/Resources.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace vormo {

TAboutBox* AboutBox = nullptr;

namespace {

constexpr QSize kClientSize(298, 213);

QLabel* createLabel(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1StringView(name));
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QString::fromStdU16String(kAboutCaption));
    setFixedSize(kClientSize);
    keepNormalState(*this);
    useWindowLook(*this);

    // The labels have no hint or cursor of their own: over them the panel's show.
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 281, 161);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setCursor(Qt::PointingHandCursor);
    Panel1->setToolTip(QString::fromStdU16String(kAboutPanelHint));
    Panel1->setToolTipDuration(kToolTipDisplayMs);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setAlignment(Qt::AlignCenter);
    ProgramIcon->setPixmap(QPixmap::fromImage(decodeProgramIcon(programIconBytes())));
    ProgramIcon->move(8, 8);
    ProgramIcon->adjustSize();
    ProgramIcon->setCursor(Qt::WhatsThisCursor);
    ProgramIcon->setToolTip(QString::fromStdU16String(kAboutIconHint));
    ProgramIcon->setToolTipDuration(kToolTipDisplayMs);
    onDoubleClick(ProgramIcon, [this] { guarded([this] { ProgramIconDblClick(ProgramIcon); }); });

    QLabel** shown[] = {&ProductName, &Version, &Notice, &Comments};
    for (std::size_t i = 0; i < aboutLabels().size(); ++i) {
        const AboutLabel& label = aboutLabels()[i];
        *shown[i] = createLabel(Panel1, label.name, QString::fromStdU16String(label.text),
                                {label.left, label.top});
    }
    Comments->setWordWrap(true);
    Comments->setFixedSize(kAboutCommentsWidth, Comments->heightForWidth(kAboutCommentsWidth));

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
    // As the desktop would do for a dialog going away: the editor is the active window again.
    // Asked while this box still has the keyboard: a Wayland compositor hands it on only at the
    // request of the window that holds it.
    if (Form1 && Form1->isVisible())
        bringToFront(*Form1);
    hide();
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
