// "Printer Setup": which printer (or the PDF pseudo-printer), its paper and the orientation. Margins are the
// page setup's business, so this dialog has none of its own.
#pragma once
#include <QDialog>
#include <QPageSize>

class QComboBox;
class QPrinter;
class QRadioButton;

class TZefPrinterSetupDlg : public QDialog {
    Q_OBJECT
public:
    // Shows the printer's current choice.
    explicit TZefPrinterSetupDlg(const QPrinter& printer, QWidget* parent = nullptr);

    // Gives `printer` what the dialog shows (after OK).
    void ApplyTo(QPrinter& printer) const;

    QComboBox* PrinterBox() const { return printerBox_; }
    QComboBox* PaperBox() const { return paperBox_; }
    QRadioButton* PortraitButton() const { return portrait_; }
    QRadioButton* LandscapeButton() const { return landscape_; }

    // The entry of the PDF pseudo-printer in the printer list.
    static QString PdfPrinterCaption() { return QStringLiteral("Print to File (PDF)"); }

private:
    // The papers the chosen printer takes (the common sizes for the PDF pseudo-printer), keeping `keep`
    // selected when it is among them.
    void FillPapers(const QPageSize& keep);

    QComboBox* printerBox_;
    QComboBox* paperBox_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
};
