#include "ui/Printer.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QRect>

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

bool PrintBitmap(Printer& printer, const QImage& picture, const QRect& rect) {
  QPainter painter;
  if (!painter.begin(&printer.Device())) return false;
  painter.drawImage(rect, picture);
  return painter.end();
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
