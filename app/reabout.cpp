// The about box. The logo is a JPEG compiled into the program and decoded with libjpeg.
#include "reabout.h"

#include "ZefAppInfo.h"
#include "ZefDesktop.h"
#include "ZefJpegImage.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    QFile logo(QStringLiteral(":/logo.jpg"));
    if (logo.open(QIODevice::ReadOnly))
        ProgramIcon->setPixmap(QPixmap::fromImage(ZefDecodeJpeg(logo.readAll())));
    ProductName = new QLabel(QString::fromLatin1(ZefAppTitle), this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont bold = ProductName->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    ProductName->setFont(bold);
    Version = new QLabel(QStringLiteral("Version ") + QString::fromLatin1(ZefAppVersion), this);
    Version->setObjectName(QStringLiteral("Version"));
    Comments = new QLabel(QStringLiteral("A text editor for 8-bit text files with syntax highlighting."), this);
    Comments->setObjectName(QStringLiteral("Comments"));
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    // Enter presses OK; Escape closes a dialog by itself.
    OKButton->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(ProgramIcon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(ProductName, 0, 1);
    layout->addWidget(Version, 1, 1);
    layout->addWidget(Comments, 2, 1);
    layout->addWidget(OKButton, 3, 0, 1, 2, Qt::AlignCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void ZefShowAboutBox(QWidget* parent)
{
    TAboutBox box(parent);
    ZefDesktop().Beep(TZefBeepKind::bkDefault);
    ZefDesktop().ExecDialog(box);
}
