// The replace confirmation: question icon, the question and four answers.
#include "dlgConfirmReplace.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

TConfirmReplaceDialog::TConfirmReplaceDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Confirm replace"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    lblConfirmation = new QLabel(this);
    lblConfirmation->setObjectName(QStringLiteral("lblConfirmation"));
    lblConfirmation->setWordWrap(true);
    lblConfirmation->setTextFormat(Qt::PlainText);

    auto addButton = [this](const char* name, const QString& caption, int result) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        return button;
    };
    btnReplace = addButton("btnReplace", QStringLiteral("&Yes"), arYes);
    btnSkip = addButton("btnSkip", QStringLiteral("&No"), arNo);
    btnCancel = addButton("btnCancel", QStringLiteral("Cancel"), Rejected);
    btnReplaceAll = addButton("btnReplaceAll", QStringLiteral("Yes to &all"), arYesToAll);
    btnReplace->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addWidget(lblConfirmation, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {btnReplace, btnSkip, btnCancel, btnReplaceAll}) buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(328, 98)));
}

void TConfirmReplaceDialog::SetSearchText(const QString& search)
{
    lblConfirmation->setText(QStringLiteral("Replace this occurrence of \"%1\"?").arg(search));
}

void TConfirmReplaceDialog::PlaceFor(QPoint matchTopLeft, int lineHeight, const QRect& form)
{
    const QSize size = frameGeometry().size().expandedTo(this->size());
    int left = 0;
    if (form.width() <= size.width()) {
        left = form.left() - (size.width() - form.width()) / 2;
    } else {
        left = std::min(matchTopLeft.x(), form.left() + form.width() - size.width());
    }
    const int below = matchTopLeft.y() + lineHeight;
    const int lowerThird = form.top() + static_cast<int>(std::lround(form.height() * 2.0 / 3.0));
    int top = below > lowerThird ? matchTopLeft.y() - size.height() - 4 : below + 4;
    // Always entirely on the screen that holds the match.
    QScreen* screen = QGuiApplication::screenAt(matchTopLeft);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        left = std::clamp(left, area.left(), std::max(area.left(), area.right() + 1 - size.width()));
        top = std::clamp(top, area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    }
    move(left, top);
}
