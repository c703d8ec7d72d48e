// A PDF file as a print target: whole sheets at a chosen resolution, written by QPdfWriter.
#pragma once

#include "ZefPrintTarget.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <memory>
#include <optional>

class TZefPdfPrintTarget : public TZefPrintTarget {
public:
    TZefPdfPrintTarget(QString fileName, QPageSize paper = QPageSize(QPageSize::A4),
                       QPageLayout::Orientation orientation = QPageLayout::Portrait, int dotsPerInch = 300);
    ~TZefPdfPrintTarget() override;

    TZefEditPrinterInfo Metrics() const override;
    // Fails without a file name, or when the file cannot be created.
    bool BeginDocument(const std::string& jobName) override;
    bool NewPage() override;
    // Fails when the file cannot be written completely.
    bool EndDocument() override;
    TZefPrintCanvas& Canvas() override { return *canvas_; }
    std::string ErrorText() const override { return error_; }

private:
    bool Fail(const std::string& reason);

    QString fileName_;
    QPageSize paper_;
    QPageLayout::Orientation orientation_;
    int dotsPerInch_;
    std::unique_ptr<QFile> file_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<TZefPainterCanvas> canvas_;
    std::string error_;
};
