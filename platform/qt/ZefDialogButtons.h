// The row of OK and Cancel at the foot of the program's dialogs.
#pragma once

class QHBoxLayout;
class QPushButton;
class QWidget;

// Makes the two buttons as children of `dialog` (OK the default button; named "btnOK" and "btnCancel", by
// which tests find them) and answers them right-aligned in a row for the dialog's layout.
QHBoxLayout* ZefOkCancelRow(QWidget* dialog, QPushButton** ok, QPushButton** cancel);
