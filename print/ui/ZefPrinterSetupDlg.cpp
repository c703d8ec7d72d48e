#include "ZefPrinterSetupDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QList<QPageSize> CommonPapers()
{
    QList<QPageSize> papers;
    for (QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::B5, QPageSize::Letter,
                                     QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid})
        papers.append(QPageSize(id));
    return papers;
}

} // namespace

TZefPrinterSetupDlg::TZefPrinterSetupDlg(const QPrinter& printer, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Printer Setup"));
    printerBox_ = new QComboBox(this);
    printerBox_->addItems(QPrinterInfo::availablePrinterNames());
    printerBox_->addItem(PdfPrinterCaption());
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
    const int current = pdf ? printerBox_->count() - 1 : printerBox_->findText(printer.printerName());
    printerBox_->setCurrentIndex(current < 0 ? printerBox_->count() - 1 : current);
    paperBox_ = new QComboBox(this);
    FillPapers(printer.pageLayout().pageSize());
    connect(printerBox_, &QComboBox::currentIndexChanged, this, [this] {
        FillPapers(paperBox_->currentData().value<QPageSize>());
    });

    portrait_ = new QRadioButton(QStringLiteral("P&ortrait"), this);
    landscape_ = new QRadioButton(QStringLiteral("&Landscape"), this);
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscape_ : portrait_)->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(portrait_);
    orientation->addWidget(landscape_);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Printer:"), printerBox_);
    form->addRow(QStringLiteral("Paper &size:"), paperBox_);
    form->addRow(QStringLiteral("Orientation:"), orientation);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void TZefPrinterSetupDlg::FillPapers(const QPageSize& keep)
{
    const bool pdf = printerBox_->currentIndex() == printerBox_->count() - 1;
    QList<QPageSize> papers = pdf ? QList<QPageSize>() : QPrinterInfo::printerInfo(printerBox_->currentText()).supportedPageSizes();
    if (papers.isEmpty())
        papers = CommonPapers();
    paperBox_->clear();
    for (const QPageSize& paper : papers)
        paperBox_->addItem(paper.name(), QVariant::fromValue(paper));
    int index = 0;
    for (int i = 0; i < papers.size(); ++i)
        if (keep.isValid() && papers[i].isEquivalentTo(keep))
            index = i;
    paperBox_->setCurrentIndex(index);
}

void TZefPrinterSetupDlg::ApplyTo(QPrinter& printer) const
{
    if (printerBox_->currentIndex() == printerBox_->count() - 1) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(printerBox_->currentText());
    }
    printer.setPageSize(paperBox_->currentData().value<QPageSize>());
    printer.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
}
