#include "ZefDialogButtons.h"

#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* ZefOkCancelRow(QWidget* dialog, QPushButton** ok, QPushButton** cancel)
{
    *ok = new QPushButton(QStringLiteral("OK"), dialog);
    (*ok)->setObjectName(QStringLiteral("btnOK"));
    (*ok)->setDefault(true);
    *cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    (*cancel)->setObjectName(QStringLiteral("btnCancel"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(*ok);
    row->addWidget(*cancel);
    return row;
}
