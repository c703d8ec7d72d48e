// The right-edge dialog and its check.
#include "RightEdge.h"

#include "ZefAppInfo.h"
#include "ZefDesktop.h"
#include "ZefDialogButtons.h"
#include "ZefSpinEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

bool ZefRightEdgeValid(int column)
{
    return column >= RightEdgeMinimum && column <= RightEdgeMaximum;
}

TfrmSetRightEdge::TfrmSetRightEdge(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSetRightEdge"));
    setWindowTitle(QStringLiteral("Right Edge"));
    lblHeader = new QLabel(QStringLiteral("Input a new value to set up right edge"), this);
    seRightEdge = new TZefSpinEdit(this);
    seRightEdge->setObjectName(QStringLiteral("seRightEdge"));
    seRightEdge->SetArrowRange(RightEdgeMinimum, RightEdgeMaximum);
    seRightEdge->setValue(80);
    lblRange = new QLabel(QStringLiteral("( 10 - 240 )"), this);
    QHBoxLayout* buttons = ZefOkCancelRow(this, &btnOK, &btnCancel);

    auto* layout = new QGridLayout(this);
    layout->addWidget(lblHeader, 0, 0, 1, 2);
    layout->addWidget(seRightEdge, 1, 0);
    layout->addWidget(lblRange, 1, 1);
    layout->addLayout(buttons, 2, 0, 1, 2);
    resize(QSize(265, 188).expandedTo(sizeHint()));

    connect(btnOK, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSetRightEdge::SetValue(int column)
{
    seRightEdge->setValue(column);
    seRightEdge->selectAll();
}

int TfrmSetRightEdge::Value()
{
    return seRightEdge->TypedValue();
}

void TfrmSetRightEdge::OkClicked()
{
    if (!ZefRightEdgeValid(seRightEdge->TypedValue())) {
        ZefDesktop().Beep(TZefBeepKind::bkError);
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), QStringLiteral("Invalid value found. Please input again."));
        seRightEdge->setFocus();
        return;
    }
    accepted_ = true;
    accept();
}
