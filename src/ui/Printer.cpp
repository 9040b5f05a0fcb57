#include "ui/Printer.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QRect>

#include "imaging/SafeFile.h"

namespace ui {

Printer::Printer() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

Printer::~Printer() = default;

double Printer::PageWidthMM() const {
  return printer_->pageLayout().paintRect(QPageLayout::Millimeter).width();
}
double Printer::PageHeightMM() const {
  return printer_->pageLayout().paintRect(QPageLayout::Millimeter).height();
}
int Printer::PageWidthPixels() const {
  return printer_->pageLayout().paintRectPixels(printer_->resolution()).width();
}
int Printer::PageHeightPixels() const {
  return printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
}

bool Printer::Landscape() const {
  return printer_->pageLayout().orientation() == QPageLayout::Landscape;
}

void Printer::SetLandscape(bool landscape) {
  printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

Printer::Settings Printer::Save() const {
  Settings s;
  s.printerName = printer_->printerName();
  s.format = printer_->outputFormat();
  s.outputFileName = printer_->outputFileName();
  s.layout = printer_->pageLayout();
  s.colourMode = printer_->colorMode();
  s.copies = printer_->copyCount();
  s.duplex = printer_->duplex();
  return s;
}

void Printer::Restore(const Settings& s) {
  // The printer first (it resets the rest), then the file, then the page.
  if (s.format == QPrinter::NativeFormat) {
    printer_->setOutputFormat(QPrinter::NativeFormat);
    printer_->setPrinterName(s.printerName);
  } else {
    printer_->setOutputFormat(s.format);
  }
  printer_->setOutputFileName(s.outputFileName);
  if (printer_->outputFormat() != s.format) printer_->setOutputFormat(s.format);
  printer_->setPageLayout(s.layout);
  printer_->setColorMode(s.colourMode);
  printer_->setCopyCount(s.copies);
  printer_->setDuplex(s.duplex);
}

std::string Printer::OutputFile() const {
  return printer_->outputFileName().toStdString();
}

namespace {

bool PaintPage(QPaintDevice& device, const QImage& picture, const QRect& rect) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.drawImage(rect, picture);
  return painter.end();
}

}  // namespace

bool PrintBitmap(Printer& printer, const QImage& picture, const QRect& rect) {
  QPrinter& device = printer.Device();
  const std::string file = printer.OutputFile();
  if (file.empty()) return PaintPage(device, picture, rect);
  // Qt's own file output ignores failed writes and truncates the earlier file first: the page is
  // made in memory, on the printer's page and resolution, and written through a checked temporary.
  QBuffer page;
  if (!page.open(QIODevice::WriteOnly)) return false;
  {
    QPdfWriter pdf(&page);
    pdf.setPageLayout(device.pageLayout());
    pdf.setResolution(device.resolution());
    const bool gray = device.colorMode() == QPrinter::GrayScale;
    if (!PaintPage(pdf, gray ? picture.convertToFormat(QImage::Format_Grayscale8) : picture, rect))
      return false;
  }
  SafeFile out(file);
  return out.Open("wb") && out.Write(page.data().constData(), static_cast<std::size_t>(page.size())) &&
         out.Commit();
}

bool RunPrinterSetupDialog(Printer& printer) {
  QPrintDialog dialog(&printer.Device(), QApplication::activeWindow());
  // A set-up only: the page range and the like belong to no print yet.
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace ui
